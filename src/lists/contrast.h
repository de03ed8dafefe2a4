#pragma once

#include <cstdint>

// Legibility of an entry's text colour on the list's background, by the
// contrast ratio of the Web Content Accessibility Guidelines. Colours are
// colour values: red + 256 × green + 65536 × blue.
namespace contrast {

// The least ratio at which ordinary text reads well.
constexpr double kReadable = 4.5;

// Relative luminance, 0 (black) to 1 (white).
double luminance(std::uint32_t color);

// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ratio(std::uint32_t a, std::uint32_t b);

// The colour to draw `text` in on `background`: `text` itself when it reads
// well; otherwise `text` blended towards white on a dark background (towards
// black on a light one) just far enough to reach kReadable. Where that
// direction cannot reach it the other is tried, and failing both the end
// that reads better is taken.
std::uint32_t readable(std::uint32_t text, std::uint32_t background);

}  // namespace contrast
