// Usage: zepo_bench_scan_bomb [--write FILE]
// Times the JPEG decoder on a progressive 8192 × 8192 file of 2,090 scans (4.5 MB, made in
// memory), the file that once held `reduce` for 35 s and `check` of a card naming it five
// times for over two minutes. The decoder must refuse it within a second: prints the best of
// three times and exits 1 when it was decoded or took longer. --write also saves the file,
// for trying it on zepocard and the editor.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <span>
#include <string_view>

#include "ManyScanJpeg.h"
#include "core/AtomicFile.h"
#include "imaging/JpegCodec.h"

int main(int argc, char** argv) {
    const bool write = argc == 3 && std::strcmp(argv[1], "--write") == 0;
    if (argc != 1 && !write) {
        std::fprintf(stderr, "usage: zepo_bench_scan_bomb [--write FILE]\n");
        return 2;
    }
    const zepo::test::ManyScans bomb{8192, 8192, 11, 63, 11};
    const std::vector<uint8_t> bytes = zepo::test::ManyScanJpeg(bomb);
    std::printf("file: %d x %d, %d scans, %zu bytes\n", bomb.width, bomb.height, bomb.Scans(), bytes.size());
    if (write) {
        const zepo::Status saved = zepo::WriteFileAtomically(argv[2], std::span<const uint8_t>(bytes));
        if (!saved) {
            std::fprintf(stderr, "cannot write %s: %s\n", argv[2], saved.error().message.c_str());
            return 2;
        }
    }
    double best = 1e9;
    bool decoded = false;
    std::string outcome;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        auto result = zepo::DecodeJpeg(bytes);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, seconds);
        decoded = result.ok();
        outcome = decoded ? "decoded" : "refused: " + result.error().message;
        if (seconds > 10) break;  // the old decoder: once is enough
    }
    std::printf("DecodeJpeg %s in %.3f s (best of up to 3)\n", outcome.c_str(), best);
    return decoded || best >= 1.0 ? 1 : 0;
}
