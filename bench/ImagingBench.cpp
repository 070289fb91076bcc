// Usage: zepo_bench_imaging [--benchmark_...] PICTURE.bmp|.jpg
// Times the two reductions on an already decoded 24-bit picture, so that file reading and
// writing stay out of the numbers, as they do for the Pillow timings beside them.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "imaging/Bitmap.h"
#include "imaging/PictureFile.h"
#include "imaging/Reduce.h"

namespace {

zepo::Bitmap g_picture;

template <zepo::Result<zepo::Bitmap> (*Reduce)(const zepo::Bitmap&, int)>
void BM_Reduce(benchmark::State& state) {
    for (auto _ : state) {
        auto result = Reduce(g_picture, 8);
        if (!result) {
            state.SkipWithError(result.error().message.c_str());
            return;
        }
        benchmark::DoNotOptimize(result.value().Row(0));
    }
    state.SetItemsProcessed(state.iterations() * int64_t(g_picture.Width()) * g_picture.Height());
}

}  // namespace

BENCHMARK_TEMPLATE(BM_Reduce, zepo::MedianCutReduce)->Name("MedianCutReduce")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Reduce, zepo::MedianCutReduceDithered)
    ->Name("MedianCutReduceDithered")
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zepo_bench_imaging [--benchmark_...] PICTURE\n");
        return 2;
    }
    auto loaded = zepo::LoadPicture(argv[1]);
    if (!loaded) {
        std::fprintf(stderr, "cannot read %s: %s\n", argv[1], loaded.error().message.c_str());
        return 2;
    }
    auto full = zepo::ConvertTo24(loaded.value().bitmap);
    if (!full) {
        std::fprintf(stderr, "%s\n", full.error().message.c_str());
        return 2;
    }
    g_picture = std::move(full.value());
    benchmark::AddCustomContext("picture", std::string(argv[1]) + " (" + std::to_string(g_picture.Width()) + "x" +
                                               std::to_string(g_picture.Height()) + ")");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
