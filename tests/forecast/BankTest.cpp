#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

#include "core/Failure.h"
#include "database/Archive.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "support/ByteBuilder.h"

using Item::CBank;

namespace {

std::vector<std::uint8_t> Store(CBank& bank) {
    Archive ar;
    bank.Serialize(ar);
    return ar.Bytes();
}

void Load(CBank& bank, const std::vector<std::uint8_t>& bytes) {
    Archive ar{std::span<const std::uint8_t>(bytes)};
    bank.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 0u) << "the record was not read to its end";
}

// The record up to the month groups, with the given version.
ByteBuilder BankHead(double version) {
    ByteBuilder b;
    b.Base(u"Current").F64(1.1).I32(1);
    b.F64(version).U8(1).U8(0).U8(2).Money(150000).Money(-2500);
    return b;
}

CBank FilledBank() {
    CBank bank;
    bank.NoOdInterest = true;
    bank.ActualOpening = 1000;
    bank.ExpectedOpening = -2000;
    for (int m = 0; m < kMonths; ++m) {
        bank.ActualAdjustments[m] = 100 * m;
        bank.ActualOdLimit[m] = 500000;
        bank.ExpectedAdjustments[m] = -100 * m;
        bank.ExpectedOdLimit[m] = 400000;
        bank.OdRateWithin[m] = 1200;
        bank.OdRateBeyond[m] = 2000;
        bank.CrRate[m] = 600;
        bank.ActualCrInterest[m] = 300 + m * 100;
        bank.ActualOdInterest[m] = 700;
        bank.ResetToActual[m] = m == 2;
    }
    return bank;
}

} // namespace

TEST(BankRecord, StoreLoadStoreIsByteIdentical) {
    CBank bank = FilledBank();
    const auto bytes = Store(bank);
    CBank loaded;
    Load(loaded, bytes);
    EXPECT_EQ(loaded.name, u"Bank A/C");
    EXPECT_FALSE(loaded.NoCrInterest);
    EXPECT_TRUE(loaded.NoOdInterest);
    EXPECT_EQ(loaded.ExpectedOpening, -2000);
    EXPECT_EQ(loaded.ActualCrInterest, bank.ActualCrInterest);
    EXPECT_EQ(loaded.ResetToActual, bank.ResetToActual);
    EXPECT_EQ(loaded.CrRate, bank.CrRate);
    EXPECT_EQ(Store(loaded), bytes);
}

TEST(BankRecord, Version10HasNoInterestOrReset) {
    ByteBuilder b = BankHead(1.0);
    for (int m = 0; m < kMonths; ++m) // seven doubles per month, nothing more
        b.Money(100).Money(200).Money(300).Money(400).Money(1200).Money(2000).Money(600);
    CBank bank;
    Load(bank, b.Bytes());
    EXPECT_TRUE(bank.NoCrInterest);
    EXPECT_FALSE(bank.NoOdInterest);
    EXPECT_TRUE(bank.NoOdLimit); // any non-zero byte is set
    EXPECT_EQ(bank.ActualOpening, 150000);
    EXPECT_EQ(bank.ExpectedOpening, -2500);
    EXPECT_EQ(bank.ActualAdjustments[11], 100);
    EXPECT_EQ(bank.ExpectedOdLimit[11], 400);
    EXPECT_EQ(bank.CrRate[11], 600);
    EXPECT_EQ(bank.ActualCrInterest[0], 0);
    EXPECT_FALSE(bank.ResetToActual[0]);
}

TEST(BankRecord, Versions11And12AddInterestThenReset) {
    ByteBuilder b11 = BankHead(1.1);
    ByteBuilder b12 = BankHead(1.2);
    for (int m = 0; m < kMonths; ++m) {
        for (ByteBuilder* b : {&b11, &b12})
            b->Money(0).Money(0).Money(0).Money(0).Money(0).Money(0).Money(0).Money(500).Money(900);
        b12.U8(m == 11 ? 1 : 0);
    }
    CBank bank11;
    Load(bank11, b11.Bytes());
    EXPECT_EQ(bank11.ActualCrInterest[3], 500);
    EXPECT_EQ(bank11.ActualOdInterest[3], 900);
    CBank bank12;
    Load(bank12, b12.Bytes());
    EXPECT_EQ(bank12.ActualOdInterest[11], 900);
    EXPECT_TRUE(bank12.ResetToActual[11]);
    EXPECT_FALSE(bank12.ResetToActual[10]);
}

TEST(BankRecord, VersionChecks) {
    ByteBuilder old;
    old.Base(u"Bank A/C").F64(1.1).I32(0).F64(0.5);
    CBank bank;
    Load(bank, old.Bytes());
    EXPECT_EQ(bank.ActualOpening, 0);

    ByteBuilder newer = BankHead(1.3);
    CBank rejected;
    Archive ar{std::span<const std::uint8_t>(newer.Bytes())};
    try {
        rejected.Serialize(ar);
        FAIL() << "a 1.3 bank record was accepted";
    } catch (const TextFailure& failure) {
        EXPECT_EQ(failure.Text(), "not supported");
    }

    ByteBuilder cut = BankHead(1.2);
    cut.Money(1);
    Archive cutAr{std::span<const std::uint8_t>(cut.Bytes())};
    EXPECT_THROW(rejected.Serialize(cutAr), ArchiveFailure);
}

