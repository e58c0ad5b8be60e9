#include "media/render/onion_blend.h"

#include <cstdint>
#include <cstring>

namespace plk {
namespace {

// Sixteen channels, four pixels: bytes B, G, R, A of each pixel in memory order. The sixteen
// 16-bit lanes fill one AVX2 register, or two SSE2 or NEON registers.
constexpr int kPixelsPerStep = 4;
using Bytes16 = std::uint8_t __attribute__((vector_size(16)));
using Lanes16 = std::uint16_t __attribute__((vector_size(32)));

// The look in the formula's fixed-point terms: tint and opacity out of 256, the target
// colour per channel (alpha's target is 255: the tint keeps a pixel's coverage).
struct Mix {
    std::uint32_t tint;
    std::uint32_t opacity;
    std::uint32_t target[4];  // B, G, R, A
};

inline std::uint32_t Div255(std::uint32_t x) {
    return (x + 128 + ((x + 128) >> 8)) >> 8;
}

// Vectors of 32 bytes pass in registers only where AVX is on. The helpers are inlined into
// BlendRow and nothing else takes or returns such a vector, so no call between code built
// with and without AVX ever passes one.
// (The note is for the whole file: the compiler gives it again where it makes the clones.)
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

[[gnu::always_inline]] inline Lanes16 Div255(Lanes16 x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

[[gnu::always_inline]] inline Lanes16 AlphaOfEachPixel(Lanes16 v) {
    return __builtin_shufflevector(v, v, 3, 3, 3, 3, 7, 7, 7, 7, 11, 11, 11, 11, 15, 15, 15, 15);
}

// One pixel, the formula as written.
inline QRgb BlendPixel(QRgb s, QRgb d, const Mix& mix) {
    const std::uint32_t a = qAlpha(s);
    const auto pull = [&](std::uint32_t channel, std::uint32_t target) {
        const std::uint32_t goal = Div255(target * a);
        const std::uint32_t mixed = (channel * (256 - mix.tint) + goal * mix.tint) >> 8;
        return (mixed * mix.opacity) >> 8;
    };
    const std::uint32_t sa = (a * mix.opacity) >> 8;
    const std::uint32_t keep = 255 - sa;
    return qRgba(static_cast<int>(pull(qRed(s), mix.target[2]) + Div255(qRed(d) * keep)),
                 static_cast<int>(pull(qGreen(s), mix.target[1]) + Div255(qGreen(d) * keep)),
                 static_cast<int>(pull(qBlue(s), mix.target[0]) + Div255(qBlue(d) * keep)),
                 static_cast<int>(sa + Div255(qAlpha(d) * keep)));
}

// The body is compiled into each instruction-set variant below; both give the same bytes.
[[gnu::always_inline]] inline void BlendRowBody(QRgb* dst, const QRgb* src, int count,
                                                const Mix& mix) {
    Lanes16 target;
    for (int lane = 0; lane < 16; ++lane) {
        target[lane] = static_cast<std::uint16_t>(mix.target[lane % 4]);
    }
    const auto tint = static_cast<std::uint16_t>(mix.tint);
    const auto keepTint = static_cast<std::uint16_t>(256 - mix.tint);
    const auto opacity = static_cast<std::uint16_t>(mix.opacity);
    int x = 0;
    for (; x + kPixelsPerStep <= count; x += kPixelsPerStep) {
        Bytes16 sourceBytes;
        Bytes16 destBytes;
        std::memcpy(&sourceBytes, src + x, sizeof sourceBytes);
        std::memcpy(&destBytes, dst + x, sizeof destBytes);
        const Lanes16 s = __builtin_convertvector(sourceBytes, Lanes16);
        const Lanes16 d = __builtin_convertvector(destBytes, Lanes16);
        // No product exceeds 255 * 256: convex mixes of bytes, bytes times 256ths.
        const Lanes16 goal = Div255(target * AlphaOfEachPixel(s));
        const Lanes16 mixed = (s * keepTint + goal * tint) >> 8;
        Lanes16 out = (mixed * opacity) >> 8;
        out += Div255(d * (255 - AlphaOfEachPixel(out)));
        // Truncated to bytes, as qRgba keeps the low byte of each channel.
        const Bytes16 outBytes = __builtin_convertvector(out, Bytes16);
        std::memcpy(dst + x, &outBytes, sizeof outBytes);
    }
    for (; x < count; ++x) {
        dst[x] = BlendPixel(src[x], dst[x], mix);
    }
}

void BlendRowPlain(QRgb* dst, const QRgb* src, int count, const Mix& mix) {
    BlendRowBody(dst, src, count, mix);
}

using BlendRowFunction = void (*)(QRgb*, const QRgb*, int, const Mix&);

#if defined(__x86_64__)
[[gnu::target("avx2")]] void BlendRowAvx2(QRgb* dst, const QRgb* src, int count, const Mix& mix) {
    BlendRowBody(dst, src, count, mix);
}

// Chosen once, on first use, by what the processor runs. Not a loader-resolved clone: the
// loader calls such resolvers before the sanitizers' runtimes are set up.
BlendRowFunction ChooseBlendRow() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? BlendRowAvx2 : BlendRowPlain;
}
#else
BlendRowFunction ChooseBlendRow() {
    return BlendRowPlain;
}
#endif

void BlendRow(QRgb* dst, const QRgb* src, int count, const Mix& mix) {
    static const BlendRowFunction chosen = ChooseBlendRow();
    chosen(dst, src, count, mix);
}

void Blend(QImage& canvas, const QImage& layer, const QRect& bounds, const Mix& mix) {
    const QRect area = bounds & canvas.rect() & layer.rect();
    if (area.isEmpty()) {
        return;
    }
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y)) + area.left();
        auto* dst = reinterpret_cast<QRgb*>(canvas.scanLine(y)) + area.left();
        BlendRow(dst, src, area.width(), mix);
    }
}

}  // namespace

void BlendTinted(QImage& canvas, const QImage& layer, const QRect& bounds, const OnionLook& look) {
    Blend(canvas, layer, bounds,
          Mix{static_cast<std::uint32_t>(look.tintPercent) * 256 / 100,
              static_cast<std::uint32_t>(look.opacityPercent) * 256 / 100,
              {look.blue, look.green, look.red, 255}});
}

void BlendOver(QImage& canvas, const QImage& layer, const QRect& bounds) {
    Blend(canvas, layer, bounds, Mix{0, 256, {0, 0, 0, 255}});
}

}  // namespace plk
