#include "support/ByteBuilder.h"

#include <cstring>

ByteBuilder& ByteBuilder::U8(std::uint8_t v) {
    bytes_.push_back(v);
    return *this;
}

ByteBuilder& ByteBuilder::U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v & 0xFF));
    return U8(static_cast<std::uint8_t>(v >> 8));
}

ByteBuilder& ByteBuilder::I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }

ByteBuilder& ByteBuilder::U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v & 0xFFFF));
    return U16(static_cast<std::uint16_t>(v >> 16));
}

ByteBuilder& ByteBuilder::I64(std::int64_t v) {
    const auto u = static_cast<std::uint64_t>(v);
    U32(static_cast<std::uint32_t>(u & 0xFFFFFFFF));
    return U32(static_cast<std::uint32_t>(u >> 32));
}

ByteBuilder& ByteBuilder::F64(double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, sizeof u);
    return I64(static_cast<std::int64_t>(u));
}

ByteBuilder& ByteBuilder::Money(std::int64_t hundredths) {
    return F64(static_cast<double>(hundredths) * 0.01);
}

ByteBuilder& ByteBuilder::Narrow(std::string_view text) {
    U8(static_cast<std::uint8_t>(text.size()));
    for (char c : text)
        U8(static_cast<std::uint8_t>(c));
    return *this;
}

ByteBuilder& ByteBuilder::Wide(std::u16string_view text) {
    U8(0xFF).U16(0xFFFE);
    if (text.size() < 0xFF) {
        U8(static_cast<std::uint8_t>(text.size()));
    } else if (text.size() < 0xFFFE) {
        U8(0xFF).U16(static_cast<std::uint16_t>(text.size()));
    } else {
        U8(0xFF).U16(0xFFFF).U32(static_cast<std::uint32_t>(text.size()));
    }
    for (char16_t c : text)
        U16(c);
    return *this;
}

ByteBuilder& ByteBuilder::NewClass(std::string_view name, std::uint16_t schema) {
    U16(0xFFFF).U16(schema).U16(static_cast<std::uint16_t>(name.size()));
    for (char c : name)
        U8(static_cast<std::uint8_t>(c));
    return *this;
}

ByteBuilder& ByteBuilder::OldClass(std::uint16_t index) { return U16(0x8000 | index); }

ByteBuilder& ByteBuilder::Base(std::u16string_view name, bool hidden, std::int32_t value) {
    return F64(1.1).Wide(name).U8(hidden ? 1 : 0).I32(value);
}

ByteBuilder& ByteBuilder::Raw(const std::vector<std::uint8_t>& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}
