#pragma once

#include <cstdint>
#include <vector>

#include "items/CBaseItem.h"

namespace Item {

// How a month's Expected figure is found: entered, or a percentage of a base amount. The row
// keeps the number in PctType.
enum class PercentRule : std::int32_t {
    Entered = 0,
    OfTotalIncome = 1,      // the year's Total Income Expected figure of the month
    OfPreviousExpected = 2, // this row's Expected figure of the month in the previous year
    OfPreviousActual = 3,   // this row's Actual figure of the month in the previous year
};

// The ordinary row (income, costs, expenses, other income, capital) and the year's total rows.
class CItem : public CBaseItem {
public:
    static constexpr double kVersion = 1.1;

    const char* ClassName() const override { return "CItem"; }
    void Serialize(Archive& ar) override;
    // Reads the older row layout, which has no base parts.
    void ReadLegacy(Archive& ar);

    int CopyMonth(int destMonth, const CBaseItem& source, int sourceMonth) override;
    int CopyFrom(const CBaseItem& source, int mode, bool copyActuals, bool copyName) override;
    void ClearMonth(int month) override;
    void ClearMonthPart(int month, bool actual) override;
    void ClearComputed(bool keepOpenings, bool clearInputs) override;
    Amount AddExpectedTo(MonthAmounts& accumulator) const override;
    Amount ActualSum() const override;
    void AddScaled(const CBaseItem& source, double a, double b, AddMode mode) override;
    void Scale(double x) override;
    int ApplyTaxFactor(bool divide, const Database::CCompany& company,
                       const Database::CYear& year) override;
    bool MoveTaxLink(int from, int before) override;
    bool AppendTaxLink() override;
    bool RemoveTaxLink(int index) override;
    bool DropTaxRate(int setupIndex, int rateIndex) override;
    bool SetTaxLink(int setupIndex, int rateIndex) override;

    // Zeroes Expected, Actual and Percent (how the calculation clears a total row).
    void ClearTotal();
    // The rule of a month; any number other than those of a percentage rule means an entered
    // figure.
    PercentRule RuleOf(int month) const;
    void SetRule(int month, PercentRule rule) { PctType[month] = static_cast<std::int32_t>(rule); }

    std::int32_t TaxSide = 1;
    MonthAmounts Expected{};
    MonthAmounts Actual{};
    MonthAmounts Percent{};
    MonthInts PctType{};
    std::vector<std::int32_t> TaxLinks;
};

} // namespace Item
