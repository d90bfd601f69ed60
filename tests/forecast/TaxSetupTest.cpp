#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "database/Archive.h"
#include "database/CTax.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CTaxSubRate.h"
#include "support/ByteBuilder.h"

using Database::CTax;
using Database::CTaxRate;
using Database::CTaxSetup;
using Database::CTaxSubRate;

namespace {

template <class T> void Load(T& object, const std::vector<std::uint8_t>& bytes) {
    Archive ar(bytes);
    object.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 0u);
}

template <class T> std::vector<std::uint8_t> Store(T& object) {
    Archive ar;
    object.Serialize(ar);
    return ar.Bytes();
}

template <class T> void ExpectNotSupported(const std::vector<std::uint8_t>& bytes) {
    T object;
    Archive ar(bytes);
    try {
        object.Serialize(ar);
        FAIL() << "a newer record was read";
    } catch (const TextFailure& failure) {
        EXPECT_EQ(failure.Text(), "not supported");
    }
}

// "GST": periods of 3 months from April, paid a month later, compound; rate "S" with 12.5 %
// from 1950 and 15 % from October 2010, rate "Z" without values. Class and object indexes in
// the order met: CTaxRate 1, rate 2, CTaxSubRate 3, sub-rates 4 and 5, rate 6.
ByteBuilder SetupRecord() {
    ByteBuilder b;
    b.Base(u"GST", true, 9).F64(1.0).I32(3).I32(3).I32(1).U8(1).U16(2);
    b.NewClass("CTaxRate").Base(u"first").F64(1.1).Wide(u"S").U16(2);
    b.NewClass("CTaxSubRate").Base(u" ").F64(1.0).I32(1950).I32(0).Money(1250);
    b.OldClass(3).Base(u" ").F64(1.0).I32(2010).I32(9).Money(1500);
    b.OldClass(1).Base(u"second").F64(1.1).Wide(u"Z").U16(0);
    return b;
}

CTaxRate RateOf(std::initializer_list<CTaxSubRate> subRates) {
    CTaxRate rate;
    for (const auto& sub : subRates)
        rate.SubRates.Append(std::make_unique<CTaxSubRate>(sub.Year, sub.Month, sub.Value));
    return rate;
}

} // namespace

TEST(TaxRate, RateInEffectTakesTheLastQualifyingEntry) {
    const CTaxRate rate = RateOf({{1950, 0, 1250}, {2010, 9, 1500}});
    EXPECT_EQ(rate.RateInEffect(2010, 8), 1250); // September 2010
    EXPECT_EQ(rate.RateInEffect(2010, 9), 1500); // October 2010
    EXPECT_EQ(rate.RateInEffect(2011, 0), 1500);
    EXPECT_EQ(rate.RateInEffect(1949, 11), 0); // before every entry

    EXPECT_EQ(CTaxRate().RateInEffect(2020, 5), 0);

    // Listed out of date order: the list order decides, so the 1950 entry listed last wins.
    const CTaxRate unordered = RateOf({{2010, 9, 1500}, {1950, 0, 1250}});
    EXPECT_EQ(unordered.RateInEffect(2012, 0), 1250);
}

TEST(TaxRate, Version10RecordBecomesOneSubRateFrom1950) {
    ByteBuilder b;
    b.Base().F64(1.0).Narrow("V").Money(1000);
    CTaxRate rate;
    rate.SubRates.Append(std::make_unique<CTaxSubRate>(2000, 1, 5));
    Load(rate, b.Bytes());
    EXPECT_EQ(rate.Code, u"V");
    ASSERT_EQ(rate.SubRates.Count(), 1u);
    EXPECT_EQ(rate.SubRates.At(0).Year, 1950);
    EXPECT_EQ(rate.SubRates.At(0).Month, 0);
    EXPECT_EQ(rate.SubRates.At(0).Value, 1000);

    // Between 1.0 and 1.1 the layout is still the older one.
    ByteBuilder between;
    between.Base().F64(1.05).Narrow("W").Money(50);
    Load(rate, between.Bytes());
    ASSERT_EQ(rate.SubRates.Count(), 1u);
    EXPECT_EQ(rate.SubRates.At(0).Value, 50);
}

TEST(TaxRate, LegacyReaderHasNoBasePart) {
    ByteBuilder b;
    b.Narrow("E").Money(-250);
    CTaxRate rate;
    Archive ar(b.Bytes());
    rate.ReadLegacy(ar);
    EXPECT_EQ(ar.Remaining(), 0u);
    EXPECT_EQ(rate.Code, u"E");
    EXPECT_EQ(rate.name, u" ");
    ASSERT_EQ(rate.SubRates.Count(), 1u);
    EXPECT_EQ(rate.SubRates.At(0).Value, -250);
    EXPECT_EQ(rate.RateInEffect(1950, 0), -250);
}

