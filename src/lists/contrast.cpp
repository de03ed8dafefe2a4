#include "lists/contrast.h"

#include <cmath>

namespace contrast {

namespace {

int channel(std::uint32_t color, int shift) {
    return int((color >> shift) & 0xFF);
}

double linear(int c) {
    const double s = c / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

std::uint32_t value(int r, int g, int b) {
    return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16);
}

// `color` moved the fraction `t` of the way towards `end`, each channel
// rounded away from the start so that the step is never smaller than asked.
std::uint32_t blend(std::uint32_t color, int end, double t) {
    int c[3];
    for (int i = 0; i < 3; ++i) {
        const int from = channel(color, 8 * i);
        const double to = from + (end - from) * t;
        c[i] = int(end > from ? std::ceil(to) : std::floor(to));
    }
    return value(c[0], c[1], c[2]);
}

// The least blend towards `end` (0 or 255) that reads on `background`, or
// nothing when even `end` itself does not.
bool towards(std::uint32_t text, std::uint32_t background, int end, std::uint32_t& out) {
    if (ratio(value(end, end, end), background) < kReadable) return false;
    double lo = 0, hi = 1;
    for (int i = 0; i < 20; ++i) {
        const double mid = (lo + hi) / 2;
        (ratio(blend(text, end, mid), background) >= kReadable ? hi : lo) = mid;
    }
    out = blend(text, end, hi);
    return true;
}

}  // namespace

double luminance(std::uint32_t color) {
    return 0.2126 * linear(channel(color, 0)) + 0.7152 * linear(channel(color, 8)) +
           0.0722 * linear(channel(color, 16));
}

double ratio(std::uint32_t a, std::uint32_t b) {
    const double la = luminance(a), lb = luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

std::uint32_t readable(std::uint32_t text, std::uint32_t background) {
    text &= 0xFFFFFFu;
    if (ratio(text, background) >= kReadable) return text;
    // A background darker than the middle grey (by luminance) takes light text.
    const bool dark = ratio(background, 0) < ratio(background, 0xFFFFFFu);
    const int first = dark ? 255 : 0, second = dark ? 0 : 255;
    std::uint32_t out = text;
    if (towards(text, background, first, out) || towards(text, background, second, out)) return out;
    return ratio(0xFFFFFFu, background) >= ratio(0, background) ? 0xFFFFFFu : 0u;
}

}  // namespace contrast
