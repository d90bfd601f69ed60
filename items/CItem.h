#pragma once

#include <vector>

#include "items/CBaseItem.h"

namespace Item {

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
    void AddScaled(const CBaseItem& source, double a, double b, int mode) override;
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

    std::int32_t TaxSide = 1;
    MonthAmounts Expected{};
    MonthAmounts Actual{};
    MonthAmounts Percent{};
    MonthInts PctType{};
    std::vector<std::int32_t> TaxLinks;
};

} // namespace Item
