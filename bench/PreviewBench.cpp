// The editor's preview of one card: the composition and the painting of the composed image
// onto the canvas, as pressing "確認" does. Usage: zepo_bench_preview CARD.zep [benchmark flags]

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <iostream>
#include <variant>

#include "document/CardFile.h"
#include "render/CardRenderer.h"
#include "render/Fonts.h"

namespace {

struct Quiet : zepo::MessageSink {
    void Warn(std::string_view) override {}
    bool Ask(std::string_view) override { return true; }
};

zepo::Card card;
std::filesystem::path folder;

void BM_PreviewCompositionAndPaint(benchmark::State& state) {
    zepo::CardRenderer renderer;
    QImage window(1025, 768, QImage::Format_RGB32);
    for (auto _ : state) {
        QImage composed = renderer.Compose(card, QSize(1024, 768));
        QPainter p(&window);
        p.drawImage(0, 0, composed);
        p.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}
BENCHMARK(BM_PreviewCompositionAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    zepo::RegisterFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::cerr << "usage: zepo_bench_preview CARD.zep\n";
        return 2;
    }
    auto read = zepo::ReadCardFileText(argv[1]);
    if (!std::holds_alternative<zepo::CardFileText>(read)) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 2;
    }
    const auto& text = std::get<zepo::CardFileText>(read);
    Quiet quiet;
    zepo::QtTextMeasurer measurer;
    zepo::LoadCardText(card, text, quiet, measurer);
    folder = text.folder;
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
