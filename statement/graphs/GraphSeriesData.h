#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "core/Amount.h"
#include "core/WideText.h"
#include "statement/graphs/GraphScale.h"

class CMainDoc;
namespace Database {
class CCompany;
class CTaxSetup;
} // namespace Database

// The sixteen summary series of the Standard and Basic graphs: one Expected value per month of
// every year of a company, in order, each read from the line of that year's statement it plots
// (a section total, a surplus line, the closing bank balance), with the axis range of the series
// that are shown.
class GraphSeriesData {
public:
    static constexpr int kSeries = 16;
    enum Series {
        kIncome = 0,
        kDirectCosts,
        kGrossSurplus,
        kExpenses,
        kNetBeforeInterest,
        kInterest,
        kNetSurplus,
        kCapitalReceipts,
        kCapitalExpenses,
        kCapitalPayments,
        kNetBeforeTax,
        kTax,
        kNetCashMovement,
        kBank,
        kInvestments,
        kLoans,
    };
    static constexpr std::array<std::u16string_view, kSeries> kSeriesNames = {
        u"Income",
        u"Direct Costs",
        u"Gross Surplus",
        u"Expenses",
        u"Net Surplus Before Interest",
        u"Interest",
        u"Net Surplus",
        u"Capital Receipts",
        u"Capital Expenses",
        u"Capital Payments",
        u"Net Movement Before Tax",
        u"Tax",
        u"Net Cash Movement",
        u"Bank A/C",
        u"Total Investments",
        u"Total Loans"};

    // Fills the series from the statements of the company's years (none: no months) and
    // computes the range over the months of the series that `shown` switches on. With
    // `offsetYear` the month labels count from the year after the first month's calendar year.
    void Load(const CMainDoc& doc, const Database::CCompany* company,
              const std::array<bool, kSeries>& shown, bool offsetYear);
    // Releases the series.
    void Free();

    int MonthCount() const { return monthCount; }
    // The monthly values of one series (MonthCount() entries; month p has running index
    // Months().firstIndex + p).
    const std::vector<Amount>& Values(int index) const;
    const GraphScale& Scale() const { return scale; }
    const GraphMonthRange& Months() const { return months; }
    // The amount text of axis labels, with the root's cents and brackets choices.
    Text AmountLabel(Amount value) const;

private:
    std::array<std::vector<Amount>, kSeries> series;
    int monthCount = 0;
    bool cents = true;
    bool brackets = true;
    GraphScale scale;
    GraphMonthRange months;
};

// The legend label of series 0-15: the two tax series are named after the tax setup and are
// empty without one.
Text StdGraphSeriesLabel(int series, const Database::CTaxSetup* taxSetup);
