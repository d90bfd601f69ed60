#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

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
