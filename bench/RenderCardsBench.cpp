// The yardstick for zepocard export: each card read, drawn and saved as a PNG one after the
// other on one core, the work zepocard render does for a card. Prints the seconds taken.
// Usage: zepo_bench_render_cards OUT_FOLDER CARD.zep...

#include <QGuiApplication>
#include <QImage>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "publish/CardPicture.h"
#include "publish/CardReading.h"
#include "render/Fonts.h"

int main(int argc, char** argv) {
    zepo::publish::UseOffscreenPlatformUnlessSet();
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    zepo::RegisterFontSubstitutes();
    if (argc < 3) {
        std::fprintf(stderr, "usage: zepo_bench_render_cards OUT_FOLDER CARD.zep...\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 2; i < argc; ++i) {
        std::string error;
        auto read = zepo::publish::ReadCardFile(argv[i], error);
        if (!read) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 2;
        }
        const std::filesystem::path card = std::filesystem::absolute(argv[i]);
        QImage picture = zepo::publish::RenderCardPicture(read->card, QSize(640, 480));
        picture.save(QString::fromStdString((out / (card.stem().string() + ".png")).string()), "PNG");
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%.3f\n", took.count());
    return 0;
}