TEST(BankEdit, AddScaledModesAndHiddenSources) {
    CBank source;
    source.SetHidden(true); // banks consolidate whether hidden or not
    source.ExpectedBalance.fill(1001);
    source.ActualBalance.fill(999);
    source.ExpectedOdLimit.fill(5000);
    source.ActualOdLimit.fill(5000);
    source.CrRate.fill(600);
    // Expected: trunc(0.5 × 0.3 × 1001) = 150. Actual: mode 1 trunc(0.5 × 999) = 499,
    // mode 2 trunc(0.15 × 999) = 149, any other mode nothing.
    const Amount actualAdded[] = {0, 499, 149, 0};
    for (int mode : {0, 1, 2, 3}) {
        CBank target;
        target.AddScaled(source, 0.5, 0.3, static_cast<Item::AddMode>(mode));
        EXPECT_EQ(target.ExpectedBalance[0], 150) << "mode " << mode;
        EXPECT_EQ(target.ActualBalance[0], actualAdded[mode]) << "mode " << mode;
        EXPECT_EQ(target.ExpectedOdLimit[0], 0); // limits and rates are not summed
        EXPECT_EQ(target.ActualOdLimit[0], 0);
        EXPECT_EQ(target.CrRate[0], 0);
    }
    Item::CItem item;
    CBank target;
    target.AddScaled(item, 1.0, 1.0, Item::AddMode::ActualsByA);
    EXPECT_EQ(target.ExpectedBalance[0], 0);
}

TEST(BankEdit, ScaleLeavesOpeningsLimitsAndRates) {
    CBank bank = FilledBank();
    bank.ExpectedBalance.fill(-25);
    bank.ActualCrInterest.fill(25);
    bank.Scale(0.1);
    EXPECT_EQ(bank.ExpectedBalance[0], -2); // floor(-2.5 + 0.5)
    EXPECT_EQ(bank.ActualCrInterest[0], 3); // floor(2.5 + 0.5)
    EXPECT_EQ(bank.ActualOpening, 1000);
    EXPECT_EQ(bank.ExpectedOdLimit[0], 400000);
    EXPECT_EQ(bank.CrRate[0], 600);
}

TEST(BankEdit, ClearComputedKeepsOpeningsOnRequest) {
    CBank bank = FilledBank();
    bank.ExpectedBalance.fill(9);
    bank.ExpectedCrInterest.fill(9);
    bank.ClearComputed(true, false);
    EXPECT_EQ(bank.ActualOpening, 1000);
    EXPECT_EQ(bank.ExpectedBalance[5], 0);
    EXPECT_EQ(bank.ExpectedCrInterest[5], 0);
    EXPECT_EQ(bank.ActualCrInterest[5], 800); // entered: kept
    bank.ClearComputed(false, true);
    EXPECT_EQ(bank.ActualOpening, 0);
    EXPECT_EQ(bank.ExpectedOpening, 0);
    EXPECT_EQ(bank.ActualCrInterest[5], 0);
    EXPECT_EQ(bank.ExpectedAdjustments[5], 0);
    EXPECT_EQ(bank.ActualOdLimit[5], 500000);
    EXPECT_EQ(bank.CrRate[5], 600);
}

TEST(BankEdit, CopyFromModes) {
    CBank source = FilledBank();
    source.name = u"Savings";
    CBank fromActuals;
    fromActuals.CrRate.fill(1);
    EXPECT_EQ(fromActuals.CopyFrom(source, 2, false, true), 0);
    EXPECT_EQ(fromActuals.name, u"Savings");
    EXPECT_TRUE(fromActuals.NoOdInterest);
    EXPECT_EQ(fromActuals.ExpectedOpening, 1000);
    EXPECT_EQ(fromActuals.ExpectedAdjustments[4], 400);
    EXPECT_EQ(fromActuals.ExpectedOdLimit[4], 500000);
    EXPECT_EQ(fromActuals.CrRate[4], 600);
    EXPECT_EQ(fromActuals.ActualOpening, 0);

    CBank expectedSide;
    expectedSide.CopyFrom(source, 1, true, false);
    EXPECT_EQ(expectedSide.name, u"Bank A/C");
    EXPECT_FALSE(expectedSide.NoOdInterest);
    EXPECT_EQ(expectedSide.ExpectedOpening, -2000);
    EXPECT_EQ(expectedSide.ExpectedOdLimit[4], 400000);
    EXPECT_EQ(expectedSide.ActualOpening, 1000);
    EXPECT_TRUE(expectedSide.ResetToActual[2]);

    Item::CItem item;
    EXPECT_EQ(expectedSide.CopyFrom(item, 1, true, true), 1);
}

TEST(BankEdit, MonthOperations) {
    CBank source = FilledBank();
    CBank bank;
    bank.CopyMonth(0, source, 2);
    EXPECT_EQ(bank.ActualAdjustments[0], 200);
    EXPECT_EQ(bank.ActualCrInterest[0], 500);
    EXPECT_TRUE(bank.ResetToActual[0]);
    EXPECT_EQ(bank.OdRateBeyond[0], 2000);
    EXPECT_EQ(bank.CopyMonth(12, source, 2), 0);
    bank.ClearMonthPart(0, true);
    EXPECT_EQ(bank.ActualCrInterest[0], 0);
    EXPECT_EQ(bank.ActualOdLimit[0], 500000);
    bank.ClearMonth(0);
    EXPECT_FALSE(bank.ResetToActual[0]);
    EXPECT_EQ(bank.OdRateBeyond[0], 0);
    EXPECT_EQ(bank.ActualOdLimit[0], 0);
    bank.ClearMonth(-1);
}
