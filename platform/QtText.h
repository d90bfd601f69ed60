#pragma once

#include <cstddef>

#include <QString>

#include "core/WideText.h"

// Our UTF-16 text and Qt's carry the same code units: converting either way changes nothing,
// unpaired surrogates and embedded NULs included.
inline QString ToQString(const Text& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline Text ToText(const QString& text) {
    return Text(reinterpret_cast<const char16_t*>(text.utf16()),
                static_cast<std::size_t>(text.size()));
}
