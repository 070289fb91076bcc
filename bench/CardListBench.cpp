// 「カード一覧」 on a folder of cards: how soon the list stands (names at once, titles and
// marks after the reading; target: under 1 s), when the map is laid out (target: under 2 s) and
// when the last thumbnail is drawn, first with an empty thumbnail cache and again with a warm
// one; and the memory the thumbnails hold against its bound.
// Usage: zepo_bench_card_list SET_FOLDER [--once]   (bench/cardlist.sh makes a set of 300 cards;
// --once: the empty cache only, for bench/memory.sh's peak of the process)

#include <QApplication>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <thread>

#include "document/CardDocument.h"
#include "shell/CardListWindow.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

template <typename Done>
double Until(Clock::time_point start, Done done) {
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (Seconds(start) > 600) return -1;
    }
    return Seconds(start);
}

long PeakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void Run(const char* label, zepo::CardDocument& document, const fs::path& cache, qint64 maxBytes) {
    zepo::CardListWindow window(document, QSize(1024, 768), {}, cache, nullptr, maxBytes);
    const auto start = Clock::now();
    window.ShowFolder();
    const double names = Seconds(start);
    const int count = window.model().rowCount();
    const double listed = Until(start, [&] {
        const auto& cards = window.model().cards();
        return !cards.empty() && std::all_of(cards.begin(), cards.end(), [](const auto& c) { return c.read; });
    });
    const double mapped = Until(start, [&] { return window.settled(); });
    const double thumbs = Until(start, [&] { return window.thumbnailsDone() >= count; });
    std::printf(
        "%s: %d cards; names %.3f s, list read %.3f s (target < 1 s), map laid out %.3f s (target < 2 s), "
        "last thumbnail %.3f s\n",
        label, count, names, listed, mapped, thumbs);
    std::printf("   thumbnails in memory %.1f MiB (bound %.1f MiB), peak of the process %.1f MiB\n",
                double(window.thumbnails().bytesInMemory()) / (1 << 20), double(maxBytes) / (1 << 20),
                double(PeakKiB()) / 1024);
    window.close();
}

}  // namespace

int main(int argc, char** argv) {
    const bool once = argc == 3 && std::string_view(argv[2]) == "--once";
    if (argc != 2 && !once) {
        std::fprintf(stderr, "usage: zepo_bench_card_list SET_FOLDER [--once]\n");
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    char pattern[] = "/tmp/zepo-bench-cardlist-XXXXXX";
    const fs::path scratch = mkdtemp(pattern);
    zepo::CardDocument document;
    document.SetSaveFolder(fs::absolute(argv[1]));
    Run("empty cache ", document, scratch / "zepoed" / "thumbnails", qint64(32) << 20);
    if (!once) {
        Run("warm cache  ", document, scratch / "zepoed" / "thumbnails", qint64(32) << 20);
        // A bound far below the set, all drawn anew: the memory stays within it, the disk keeps the rest.
        Run("bound 2 MiB ", document, scratch / "other" / "thumbnails", qint64(2) << 20);
    }
    std::error_code ec;
    fs::remove_all(scratch, ec);
    return 0;
}
