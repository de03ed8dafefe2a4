#pragma once

#include <cstddef>
#include <string_view>

// Well-formed UTF-8 in plain C++, for code that runs before Qt is loaded as
// well as for the list files: no overlong forms, no surrogates, nothing
// above U+10FFFF.
namespace utf8 {

// The length of the well-formed sequence that starts at `at`, or 0.
std::size_t sequenceAt(std::string_view s, std::size_t at);

// True when all of `s` is well-formed.
bool isValid(std::string_view s);

}  // namespace utf8
