#include "display/LayoutSupport.h"

#include <algorithm>
#include <initializer_list>
#include <limits>

#include "document/CMainDoc.h"
#include "core/Failure.h"
#include "display/LayoutMetrics.h"
#include "platform/DeviceContext.h"
#include "database/CDisplaySettings.h"
#include "database/CPERT.h"
#include "database/CTaxSetup.h"
#include "database/CYear.h"

namespace Display {

Database::CObject* FindObject(CMainDoc& doc, const LayoutKey& key) {
    try {
        return doc.ObjectAt(key);
    } catch (const TextFailure&) {
        return nullptr;
    }
}

Database::CYear* FindYear(CMainDoc& doc, const LayoutKey& key) {
    if (!key.IsSet(LayoutKey::kYear))
        return nullptr;
    LayoutKey yearKey = key;
    yearKey[LayoutKey::kGraph] = LayoutKey::kNoEntry;
    yearKey[LayoutKey::kCategory] = LayoutKey::kNoEntry;
    yearKey[LayoutKey::kPosition] = LayoutKey::kNoEntry;
    return dynamic_cast<Database::CYear*>(FindObject(doc, yearKey));
}

std::vector<const Database::CTaxSetup*> DocumentTaxes(const CMainDoc& doc) {
    std::vector<const Database::CTaxSetup*> taxes;
    for (int i = 0; const Database::CTaxSetup* setup = doc.Root().TaxSetup(i); ++i)
        taxes.push_back(setup);
    return taxes;
}

void FigureMeter::operator()(Amount value) {
    if (value == 0) {
        if (zeroMeasured_)
            return;
        zeroMeasured_ = true;
    }
    metrics_.widestFigure = std::max(
        metrics_.widestFigure, metrics_.figureWidths.Width(dc_, display_.AmountText(value)));
}

const char16_t* MonthAbbreviation(int month) {
    static constexpr const char16_t* kNames[12] = {u"Jan", u"Feb", u"Mar", u"Apr",
                                                   u"May", u"Jun", u"Jul", u"Aug",
                                                   u"Sep", u"Oct", u"Nov", u"Dec"};
    return kNames[((month % 12) + 12) % 12];
}

YearSpan SpanOf(const Database::CYear& year) {
    return {((year.startMonth % 12) + 12) % 12, std::clamp(year.months, 0, 12)};
}

bool MonthShown(const Database::CDisplaySettings& display, int k, int m) {
    const MonthFlags& flags = k == Database::kActual     ? display.showActual
                              : k == Database::kExpected ? display.showExpected
                                                         : display.showVariance;
    return flags[static_cast<std::size_t>(m)];
}

bool MonthCounted(const Database::CDisplaySettings& display, int k, int m) {
    return display.includeHidden || MonthShown(display, k, m);
}

void FormPercentages(const std::array<Amount, 3>& totals, const Database::CYear& year,
                     std::array<Amount, 3>& percents, std::array<bool, 3>& shown) {
    const Amount bases[2] = {year.incomeActual, year.incomeExpected};
    for (int k : {Database::kActual, Database::kExpected}) {
        shown[k] = bases[k] != 0;
        percents[k] = shown[k] ? PercentOf(totals[k], bases[k]) : 0;
    }
    percents[Database::kVariance] =
        SaturatingSub(percents[Database::kActual], percents[Database::kExpected]);
    shown[Database::kVariance] = true;
}

bool TotalShown(const Database::CDisplaySettings& display, int k) {
    return k == Database::kActual     ? display.totalActual
           : k == Database::kExpected ? display.totalExpected
                                      : display.totalVariance;
}

bool PercentageShown(const Database::CDisplaySettings& display, int k) {
    return k == Database::kActual     ? display.percentageActual
           : k == Database::kExpected ? display.percentageExpected
                                      : display.percentageVariance;
}

} // namespace Display
