#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Where the lines of one byte buffer start, in order. Each offset takes 32
// bits while the buffer stays under 4 GiB, so a million lines cost 4 MB;
// the first offset past that turns them all to 64 bits.
class LineOffsets {
public:
    // `narrowLimit`: the first offset that needs 64 bits.
    explicit LineOffsets(std::int64_t narrowLimit = std::int64_t(1) << 32)
        : narrowLimit_(narrowLimit) {}

    std::int64_t operator[](size_t i) const { return wide_.empty() ? narrow_[i] : wide_[i]; }
    size_t size() const { return wide_.empty() ? narrow_.size() : wide_.size(); }
    bool empty() const { return size() == 0; }
    std::int64_t back() const { return (*this)[size() - 1]; }
    // Offsets never go down: push_back keeps them in order.
    void push_back(std::int64_t offset) {
        // Inline for the common case: loading a file pushes every line.
        if (wide_.empty() && offset < narrowLimit_ && narrow_.size() < narrow_.capacity())
            narrow_.push_back(std::uint32_t(offset));
        else
            grow(offset);
    }
    // Room for `n` offsets, in a block that asked for large pages.
    void reserve(size_t n);
    // Just the one offset 0, memory released.
    void reset();
    // The first position at or after `from` whose offset is above `offset`
    // (size() when none).
    size_t upperBound(size_t from, std::int64_t offset) const;
    std::int64_t heldBytes() const;

private:
    void grow(std::int64_t offset);
    void widen();

    std::int64_t narrowLimit_;
    std::vector<std::uint32_t> narrow_{0};
    std::vector<std::int64_t> wide_;
};