TEST(TaxSetup, RecordReadsSettlementAndRates) {
    CTaxSetup setup;
    setup.Rates.Append(std::make_unique<CTaxRate>()); // replaced by the record's rates
    Load(setup, SetupRecord().Bytes());
    EXPECT_EQ(setup.name, u"GST");
    EXPECT_TRUE(setup.hidden);
    EXPECT_EQ(setup.PeriodStart, 3);
    EXPECT_EQ(setup.PeriodLength, 3);
    EXPECT_EQ(setup.PaymentDelay, 1);
    EXPECT_TRUE(setup.Compound);
    ASSERT_EQ(setup.Rates.Count(), 2u);
    EXPECT_EQ(setup.Rate(0)->Code, u"S");
    EXPECT_EQ(setup.Rate(0)->RateInEffect(2010, 9), 1500);
    EXPECT_EQ(setup.Rate(1)->name, u"second");
    EXPECT_TRUE(setup.Rate(1)->SubRates.Empty());
    EXPECT_EQ(setup.Rate(2), nullptr);
    EXPECT_EQ(setup.Rate(-1), nullptr);

    EXPECT_EQ(Store(setup), SetupRecord().Bytes());
}

TEST(TaxSetup, NewerVersionsAreNotSupported) {
    ExpectNotSupported<CTaxSetup>(ByteBuilder().Base().F64(1.1).Bytes());
    ExpectNotSupported<CTaxRate>(ByteBuilder().Base().F64(1.2).Bytes());
    ExpectNotSupported<CTaxSubRate>(ByteBuilder().Base().F64(1.01).Bytes());
}

TEST(TaxSetup, OldVersionReadsNothingButStillDropsTheRates) {
    CTaxSetup setup;
    setup.Rates.Append(std::make_unique<CTaxRate>());
    ByteBuilder b;
    b.Base(u"VAT").F64(0.9);
    Load(setup, b.Bytes());
    EXPECT_EQ(setup.name, u"VAT");
    EXPECT_TRUE(setup.Rates.Empty());
    EXPECT_EQ(setup.PeriodLength, 1);
}

TEST(TaxSetup, TruncatedRecordIsAnArchiveFailure) {
    auto bytes = SetupRecord().Bytes();
    bytes.pop_back();
    CTaxSetup setup;
    Archive ar(bytes);
    EXPECT_THROW(setup.Serialize(ar), ArchiveFailure);
}

TEST(TaxSetup, CopyBuildsNewRatesFromCodesAndDatedValues) {
    CTaxSetup source;
    Load(source, SetupRecord().Bytes());
    CTaxSetup copy;
    copy.Rates.Append(std::make_unique<CTaxRate>());

    EXPECT_FALSE(copy.CopyFrom(source));
    EXPECT_EQ(copy.name, u"GST");
    EXPECT_FALSE(copy.hidden); // only the name of the base part
    EXPECT_EQ(copy.PeriodStart, 3);
    EXPECT_EQ(copy.PeriodLength, 3);
    EXPECT_EQ(copy.PaymentDelay, 1);
    EXPECT_TRUE(copy.Compound);
    ASSERT_EQ(copy.Rates.Count(), 2u);
    const CTaxRate& rate = copy.Rates.At(0);
    EXPECT_EQ(rate.Code, u"S");
    EXPECT_EQ(rate.name, u" "); // the rate's base part stays new
    ASSERT_EQ(rate.SubRates.Count(), 2u);
    EXPECT_EQ(rate.SubRates.At(1).Year, 2010);
    EXPECT_EQ(rate.SubRates.At(1).Month, 9);
    EXPECT_EQ(rate.SubRates.At(1).Value, 1500);

    // Deep copies: changing the source leaves the copy alone.
    source.Rates.At(0).SubRates.At(1).Value = 1;
    EXPECT_EQ(rate.RateInEffect(2011, 0), 1500);

    // Copying onto itself keeps everything.
    EXPECT_FALSE(copy.CopyFrom(copy));
    EXPECT_EQ(copy.Rates.Count(), 2u);
}

TEST(Tax, RecordHasNoVersion) {
    const CTax fresh;
    EXPECT_EQ(fresh.FirstCodes, (std::array<std::int32_t, 3>{1, 2, 3}));
    EXPECT_EQ(fresh.SecondAmounts, (std::array<Amount, 2>{0, 0}));

    ByteBuilder b;
    b.I32(4).I32(5).I32(6).Money(12350).Money(-50).I32(7).I32(8).I32(9).Money(0).Money(100);
    CTax tax;
    Load(tax, b.Bytes());
    EXPECT_EQ(tax.FirstCodes, (std::array<std::int32_t, 3>{4, 5, 6}));
    EXPECT_EQ(tax.FirstAmounts, (std::array<Amount, 2>{12350, -50}));
    EXPECT_EQ(tax.SecondCodes, (std::array<std::int32_t, 3>{7, 8, 9}));
    EXPECT_EQ(tax.SecondAmounts, (std::array<Amount, 2>{0, 100}));
    EXPECT_EQ(Store(tax), b.Bytes());
}
