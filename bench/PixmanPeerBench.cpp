// Peer for W4: pixman's OVER of premultiplied 8888 over 8888, same sizes.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <random>
#include <vector>

static void W4_blend_1920x1080(benchmark::State& state)
{
    const int w = 1920, h = 1080;
    std::vector<uint32_t> src(static_cast<size_t>(w) * h), dst(src.size());
    std::mt19937 rng(11);
    for (auto& p : src) {  // premultiplied, varied alpha
        const uint32_t a = rng() & 255, v = rng();
        uint32_t out = a << 24;
        for (int s = 0; s < 24; s += 8)
            out |= (((v >> s) & 255) * a / 255) << s;
        p = out;
    }
    for (auto& p : dst)
        p = rng() | 0xFF000000u;
    pixman_image_t* s = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, src.data(), w * 4);
    pixman_image_t* d = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, dst.data(), w * 4);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, w, h);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(s);
    pixman_image_unref(d);
}
BENCHMARK(W4_blend_1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
