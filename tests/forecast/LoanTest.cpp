#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

#include "core/Failure.h"
#include "database/Archive.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "support/ByteBuilder.h"

using Item::CLoan;

namespace {

std::vector<std::uint8_t> Store(CLoan& loan) {
    Archive ar;
    loan.Serialize(ar);
    return ar.Bytes();
}

void Load(CLoan& loan, const std::vector<std::uint8_t>& bytes) {
    Archive ar{std::span<const std::uint8_t>(bytes)};
    loan.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 0u) << "the record was not read to its end";
}

// A loan record of the given version whose month m holds advances 100 × (m + 1) and an
// adjustment of -300 (from 1.1), with ResetToActual in June (from 1.2).
std::vector<std::uint8_t> LoanBytes(double version) {
    ByteBuilder b;
    b.Base(u"Mortgage", true).F64(1.1).I32(3);
    b.F64(version).I32(-1).Money(1200000).Money(1100000);
    for (int m = 0; m < kMonths; ++m) {
        b.Money(100 * (m + 1)).Money(950).Money(5000).Money(200).Money(8000).Money(6000);
        if (version >= 1.1)
            b.Money(-300).Money(-400);
        if (version >= 1.2)
            b.U8(m == 5 ? 1 : 0);
    }
    if (version >= 1.3)
        b.I32(2);
    return b.Bytes();
}

CLoan FilledLoan() {
    CLoan loan;
    loan.name = u"Mortgage";
    loan.hidden = true;
    loan.NoteCount = 3;
    loan.Side = -1;
    loan.ExpectedOpening = 1200000;
    loan.ActualOpening = 1100000;
    for (int m = 0; m < kMonths; ++m) {
        loan.ExpectedAdvances[m] = 100 * (m + 1);
        loan.Rate[m] = 950;
        loan.ExpectedPayments[m] = 5000;
        loan.ExpectedAdjustments[m] = -300;
        loan.ActualAdvances[m] = 200;
        loan.ActualInterest[m] = 8000;
        loan.ActualPayments[m] = 6000;
        loan.ActualAdjustments[m] = -400;
        loan.ResetToActual[m] = m == 5;
    }
    loan.OutlineState = 2;
    return loan;
}

} // namespace

TEST(LoanRecord, EveryVersionReadsItsOwnFields) {
    for (double version : {1.0, 1.1, 1.2, 1.3}) {
        SCOPED_TRACE(version);
        CLoan loan;
        Load(loan, LoanBytes(version));
        EXPECT_TRUE(loan.hidden);
        EXPECT_EQ(loan.NoteCount, 3);
        EXPECT_EQ(loan.Side, -1);
        EXPECT_EQ(loan.ExpectedOpening, 1200000);
        EXPECT_EQ(loan.ActualOpening, 1100000);
        EXPECT_EQ(loan.ExpectedAdvances[11], 1200);
        EXPECT_EQ(loan.Rate[0], 950);
        EXPECT_EQ(loan.ActualPayments[11], 6000);
        EXPECT_EQ(loan.ExpectedAdjustments[11], version >= 1.1 ? -300 : 0);
        EXPECT_EQ(loan.ActualAdjustments[0], version >= 1.1 ? -400 : 0);
        EXPECT_EQ(loan.ResetToActual[5], version >= 1.2);
        EXPECT_EQ(loan.OutlineState, version >= 1.3 ? 2 : 1);
    }
}

TEST(LoanRecord, StoreLoadStoreIsByteIdentical) {
    CLoan loan = FilledLoan();
    const auto bytes = Store(loan);
    EXPECT_EQ(bytes, LoanBytes(1.3)); // the documented field order
    CLoan loaded;
    Load(loaded, bytes);
    EXPECT_EQ(loaded.Side, -1);
    EXPECT_EQ(loaded.ActualInterest, loan.ActualInterest);
    EXPECT_EQ(loaded.ResetToActual, loan.ResetToActual);
    EXPECT_EQ(Store(loaded), bytes);
}

TEST(LoanRecord, VersionChecks) {
    ByteBuilder old;
    old.Base().F64(1.1).I32(0).F64(0.0);
    CLoan loan;
    Load(loan, old.Bytes());
    EXPECT_EQ(loan.Side, 1);

    ByteBuilder newer;
    newer.Base().F64(1.1).I32(0).F64(1.4).I32(1);
    Archive ar{std::span<const std::uint8_t>(newer.Bytes())};
    try {
        loan.Serialize(ar);
        FAIL() << "a 1.4 loan record was accepted";
    } catch (const TextFailure& failure) {
        EXPECT_EQ(failure.Text(), "not supported");
    }

    auto cut = LoanBytes(1.3);
    cut.pop_back(); // the outline state lacks a byte
    Archive cutAr{std::span<const std::uint8_t>(cut)};
    try {
        loan.Serialize(cutAr);
        FAIL() << "a truncated loan record was accepted";
    } catch (const ArchiveFailure& failure) {
        EXPECT_EQ(failure.GetKind(), ArchiveFailure::Kind::EndOfFile);
    }
}

TEST(LoanRecord, ReadLegacyTakesTheOldLayout) {
    ByteBuilder b;
    b.Narrow("Van loan").I32(5).I32(0).Money(900000);
    for (int m = 0; m < kMonths; ++m)
        b.Money(100 * m).Money(750).Money(-200);
    CLoan loan;
    Archive ar{std::span<const std::uint8_t>(b.Bytes())};
    loan.ReadLegacy(ar);
    EXPECT_EQ(ar.Remaining(), 0u);
    EXPECT_EQ(loan.name, u"Van loan");
    EXPECT_TRUE(loan.hidden);
    EXPECT_EQ(loan.Side, 0);
    EXPECT_EQ(loan.ExpectedOpening, 900000);
    EXPECT_EQ(loan.ExpectedAdvances[11], 1100);
    EXPECT_EQ(loan.Rate[3], 750);
    EXPECT_EQ(loan.ExpectedPayments[3], -200);
    EXPECT_EQ(loan.ActualOpening, 0);
}

