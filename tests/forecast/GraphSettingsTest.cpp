#include <gtest/gtest.h>

#include <vector>

#include "database/Archive.h"
#include "database/CGraphSettings.h"
#include "support/ByteBuilder.h"

using Database::CGraphSettings;

namespace {

// The per-series part shared by versions 1.0 and 1.1. Only months[2][5][3] is off; a series is
// on where kind == series % 3; colours 0x80000000 | kind << 16 | series (the top bit checks that
// a colour is read unsigned).
void AppendSeries(ByteBuilder& b) {
    for (int s = 0; s < 18; ++s) {
        for (int m = 0; m < 12; ++m)
            for (int k = 0; k < 3; ++k)
                b.U8(k == 2 && s == 5 && m == 3 ? 0 : 1);
        for (int k = 0; k < 3; ++k)
            b.U8(k == s % 3 ? 1 : 0).U32(0x80000000u | (k << 16) | s);
    }
}

void CheckSeries(const CGraphSettings& g) {
    for (int k = 0; k < 3; ++k)
        for (int s = 0; s < 18; ++s) {
            EXPECT_EQ(g.seriesOn[k][s], k == s % 3) << k << ' ' << s;
            EXPECT_EQ(g.colour[k][s], 0x80000000u | (k << 16) | s) << k << ' ' << s;
            for (int m = 0; m < 12; ++m)
                EXPECT_EQ(g.months[k][s][m], !(k == 2 && s == 5 && m == 3));
        }
}

std::vector<std::uint8_t> Store(CGraphSettings& g) {
    Archive ar;
    g.Serialize(ar);
    return ar.Bytes();
}

void ExpectNotSupported(CGraphSettings& g, const std::vector<std::uint8_t>& bytes) {
    Archive ar(bytes);
    try {
        g.Serialize(ar);
        FAIL() << "a newer record was read";
    } catch (const TextFailure& failure) {
        EXPECT_EQ(failure.Text(), "not supported");
    }
}

} // namespace

TEST(GraphSettings, NewGraphPlotsAllMonthsOfNoSeries) {
    const CGraphSettings g;
    for (int k = 0; k < 3; ++k)
        for (int s = 0; s < 18; ++s) {
            EXPECT_FALSE(g.seriesOn[k][s]);
            EXPECT_EQ(g.colour[k][s], 0u);
            for (int m = 0; m < 12; ++m)
                EXPECT_TRUE(g.months[k][s][m]);
        }
}

TEST(GraphSettings, CurrentRecordHasTheVersionBeforeTheBasePart) {
    ByteBuilder b;
    b.F64(1.1).Base(u"Profit", true, 42);
    AppendSeries(b);

    CGraphSettings g;
    Archive ar(b.Bytes());
    g.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 0u);
    EXPECT_EQ(g.name, u"Profit");
    EXPECT_TRUE(g.hidden);
    EXPECT_EQ(g.value, 42);
    CheckSeries(g);
    EXPECT_EQ(Store(g), b.Bytes());
}

TEST(GraphSettings, Version10HasANameButNoBasePart) {
    ByteBuilder b;
    b.F64(1.0).Narrow("Sales");
    AppendSeries(b);

    CGraphSettings g;
    Archive ar(b.Bytes());
    g.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 0u);
    EXPECT_EQ(g.name, u"Sales");
    EXPECT_FALSE(g.hidden);
    EXPECT_EQ(g.value, 0);
    CheckSeries(g);

    // Written back in the current form.
    ByteBuilder current;
    current.F64(1.1).Base(u"Sales");
    AppendSeries(current);
    EXPECT_EQ(Store(g), current.Bytes());
}

TEST(GraphSettings, BelowVersion10OnlyTheNameFollows) {
    ByteBuilder b;
    b.F64(0.5).Narrow("Old").U8(1); // the byte after the name belongs to the next record
    CGraphSettings g;
    Archive ar(b.Bytes());
    g.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 1u);
    EXPECT_EQ(g.name, u"Old");
    EXPECT_FALSE(g.hidden);
    for (int k = 0; k < 3; ++k)
        for (int s = 0; s < 18; ++s) {
            EXPECT_FALSE(g.seriesOn[k][s]);
            EXPECT_EQ(g.colour[k][s], 0u);
            EXPECT_TRUE(g.months[k][s][11]);
        }
}

TEST(GraphSettings, NewerOrTruncatedRecordsFail) {
    CGraphSettings g;
    ByteBuilder newer;
    newer.F64(1.2).Base(u"x");
    ExpectNotSupported(g, newer.Bytes());

    ByteBuilder b;
    b.F64(1.1).Base(u"Profit");
    AppendSeries(b);
    auto bytes = b.Bytes();
    bytes.resize(bytes.size() - 3); // inside the last colour
    Archive ar(bytes);
    EXPECT_THROW(g.Serialize(ar), ArchiveFailure);
}

TEST(GraphSettings, CopyTakesNameAndChoicesButNotHidden) {
    ByteBuilder b;
    b.F64(1.1).Base(u"Profit", true, 7);
    AppendSeries(b);
    CGraphSettings source;
    Archive ar(b.Bytes());
    source.Serialize(ar);

    CGraphSettings copy;
    copy.CopyFrom(source);
    EXPECT_EQ(copy.name, u"Profit");
    EXPECT_FALSE(copy.hidden);
    EXPECT_EQ(copy.value, 0);
    CheckSeries(copy);
}
