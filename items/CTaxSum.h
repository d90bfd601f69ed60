#pragma once

#include "items/CBaseItem.h"

namespace Item {

// The year's summary of one tax setup: tax posted on sales and expenses, and its settlement.
class CTaxSum : public CBaseItem {
public:
    static constexpr double kVersion = 1.2;

    const char* ClassName() const override { return "CTaxSum"; }
    void Serialize(Archive& ar) override;

    int CopyMonth(int destMonth, const CBaseItem& source, int sourceMonth) override;
    int CopyFrom(const CBaseItem& source, int mode, bool copyActuals, bool copyName) override;
    void ClearMonth(int month) override;
    void ClearMonthPart(int month, bool actual) override;
    void ClearComputed(bool keepOpenings, bool clearInputs) override;
    void AddScaled(const CBaseItem& source, double a, double b, AddMode mode) override;
    void Scale(double x) override;
    std::int32_t* Setting() override { return &OutlineState; }

    MonthAmounts ExpectedOnSales{};
    MonthAmounts ExpectedOnExpenses{};
    MonthAmounts ExpectedPayments{};
    MonthAmounts ExpectedRefunds{};
    MonthAmounts ExpectedAdjustments{};
    MonthAmounts ActualOnSales{};
    MonthAmounts ActualOnExpenses{};
    MonthAmounts ActualPayments{};
    MonthAmounts ActualRefunds{};
    MonthAmounts ActualAdjustments{};
    MonthFlags ExpectedFromActual{};
    std::int32_t OutlineState = 1;
};

} // namespace Item
