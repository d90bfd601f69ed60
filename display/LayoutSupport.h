#pragma once

#include <array>
#include <vector>

#include "core/Amount.h"
#include "core/WideText.h"
#include "database/LayoutKey.h"
#include "display/Palette.h"
#include "platform/DrawTypes.h"

class CMainDoc;
class DeviceContext;

namespace Database {
class CDisplaySettings;
class CObject;
class CTaxSetup;
class CYear;
} // namespace Database

// Lookups and small geometry shared by the layout objects.
namespace Display {

struct LayoutMetrics;

// The object at a key, or none when any level fails to resolve.
Database::CObject* FindObject(CMainDoc& doc, const LayoutKey& key);
// The year a key shows (its levels below the year ignored), or none.
Database::CYear* FindYear(CMainDoc& doc, const LayoutKey& key);
// The document's taxes: the setups the root gives for the first view, in order.
std::vector<const Database::CTaxSetup*> DocumentTaxes(const CMainDoc& doc);

// Widens the widest figure of a pass to the text of each amount it is given. Zero, the most
// common figure, always reads "-  ": it is measured once per meter.
class FigureMeter {
  public:
    FigureMeter(DeviceContext& dc, LayoutMetrics& metrics,
                const Database::CDisplaySettings& display)
        : dc_(dc), metrics_(metrics), display_(display) {}
    void operator()(Amount value);

  private:
    DeviceContext& dc_;
    LayoutMetrics& metrics_;
    const Database::CDisplaySettings& display_;
    bool zeroMeasured_ = false;
};

// The column's x-extent over the rows' y-extent.
constexpr Rect ColumnCell(const Rect& column, const Rect& rows) {
    return {column.left, rows.top, column.right, rows.bottom};
}
constexpr bool Meets(const Rect& a, const Rect& b) {
    return !a.Intersected(b).IsEmpty();
}
constexpr Rect Offset(const Rect& rect, int dx, int dy) {
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

// The English three-letter name of a calendar month (0 January).
const char16_t* MonthAbbreviation(int month);

// The year's span: its first calendar month and how many months it has (at most twelve).
struct YearSpan {
    int start = 0;
    int count = 0;
    int Month(int position) const { return (position + start) % 12; }
    int LastMonth() const { return (start + count + 11) % 12; }
};
YearSpan SpanOf(const Database::CYear& year);

// Whether sub-column k (0 Actual, 1 Expected, 2 Variance) of calendar month m is drawn, and
// whether the month counts towards the Total column (drawn, or all months included).
bool MonthShown(const Database::CDisplaySettings& display, int k, int m);
bool MonthCounted(const Database::CDisplaySettings& display, int k, int m);
// A row's percentages of the year's income totals: Actual and Expected are empty when their
// base is 0; Variance (Actual - Expected, an empty one counting 0) always stands.
void FormPercentages(const std::array<Amount, 3>& totals, const Database::CYear& year,
                     std::array<Amount, 3>& percents, std::array<bool, 3>& shown);
// Whether sub-column k of the Total and the Percentage columns is drawn.
bool TotalShown(const Database::CDisplaySettings& display, int k);
bool PercentageShown(const Database::CDisplaySettings& display, int k);

} // namespace Display
