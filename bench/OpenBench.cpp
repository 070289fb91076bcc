// Opening a big card: the editor's open command against zepocard's reading of the same file.
// Usage: zepo_bench_open [benchmark flags] CARD.zep   (bench/open.sh makes the card)

#include <benchmark/benchmark.h>

#include <QApplication>

#include <filesystem>
#include <iostream>

#include "ShellFakes.h"
#include "publish/CardReading.h"
#include "shell/CardFileCommands.h"
#include "shell/EditorWindows.h"
#include "shell/MainWindow.h"
#include "shell/ShellServices.h"

namespace {

std::filesystem::path card;

void CommandLineReading(benchmark::State& state) {
    for (auto _ : state) {
        std::string error;
        auto read = zepo::publish::ReadCardFile(card, error);
        if (!read) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(read);
    }
}

void EditorOpening(benchmark::State& state) {
    zepo::test::RecordingPrompts prompts;
    zepo::test::ScriptedRunner runner;
    zepo::test::ScriptedChooser chooser;
    zepo::test::RecordingLauncher launcher;
    zepo::test::ManualScheduler scheduler;
    zepo::ShellServices services{prompts, runner,          chooser, launcher, scheduler, card.parent_path(),
                                 {},      QSize(1024, 768)};
    zepo::EditorWindows windows(services);
    // Shown, so that drawing the card read is part of the time.
    windows.main().show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        chooser.answers = {QString::fromStdString(card.string())};
        prompts.answers = {true};  // a card without the marker line is read all the same
        windows.main().cardFile().Open();
        QCoreApplication::processEvents();
    }
}

BENCHMARK(CommandLineReading)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(EditorOpening)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::cerr << "usage: zepo_bench_open [benchmark flags] CARD.zep\n";
        return 2;
    }
    card = std::filesystem::absolute(argv[1]);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
