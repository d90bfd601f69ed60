#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Small choices taken from the end of a fuzz input, last byte first. The reader stops at the end
// of the root record, so bytes the fuzzer appends after it choose how the statement is drawn
// without changing the forecast. An exhausted tail answers zeros.
class InputTail {
public:
    explicit InputTail(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t Byte() {
        if (bytes_.empty())
            return 0;
        const std::uint8_t last = bytes_.back();
        bytes_ = bytes_.first(bytes_.size() - 1);
        return last;
    }

    std::uint32_t Word32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | Byte();
        return value;
    }

    // A value in [low, high], spread over two bytes.
    int InRange(int low, int high) {
        const std::uint32_t span = static_cast<std::uint32_t>(high - low) + 1;
        const std::uint32_t raw = static_cast<std::uint32_t>(Byte()) << 8 | Byte();
        return low + static_cast<int>(raw % span);
    }

private:
    std::span<const std::uint8_t> bytes_;
};

// Writes choices that an InputTail reads back in the same order: append Bytes() to a file.
class TailWriter {
public:
    TailWriter& Byte(std::uint8_t value) {
        read_.push_back(value);
        return *this;
    }
    TailWriter& Word32(std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            Byte(static_cast<std::uint8_t>(value >> shift));
        return *this;
    }
    TailWriter& InRange(int low, int value) {
        const auto raw = static_cast<std::uint32_t>(value - low);
        return Byte(static_cast<std::uint8_t>(raw >> 8)).Byte(static_cast<std::uint8_t>(raw));
    }
    // The bytes to append, the first choice last.
    std::vector<std::uint8_t> Bytes() const { return {read_.rbegin(), read_.rend()}; }

private:
    std::vector<std::uint8_t> read_;
};
