#pragma once

#include <string>
#include <string_view>

// SHA-256 of `bytes` as 64 lower-case hex digits. The link's file names are
// made from it; a second copy computes it without loading any library.
std::string sha256Hex(std::string_view bytes);
