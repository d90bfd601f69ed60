#pragma once

#include <array>
#include <cstdint>

#include "database/CBase.h"

namespace Database {

inline constexpr int kGraphKinds = 3;
inline constexpr int kGraphSeries = 18;

// One graph of a year: which total rows are plotted, in which kinds, months and colours.
class CGraphSettings : public CBase {
public:
    static constexpr double kVersion = 1.1;

    CGraphSettings();

    const char* ClassName() const override { return "CGraphSettings"; }
    void Serialize(Archive& ar) override;

    // Takes the name, the month flags, the series switches and the colours.
    void CopyFrom(const CGraphSettings& other);

    // [kind][series][month]
    std::array<std::array<std::array<bool, 12>, kGraphSeries>, kGraphKinds> months;
    // [kind][series]
    std::array<std::array<bool, kGraphSeries>, kGraphKinds> seriesOn{};
    std::array<std::array<std::uint32_t, kGraphSeries>, kGraphKinds> colour{};
};

} // namespace Database
