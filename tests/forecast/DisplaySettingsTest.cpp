#include <gtest/gtest.h>

#include <vector>

#include "database/Archive.h"
#include "database/CDisplaySettings.h"
#include "support/ByteBuilder.h"

using Database::CDisplaySettings;

namespace {

void Load(CDisplaySettings& settings, const std::vector<std::uint8_t>& bytes) {
    Archive ar(bytes);
    settings.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 0u);
}

std::vector<std::uint8_t> Store(CDisplaySettings& settings) {
    Archive ar;
    settings.Serialize(ar);
    return ar.Bytes();
}

// A record whose flags are all distinguishable: the four leading flags 1,0,1,0; the seven
// column flags 0,1,0,1,1,0,1; extra B 1; then per month m: Actual = m is even, Expected = m < 6,
// Variance = m == 11.
ByteBuilder PatternRecord() {
    ByteBuilder b;
    b.F64(1.0).U8(1).U8(0).U8(1).U8(0);
    b.U8(0).U8(1).U8(0).U8(1).U8(1).U8(0).U8(1);
    b.U8(1);
    for (int m = 0; m < 12; ++m)
        b.U8(m % 2 == 0 ? 1 : 0).U8(m < 6 ? 1 : 0).U8(m == 11 ? 1 : 0);
    return b;
}

} // namespace

TEST(DisplaySettings, NewSettingsShowEverythingButTheExtraColumns) {
    const CDisplaySettings s;
    EXPECT_TRUE(s.taxExclusive && s.brackets && s.cents && s.includeHidden);
    EXPECT_TRUE(s.totalExpected && s.percentageExpected && s.totalActual);
    EXPECT_TRUE(s.percentageActual && s.totalVariance && s.percentageVariance);
    EXPECT_FALSE(s.extraA);
    EXPECT_FALSE(s.extraB);
    for (int m = 0; m < 12; ++m)
        EXPECT_TRUE(s.showActual[m] && s.showExpected[m] && s.showVariance[m]) << m;
}

TEST(DisplaySettings, RecordFollowsTheFileOrder) {
    CDisplaySettings s;
    Load(s, PatternRecord().Bytes());
    EXPECT_TRUE(s.taxExclusive);
    EXPECT_FALSE(s.brackets);
    EXPECT_TRUE(s.cents);
    EXPECT_FALSE(s.includeHidden);
    EXPECT_FALSE(s.totalExpected);
    EXPECT_TRUE(s.percentageExpected);
    EXPECT_FALSE(s.totalActual);
    EXPECT_TRUE(s.percentageActual);
    EXPECT_TRUE(s.totalVariance);
    EXPECT_FALSE(s.percentageVariance);
    EXPECT_TRUE(s.extraA);
    EXPECT_TRUE(s.extraB);
    for (int m = 0; m < 12; ++m) {
        EXPECT_EQ(s.showActual[m], m % 2 == 0) << m;
        EXPECT_EQ(s.showExpected[m], m < 6) << m;
        EXPECT_EQ(s.showVariance[m], m == 11) << m;
    }
    EXPECT_EQ(Store(s), PatternRecord().Bytes());
}

TEST(DisplaySettings, VersionsOutsideTheKnownRange) {
    CDisplaySettings newer;
    ByteBuilder b;
    b.F64(1.01).U8(0);
    Archive ar(b.Bytes());
    try {
        newer.Serialize(ar);
        FAIL() << "a newer record was read";
    } catch (const TextFailure& failure) {
        EXPECT_EQ(failure.Text(), "not supported");
    }

    // Below 1.0 nothing follows the version: the defaults stand.
    CDisplaySettings older;
    ByteBuilder o;
    o.F64(0.9).U8(0);
    Archive oa(o.Bytes());
    older.Serialize(oa);
    EXPECT_EQ(oa.Remaining(), 1u);
    EXPECT_FALSE(older.extraA);
    EXPECT_TRUE(older.showVariance[11]);
}

TEST(DisplaySettings, TruncatedRecordIsAnArchiveFailure) {
    auto bytes = PatternRecord().Bytes();
    bytes.pop_back();
    CDisplaySettings s;
    Archive ar(bytes);
    EXPECT_THROW(s.Serialize(ar), ArchiveFailure);
}

TEST(DisplaySettings, CopyKeepsItsOwnIncludeHidden) {
    CDisplaySettings source;
    Load(source, PatternRecord().Bytes()); // includeHidden 0
    CDisplaySettings target;
    target.CopyFrom(source);
    EXPECT_TRUE(target.includeHidden);
    target.includeHidden = false;
    // Everything else now matches, so both write the same record.
    EXPECT_EQ(Store(target), Store(source));
}

TEST(DisplaySettings, AMonthCountsWhenShownOrWhenHiddenColumnsCount) {
    CDisplaySettings s;
    s.includeHidden = false;
    s.showActual.fill(false);
    s.showExpected[3] = false;
    EXPECT_FALSE(s.ActualMonth(0));
    EXPECT_TRUE(s.ExpectedMonth(0));
    EXPECT_FALSE(s.ExpectedMonth(3));
    s.includeHidden = true;
    EXPECT_TRUE(s.ActualMonth(0));
    EXPECT_TRUE(s.ExpectedMonth(3));
    // Not a month at all.
    EXPECT_FALSE(s.ActualMonth(12));
    EXPECT_FALSE(s.ExpectedMonth(-1));
}
