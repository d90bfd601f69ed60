#pragma once

#include <cstdint>

// How the Advanced edition prints the sections and blocks of its statement, as chosen in its
// Printing Options. The forecast root keeps the number.
enum class PrintOption : std::int32_t {
    AsSelected = 0,
    Collapsed = 1,
    PerDisplay = 2,
    Expanded = 3,
};
