#include "calc/BankCalculation.h"

#include "calc/ItemCalculation.h"
#include "core/Months.h"
#include "database/CYear.h"
#include "database/Categories.h"
#include "items/CBank.h"
#include "items/CItem.h"

namespace Item {

namespace {

// 1/120000 as a double: a rate in hundredths of a percent point per year, per month.
constexpr double kMonthlyRate = 8.333333333333334e-6;

using Wide = __int128;

// within × rateWithin + beyond × rateBeyond, formed exactly and converted once. Only amounts
// far outside any real forecast can overflow even 128 bits; they fall back to double sums.
double SumOfProducts(Wide within, Amount rateWithin, Wide beyond, Amount rateBeyond) {
    Wide first = 0;
    Wide second = 0;
    Wide sum = 0;
    if (!__builtin_mul_overflow(within, Wide{rateWithin}, &first) &&
        !__builtin_mul_overflow(beyond, Wide{rateBeyond}, &second) &&
        !__builtin_add_overflow(first, second, &sum))
        return static_cast<double>(sum);
    return static_cast<double>(within) * static_cast<double>(rateWithin) +
           static_cast<double>(beyond) * static_cast<double>(rateBeyond);
}

} // namespace

Amount OverdraftInterest(Amount balance, Amount limit, Amount rateWithin, Amount rateBeyond) {
    // Widened: the overdrawn amount of the most negative balance does not fit in 64 bits.
    const Wide overdrawn = -Wide{balance};
    const Wide within = overdrawn < Wide{limit} ? overdrawn : Wide{limit};
    const Wide excess = overdrawn - Wide{limit};
    const Wide beyond = excess > 0 ? excess : 0;
    return TruncToAmount(SumOfProducts(within, rateWithin, beyond, rateBeyond) * kMonthlyRate);
}

void CalculateBank(CBank& bank, const Database::CYear& year, Database::CYear* next, CItem& interest,
                   CItem& otherIncome, const CItem& netCash, CItem& bankTotal) {
    const YearSpan span = SpanOf(year);
    const int s = span.start;
    bank.ActualBalance[s] = bank.ActualOpening;
    bank.ExpectedBalance[s] = bank.ExpectedOpening;

    for (int i = s; i <= span.Last(); ++i) {
        const int m = i % 12;

        const Amount b = bank.ExpectedBalance[m];
        if (b > 0) {
            bank.ExpectedCrInterest[m] = bank.NoCrInterest
                                             ? 0
                                             : TruncToAmount(static_cast<double>(b) * kMonthlyRate *
                                                             static_cast<double>(bank.CrRate[m]));
            bank.ExpectedOdInterest[m] = 0;
        } else if (b < 0) {
            bank.ExpectedCrInterest[m] = 0;
            bank.ExpectedOdInterest[m] =
                bank.NoOdInterest ? 0
                                  : OverdraftInterest(b, bank.ExpectedOdLimit[m],
                                                      bank.OdRateWithin[m], bank.OdRateBeyond[m]);
        }

        Amount actualResult = bank.ActualBalance[m];
        if (year.display.ActualMonth(m)) {
            actualResult = SaturatingAdd(actualResult, netCash.Actual[m]);
            actualResult = SaturatingAdd(actualResult, bank.ActualAdjustments[m]);
            actualResult = SaturatingAdd(actualResult, bank.ActualCrInterest[m]);
            actualResult = SaturatingSub(actualResult, bank.ActualOdInterest[m]);
        }
        Amount expectedResult = bank.ExpectedBalance[m];
        if (year.display.ExpectedMonth(m)) {
            expectedResult = SaturatingAdd(expectedResult, netCash.Expected[m]);
            expectedResult = SaturatingAdd(expectedResult, bank.ExpectedAdjustments[m]);
            expectedResult = SaturatingAdd(expectedResult, bank.ExpectedCrInterest[m]);
            expectedResult = SaturatingSub(expectedResult, bank.ExpectedOdInterest[m]);
        }

        if (i < span.Last()) {
            const int n = (i + 1) % 12;
            bank.ActualBalance[n] = SaturatingAdd(bank.ActualBalance[n], actualResult);
            bank.ExpectedBalance[n] = bank.ResetToActual[m]
                                          ? bank.ActualBalance[n]
                                          : SaturatingAdd(bank.ExpectedBalance[n], expectedResult);
        } else if (next != nullptr) {
            if (auto* following = RowAs<CBank>(next->FindItem(kBank, 0))) {
                following->ActualOpening = SaturatingAdd(following->ActualOpening, actualResult);
                following->ExpectedOpening =
                    bank.ResetToActual[m]
                        ? following->ActualOpening
                        : SaturatingAdd(following->ExpectedOpening, expectedResult);
            }
        }

        if (!bank.NoOdInterest) {
            interest.Expected[m] = SaturatingAdd(interest.Expected[m], bank.ExpectedOdInterest[m]);
            interest.Actual[m] = SaturatingAdd(interest.Actual[m], bank.ActualOdInterest[m]);
        }
        if (!bank.NoCrInterest) {
            otherIncome.Expected[m] =
                SaturatingAdd(otherIncome.Expected[m], bank.ExpectedCrInterest[m]);
            otherIncome.Actual[m] = SaturatingAdd(otherIncome.Actual[m], bank.ActualCrInterest[m]);
        }

        bankTotal.Expected[m] = expectedResult;
        bankTotal.Actual[m] = actualResult;
    }
}

} // namespace Item
