#pragma once

#include "items/CBaseItem.h"

namespace Item {

// A loan (category 10) or an investment (category 9): the same row, posted to different totals.
class CLoan : public CBaseItem {
public:
    static constexpr double kVersion = 1.3;

    const char* ClassName() const override { return "CLoan"; }
    void Serialize(Archive& ar) override;
    // Reads the older row layout, which has no base parts.
    void ReadLegacy(Archive& ar);

    int CopyMonth(int destMonth, const CBaseItem& source, int sourceMonth) override;
    int CopyFrom(const CBaseItem& source, int mode, bool copyActuals, bool copyName) override;
    void ClearMonth(int month) override;
    void ClearMonthPart(int month, bool actual) override;
    void ClearComputed(bool keepOpenings, bool clearInputs) override;
    void AddScaled(const CBaseItem& source, double a, double b, AddMode mode) override;
    void Scale(double x) override;
    std::int32_t* Setting() override { return &OutlineState; }

    std::int32_t Side = 1;
    Amount ExpectedOpening = 0;
    MonthAmounts ExpectedBalance{};
    MonthAmounts ExpectedAdvances{};
    MonthAmounts Rate{};
    MonthAmounts ExpectedInterest{};
    MonthAmounts ExpectedPayments{};
    MonthAmounts ExpectedInterestPaid{};
    MonthAmounts ExpectedPrincipalPaid{};
    MonthAmounts ExpectedAdjustments{};
    Amount ActualOpening = 0;
    MonthAmounts ActualBalance{};
    MonthAmounts ActualAdvances{};
    MonthAmounts ActualInterest{};
    MonthAmounts ActualPayments{};
    MonthAmounts ActualInterestPaid{};
    MonthAmounts ActualPrincipalPaid{};
    MonthAmounts ActualAdjustments{};
    MonthFlags ResetToActual{};
    std::int32_t OutlineState = 1;
};

} // namespace Item
