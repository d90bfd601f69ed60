#pragma once

#include <cstdint>

#include "core/ObjectList.h"
#include "database/CBase.h"
#include "database/CTabView.h"
#include "database/LayoutKey.h"
#include "database/PrintOption.h"

namespace Database {

// The root of the forecast tree: its views and the settings that travel with the forecast.
class CPERT : public CBase {
public:
    static constexpr double kVersion = 1.4;

    const char* ClassName() const override { return "CPERT"; }
    void Serialize(Archive& ar) override;

    // The view at a 0-based index; fails with "Not Found".
    CTabView& View(int index) const;
    int ViewCount() const { return static_cast<int>(views.Count()); }
    int HiddenViewCount() const;

    // The object at a key, resolved from level 0; fails with "Not Found".
    CObject* ObjectAt(const LayoutKey& key);

    // Forwarding accessors: they answer for the given (or first) view, and 0 / none / 1 as
    // stated when that view does not exist. A view index of -10 fails with "Not Found".
    std::int32_t TaxExclusive(int view = 0) const;
    CTaxSetup* TaxSetup(int index) const;
    CYear* Year(int index) const;
    int CompanyCount() const;
    int YearCount() const;

    // The print option as stored: a number no dialog gives, read from a damaged file, stays as
    // it is and prints as no option would.
    PrintOption GetPrintOption() const { return static_cast<PrintOption>(printOption); }
    void SetPrintOption(PrintOption option) { printOption = static_cast<std::int32_t>(option); }

    ObjectList<CTabView> views;
    std::int32_t brackets = 1;
    std::int32_t cents = 1;
    std::int32_t percentage = 1;
    std::int32_t marginTop = 0;
    std::int32_t marginLeft = 0;
    std::int32_t marginBottom = 0;
    std::int32_t marginRight = 0;
    std::int32_t printOption = static_cast<std::int32_t>(PrintOption::PerDisplay);
};

} // namespace Database
