#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

#include "core/Failure.h"
#include "database/Archive.h"
#include "items/CItem.h"
#include "items/CTaxSum.h"
#include "support/ByteBuilder.h"

using Item::CTaxSum;

namespace {

void Load(CTaxSum& sum, const std::vector<std::uint8_t>& bytes) {
    Archive ar{std::span<const std::uint8_t>(bytes)};
    sum.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 0u) << "the record was not read to its end";
}

std::vector<std::uint8_t> TaxSumBytes(double version) {
    ByteBuilder b;
    b.Base(u"VAT").F64(1.1).I32(0).F64(version);
    for (int m = 0; m < kMonths; ++m) {
        b.Money(100 * m).Money(-100 * m);
        if (version >= 1.1)
            b.U8(m == 7 ? 1 : 0);
    }
    if (version >= 1.2)
        b.I32(0);
    return b.Bytes();
}

} // namespace

TEST(TaxSumRecord, EveryVersionReadsItsOwnFields) {
    for (double version : {1.0, 1.1, 1.2}) {
        SCOPED_TRACE(version);
        CTaxSum sum;
        Load(sum, TaxSumBytes(version));
        EXPECT_EQ(sum.name, u"VAT");
        EXPECT_EQ(sum.ActualAdjustments[9], 900);
        EXPECT_EQ(sum.ExpectedAdjustments[9], -900);
        EXPECT_EQ(sum.ExpectedFromActual[7], version >= 1.1);
        EXPECT_EQ(sum.OutlineState, version >= 1.2 ? 0 : 1);
    }
}

TEST(TaxSumRecord, StoreLoadStoreIsByteIdentical) {
    CTaxSum sum;
    Load(sum, TaxSumBytes(1.2));
    Archive out;
    sum.Serialize(out);
    EXPECT_EQ(out.Bytes(), TaxSumBytes(1.2));
    CTaxSum again;
    Load(again, out.Bytes());
    Archive out2;
    again.Serialize(out2);
    EXPECT_EQ(out2.Bytes(), out.Bytes());
}

TEST(TaxSumRecord, VersionChecks) {
    ByteBuilder old;
    old.Base().F64(1.1).I32(0).F64(0.99);
    CTaxSum sum;
    Load(sum, old.Bytes());

    ByteBuilder newer;
    newer.Base().F64(1.1).I32(0).F64(1.3);
    Archive ar{std::span<const std::uint8_t>(newer.Bytes())};
    try {
        sum.Serialize(ar);
        FAIL() << "a 1.3 tax summary was accepted";
    } catch (const TextFailure& failure) {
        EXPECT_EQ(failure.Text(), "not supported");
    }
}

TEST(TaxSumEdit, AddScaledAndScaleCoverAllTenArrays) {
    CTaxSum source;
    source.SetHidden(true);
    source.ExpectedPayments.fill(1001);
    source.ActualRefunds.fill(999);
    source.ActualAdjustments.fill(-999);
    CTaxSum target;
    target.AddScaled(source, 0.5, 0.3, Item::AddMode::ActualsByAB);
    EXPECT_EQ(target.ExpectedPayments[0], 150);   // trunc(0.15 × 1001)
    EXPECT_EQ(target.ActualRefunds[0], 149);      // trunc(0.15 × 999)
    EXPECT_EQ(target.ActualAdjustments[0], -149); // toward zero
    target.AddScaled(source, 0.5, 0.3, static_cast<Item::AddMode>(7));
    EXPECT_EQ(target.ExpectedPayments[0], 300);
    EXPECT_EQ(target.ActualRefunds[0], 149);

    target.ActualOnSales.fill(-5);
    target.Scale(0.1);
    EXPECT_EQ(target.ExpectedPayments[0], 30);
    EXPECT_EQ(target.ActualOnSales[0], 0);       // floor(-0.5 + 0.5)
    EXPECT_EQ(target.ActualAdjustments[0], -15); // floor(-14.9 + 0.5)
}

TEST(TaxSumEdit, ClearComputedKeepsAdjustmentsUnlessInputsAreCleared) {
    CTaxSum sum;
    sum.ExpectedOnSales.fill(1);
    sum.ActualRefunds.fill(2);
    sum.ExpectedAdjustments.fill(3);
    sum.ClearComputed(true, false);
    EXPECT_EQ(sum.ExpectedOnSales[0], 0);
    EXPECT_EQ(sum.ActualRefunds[11], 0);
    EXPECT_EQ(sum.ExpectedAdjustments[11], 3);
    sum.ClearComputed(true, true);
    EXPECT_EQ(sum.ExpectedAdjustments[11], 0);
}

TEST(TaxSumEdit, CopyFromClearsFlagsUnlessActualsAreCopied) {
    CTaxSum source;
    Load(source, TaxSumBytes(1.2));
    source.hidden = true;
    CTaxSum target;
    target.ExpectedFromActual.fill(true);
    EXPECT_EQ(target.CopyFrom(source, 2, false, true), 0);
    EXPECT_EQ(target.name, u"VAT");
    EXPECT_FALSE(target.hidden); // the name only
    EXPECT_FALSE(target.ExpectedFromActual[7]);
    EXPECT_EQ(target.ExpectedAdjustments[3], 300);
    EXPECT_EQ(target.ActualAdjustments[3], 0);

    target.CopyFrom(source, 1, true, false);
    EXPECT_TRUE(target.ExpectedFromActual[7]);
    EXPECT_FALSE(target.ExpectedFromActual[6]);
    EXPECT_EQ(target.ExpectedAdjustments[3], -300);
    EXPECT_EQ(target.ActualAdjustments[3], 300);

    // A row merged with itself keeps its own flags.
    target.CopyFrom(target, 1, true, false);
    EXPECT_TRUE(target.ExpectedFromActual[7]);

    Item::CItem item;
    EXPECT_EQ(target.CopyFrom(item, 1, true, true), 1);
}

TEST(TaxSumEdit, MonthOperations) {
    CTaxSum source;
    Load(source, TaxSumBytes(1.2));
    CTaxSum sum;
    sum.CopyMonth(0, source, 7);
    EXPECT_EQ(sum.ActualAdjustments[0], 700);
    EXPECT_TRUE(sum.ExpectedFromActual[0]);
    sum.ClearMonthPart(0, false);
    EXPECT_EQ(sum.ActualAdjustments[0], 700);
    sum.ClearMonth(0);
    EXPECT_EQ(sum.ActualAdjustments[0], 0);
    EXPECT_FALSE(sum.ExpectedFromActual[0]);
    EXPECT_EQ(sum.CopyMonth(-3, source, 7), 0);
    EXPECT_EQ(*sum.Setting(), 1);
}
