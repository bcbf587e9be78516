// W1-W5 over the native pixel core, plus memcpy references. Names match the
// peers' so run_bench.sh can pair them.
#include "picture/Bmp.h"
#include "picture/PixelKernels.h"
#include "picture/Resample.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

std::vector<uint8_t> Noise(int w, int h, bool opaque)
{
    std::vector<uint8_t> v(static_cast<size_t>(w) * h * 4);
    std::mt19937 rng(11);
    for (auto& b : v)
        b = static_cast<uint8_t>(rng());
    if (opaque)
        for (size_t i = 3; i < v.size(); i += 4)
            v[i] = 255;
    return v;
}

void Resample(benchmark::State& state, int w, int h, int w2, int h2)
{
    const std::vector<uint8_t> src = Noise(w, h, false);
    for (auto _ : state) {
        uint8_t* out = ResamplePixels(src.data(), w, h, w2, h2);
        benchmark::DoNotOptimize(out);
        std::free(out);
    }
}

void W1_reduce_6000x4000_to_1000x667(benchmark::State& s) { Resample(s, 6000, 4000, 1000, 667); }
void W2_reduce_6000x4000_to_480x320(benchmark::State& s) { Resample(s, 6000, 4000, 480, 320); }
void W3_enlarge_640x480_to_1920x1080(benchmark::State& s) { Resample(s, 640, 480, 1920, 1080); }

void W4_blend_1920x1080(benchmark::State& state)
{
    const std::vector<uint8_t> src = Noise(1920, 1080, false);  // varied alpha
    std::vector<uint8_t> dst = Noise(1920, 1080, true);
    for (auto _ : state) {
        pix::BlendOverRow(dst.data(), src.data(), 1920 * 1080);
        benchmark::ClobberMemory();
    }
}

void W5_premultiply_6000x4000(benchmark::State& state)
{
    const std::vector<uint8_t> src = Noise(6000, 4000, false);
    std::vector<uint8_t> px(src.size());
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(px.data(), src.data(), src.size());
        state.ResumeTiming();
        pix::PremultiplyRow(px.data(), 6000 * 4000);
        benchmark::ClobberMemory();
    }
}

void Memcpy(benchmark::State& state, int w, int h)
{
    const std::vector<uint8_t> src = Noise(w, h, false);
    std::vector<uint8_t> dst(src.size());
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::ClobberMemory();
    }
}
void Memcpy_6000x4000(benchmark::State& s) { Memcpy(s, 6000, 4000); }

}  // namespace

BENCHMARK(W1_reduce_6000x4000_to_1000x667)->Unit(benchmark::kMillisecond);
BENCHMARK(W2_reduce_6000x4000_to_480x320)->Unit(benchmark::kMillisecond);
BENCHMARK(W3_enlarge_640x480_to_1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(W4_blend_1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(W5_premultiply_6000x4000)->Unit(benchmark::kMillisecond);
BENCHMARK(Memcpy_6000x4000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    // LUMORA_KERNELS=sse2 or scalar measures a slower path on an AVX2 machine.
    const char* want = std::getenv("LUMORA_KERNELS");
    if (want && std::strcmp(want, "scalar") == 0)
        pix::ForceKernels(&pix::kScalarRows);
#if defined(__SSE2__)
    if (want && std::strcmp(want, "sse2") == 0)
        pix::ForceKernels(&pix::kSse2Rows);
#endif
    benchmark::AddCustomContext("kernels", pix::Rows().name);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
