#pragma once

#include "items/CBaseItem.h"

namespace Item {

// The year's bank account row: openings, rates, limits, adjustments and the calculated balances
// and interest.
class CBank : public CBaseItem {
public:
    static constexpr double kVersion = 1.2;

    CBank() { name = u"Bank A/C"; }

    const char* ClassName() const override { return "CBank"; }
    void Serialize(Archive& ar) override;

    int CopyMonth(int destMonth, const CBaseItem& source, int sourceMonth) override;
    int CopyFrom(const CBaseItem& source, int mode, bool copyActuals, bool copyName) override;
    void ClearMonth(int month) override;
    void ClearMonthPart(int month, bool actual) override;
    void ClearComputed(bool keepOpenings, bool clearInputs) override;
    void AddScaled(const CBaseItem& source, double a, double b, AddMode mode) override;
    void Scale(double x) override;

    Amount ActualOpening = 0;
    MonthAmounts ActualCrInterest{};
    MonthAmounts ActualOdInterest{};
    MonthAmounts ActualBalance{};
    MonthAmounts ActualAdjustments{};
    MonthAmounts ActualOdLimit{};
    Amount ExpectedOpening = 0;
    MonthAmounts ExpectedCrInterest{};
    MonthAmounts ExpectedOdInterest{};
    MonthAmounts ExpectedBalance{};
    MonthAmounts ExpectedAdjustments{};
    MonthAmounts ExpectedOdLimit{};
    MonthAmounts OdRateWithin{};
    MonthAmounts OdRateBeyond{};
    MonthAmounts CrRate{};
    MonthFlags ResetToActual{};
    bool NoCrInterest = false;
    bool NoOdInterest = false;
    bool NoOdLimit = false;
};

} // namespace Item
