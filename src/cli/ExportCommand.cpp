// zepocard export: the set exported by publish/Exporter.h, its problems on standard error.

#include <iostream>

#include "cli/Commands.h"
#include "cli/StandardOutput.h"
#include "cli/TerminalProgress.h"
#include "publish/Exporter.h"
#include "publish/TerminalText.h"

namespace zepo::cli {
using namespace zepo::publish;

int RunExport(const ExportOptions& options) {
    ExportReport report;
    {
        TerminalProgress progress;
        report =
            ExportSet({options.folder, options.site, options.screen},
                      [&](std::string_view stage, size_t done, size_t total) { progress.Show(stage, done, total); });
    }
    for (const std::string& text : report.problems) std::cerr << "zepocard: " << Printable(text) << "\n";
    for (const std::string& text : report.failures) std::cerr << "zepocard: " << Printable(text) << "\n";
    return FinishStandardOutput(report.ExitCode());
}

}  // namespace zepo::cli
