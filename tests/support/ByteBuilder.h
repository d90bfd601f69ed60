#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Builds archive bytes by hand, for old record versions and damaged files that the storing
// path never writes.
class ByteBuilder {
public:
    ByteBuilder& U8(std::uint8_t v);
    ByteBuilder& U16(std::uint16_t v);
    ByteBuilder& I32(std::int32_t v);
    ByteBuilder& U32(std::uint32_t v);
    ByteBuilder& I64(std::int64_t v);
    ByteBuilder& F64(double v);
    // An amount in hundredths, written as its file double (amount × 0.01).
    ByteBuilder& Money(std::int64_t hundredths);
    // A narrow (single-byte) text with a one-byte length.
    ByteBuilder& Narrow(std::string_view text);
    // A wide text in the form the storing path writes.
    ByteBuilder& Wide(std::u16string_view text);
    // A new-class tag: 0xFFFF, schema, name length, name.
    ByteBuilder& NewClass(std::string_view name, std::uint16_t schema = 1);
    // A tag of a class seen before (0x8000 | index).
    ByteBuilder& OldClass(std::uint16_t index);
    // A CBase record of the current version.
    ByteBuilder& Base(std::u16string_view name = u" ", bool hidden = false, std::int32_t value = 0);
    ByteBuilder& Raw(const std::vector<std::uint8_t>& bytes);

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
};
