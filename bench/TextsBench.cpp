// Usage: zepo_bench_texts [--benchmark_...]   (runs on the offscreen platform by default)
// Times the two text-block operations a user waits for: the refit of a horizontal block of
// 1,000 lines to a 1,000-pixel band on a mouse release, measured with the real fonts, and the
// text-file dialog listing a save folder of 5,000 files when it opens.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <fstream>

#include "canvas/Drag.h"
#include "core/TextCodec.h"
#include "dialogs/TextFileDialog.h"
#include "platform/Launcher.h"
#include "render/Fonts.h"

namespace {

std::vector<std::string> ThousandLines() {
    const std::string unit = zepo::Sjis("日本語の文章と");
    std::vector<std::string> lines;
    for (int i = 0; i < 1000; ++i) {
        std::string line;
        for (int k = 0; k <= i % 7; ++k) line += unit;
        lines.push_back(line + "abc" + std::to_string(i));
    }
    return lines;
}

void BM_RefitHorizontalBlock(benchmark::State& state) {
    zepo::QtTextMeasurer measurer;
    zepo::Slot block;
    block.lines = ThousandLines();
    block.block.widestLine = block.lines[6];
    for (auto _ : state) {
        block.font.height = 12;
        zepo::ApplyResize(block, zepo::SlotKind::TextBlock, zepo::Band{0, 0, 1000, 1000}, measurer);
        benchmark::DoNotOptimize(block.bounds);
    }
    state.counters["font_height"] = block.font.height;
}

struct NoLauncher : zepo::Launcher {
    bool StartProgram(const QString&, const QStringList&, const QString&) override { return false; }
    bool OpenDocument(const QString&) override { return false; }
    bool OpenUrl(const QUrl&) override { return false; }
};

void BM_OpenTextFileDialogOn5000Files(benchmark::State& state) {
    char pattern[] = "/tmp/zepo-bench-texts-XXXXXX";
    const std::filesystem::path folder = mkdtemp(pattern);
    for (int i = 0; i < 5000; ++i)
        std::ofstream(folder / ("file" + std::to_string(i) + (i % 2 ? ".txt" : ".bmp"))) << "x";
    NoLauncher launcher;
    zepo::TextFileDialog dialog(launcher);
    dialog.SetSaveFolder(folder);
    zepo::TextBlockValues values;
    values.file = "file4999.txt";
    for (auto _ : state) {
        dialog.Load(values);
        dialog.Activate();
    }
    std::filesystem::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_RefitHorizontalBlock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTextFileDialogOn5000Files)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    zepo::RegisterFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