TEST(LoanEdit, AddScaledSkipsRateAndFollowsTheMode) {
    CLoan source = FilledLoan();
    source.SetHidden(true); // loans consolidate whether hidden or not
    source.ExpectedInterestPaid.fill(1001);
    source.ActualPrincipalPaid.fill(999);
    const Amount actualAdded[] = {0, 499, 149, 0};
    for (int mode : {0, 1, 2, 5}) {
        CLoan target;
        target.AddScaled(source, 0.5, 0.3, static_cast<Item::AddMode>(mode));
        EXPECT_EQ(target.ExpectedInterestPaid[0], 150); // trunc(0.15 × 1001)
        EXPECT_EQ(target.ExpectedAdvances[0], 15);      // trunc(0.15 × 100)
        EXPECT_EQ(target.Rate[0], 0);
        EXPECT_EQ(target.ActualPrincipalPaid[0], actualAdded[mode == 5 ? 3 : mode]);
        EXPECT_EQ(target.ExpectedOpening, 0);
    }
}

TEST(LoanEdit, ScaleAndClearComputed) {
    CLoan loan = FilledLoan();
    loan.ExpectedBalance.fill(-35);
    loan.ActualInterestPaid.fill(45);
    loan.Scale(0.1);
    EXPECT_EQ(loan.ExpectedBalance[0], -3);   // floor(-3.5 + 0.5)
    EXPECT_EQ(loan.ActualInterestPaid[0], 5); // floor(4.5 + 0.5)
    EXPECT_EQ(loan.Rate[0], 950);
    EXPECT_EQ(loan.ExpectedOpening, 1200000);

    loan.ClearComputed(true, false);
    EXPECT_EQ(loan.ExpectedOpening, 1200000);
    EXPECT_EQ(loan.ExpectedBalance[0], 0);
    EXPECT_EQ(loan.ActualInterestPaid[0], 5); // only cleared with the inputs
    EXPECT_EQ(loan.ActualPayments[0], 600);
    loan.ClearComputed(false, true);
    EXPECT_EQ(loan.ActualOpening, 0);
    EXPECT_EQ(loan.ActualInterestPaid[0], 0);
    EXPECT_EQ(loan.ActualPayments[0], 0);
    EXPECT_EQ(loan.Rate[0], 950);
    EXPECT_TRUE(loan.ResetToActual[5]);
}

TEST(LoanEdit, CopyFromModesAlwaysTakeSide) {
    CLoan source = FilledLoan();
    source.name = u"Overdraft loan";
    CLoan target;
    EXPECT_EQ(target.CopyFrom(source, 2, false, false), 0);
    EXPECT_EQ(target.Side, -1);
    EXPECT_EQ(target.name, u" ");
    EXPECT_FALSE(target.hidden);
    EXPECT_EQ(target.ExpectedOpening, 1100000);
    EXPECT_EQ(target.ExpectedAdvances[0], 200);
    EXPECT_EQ(target.ExpectedPayments[0], 6000);
    EXPECT_EQ(target.ExpectedAdjustments[0], -400);
    EXPECT_EQ(target.Rate[0], 950);
    EXPECT_EQ(target.ActualInterest[0], 0);

    CLoan withActuals;
    withActuals.CopyFrom(source, 0, true, true);
    EXPECT_EQ(withActuals.name, u"Overdraft loan");
    EXPECT_TRUE(withActuals.hidden);
    EXPECT_EQ(withActuals.ActualOpening, 1100000);
    EXPECT_EQ(withActuals.ActualInterest[0], 8000);
    EXPECT_EQ(withActuals.ExpectedOpening, 0);
    EXPECT_EQ(withActuals.Rate[0], 0);

    Item::CItem item;
    EXPECT_EQ(withActuals.CopyFrom(item, 1, true, true), 1);
    EXPECT_EQ(withActuals.CopyMonth(0, item, 0), 1);
}

TEST(LoanEdit, MonthOperations) {
    CLoan source = FilledLoan();
    source.ExpectedInterest.fill(77);
    CLoan loan;
    loan.CopyMonth(1, source, 5);
    EXPECT_EQ(loan.ExpectedAdvances[1], 600);
    EXPECT_TRUE(loan.ResetToActual[1]);
    EXPECT_EQ(loan.ActualInterest[1], 0); // entered interest is not a month copy's
    EXPECT_EQ(loan.ExpectedInterest[1], 0);

    source.ExpectedBalance.fill(5);
    source.ClearMonth(4);
    EXPECT_EQ(source.ExpectedBalance[4], 5);
    EXPECT_EQ(source.Rate[4], 0);
    EXPECT_EQ(source.ExpectedInterest[4], 0);
    EXPECT_EQ(source.ActualPayments[4], 0);
    source.ClearMonthPart(3, false);
    EXPECT_EQ(source.ExpectedInterest[3], 0);
    EXPECT_EQ(source.Rate[3], 950);
    EXPECT_EQ(source.ActualPayments[3], 6000);
    source.ClearMonthPart(99, true);
    EXPECT_EQ(*source.Setting(), 2);
}
