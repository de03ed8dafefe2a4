#include "search/lineoffsets.h"

#include <algorithm>

#include "lists/textfile.h"

namespace {

template <class T>
void reserveLarge(std::vector<T>& v, size_t n) {
    if (n <= v.capacity()) return;
    // Into a new block that asked for large pages before it is written.
    std::vector<T> bigger;
    bigger.reserve(n);
    textfile::preferLargePages(bigger.data(), qsizetype(n * sizeof(T)));
    bigger.insert(bigger.end(), v.begin(), v.end());
    v.swap(bigger);
}

template <class T>
void pushLarge(std::vector<T>& v, T value) {
    if (v.size() == v.capacity()) reserveLarge(v, std::max<size_t>(v.size() * 2, 1 << 16));
    v.push_back(value);
}

}  // namespace

void LineOffsets::grow(std::int64_t offset) {
    if (wide_.empty() && offset >= narrowLimit_) widen();
    if (wide_.empty())
        pushLarge(narrow_, std::uint32_t(offset));
    else
        pushLarge(wide_, offset);
}

void LineOffsets::widen() {
    reserveLarge(wide_, std::max(narrow_.capacity(), narrow_.size() + 1));
    wide_.assign(narrow_.begin(), narrow_.end());
    narrow_ = {};
}

void LineOffsets::reserve(size_t n) {
    if (wide_.empty())
        reserveLarge(narrow_, n);
    else
        reserveLarge(wide_, n);
}

void LineOffsets::reset() {
    narrow_ = {0};
    wide_ = {};
}

size_t LineOffsets::upperBound(size_t from, std::int64_t offset) const {
    if (wide_.empty())
        return size_t(
            std::upper_bound(narrow_.begin() + std::ptrdiff_t(from), narrow_.end(), offset,
                             [](std::int64_t v, std::uint32_t e) { return v < std::int64_t(e); }) -
            narrow_.begin());
    return size_t(std::upper_bound(wide_.begin() + std::ptrdiff_t(from), wide_.end(), offset) -
                  wide_.begin());
}

std::int64_t LineOffsets::heldBytes() const {
    return std::int64_t(narrow_.size() * sizeof(std::uint32_t) +
                        wide_.size() * sizeof(std::int64_t));
}
