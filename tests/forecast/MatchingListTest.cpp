#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/Archive.h"
#include "database/CMatchingList.h"
#include "support/ByteBuilder.h"

using Database::CMatchingList;

namespace {

void Load(CMatchingList& list, const std::vector<std::uint8_t>& bytes) {
    Archive ar(bytes);
    list.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 0u);
}

std::vector<std::uint8_t> Store(CMatchingList& list) {
    Archive ar;
    list.Serialize(ar);
    return ar.Bytes();
}

// (source, match, category, index) of every entry, for compact comparisons.
std::string Describe(const CMatchingList& list) {
    std::string out;
    for (int i = 0; i < list.Count(); ++i) {
        const Import::Matching* e = list.Entry(i);
        out += std::string(e->SourceName->Raw()) + "|" + e->MatchText->Raw() + "|" +
               std::to_string(e->Category) + "," + std::to_string(e->Index) + ";";
    }
    return out;
}

} // namespace

TEST(MatchingList, ZeroEntriesReadAsAnEmptyTable) {
    CMatchingList list;
    list.Add(u"old", u"", 0, 0, 0); // dropped by the read
    Load(list, ByteBuilder().F64(1.0).I32(0).Bytes());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Entry(0), nullptr);
    EXPECT_EQ(Store(list), ByteBuilder().F64(1.0).I32(0).Bytes());
}

TEST(MatchingList, EntriesRoundTrip) {
    ByteBuilder narrow;
    narrow.F64(1.0).I32(3);
    narrow.Narrow("Sales A/C").Narrow("").I32(0).I32(2).I32(1);
    narrow.Narrow("Caf\xE9").Narrow("rent").I32(2).I32(0).I32(-4);
    narrow.Narrow("").Narrow("x").I32(10).I32(7).I32(0);

    CMatchingList list;
    Load(list, narrow.Bytes());
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(Describe(list), "Sales A/C||0,2;Caf\xE9|rent|2,0;|x|10,7;");
    EXPECT_EQ(list.Entry(1)->Kind, -4);
    EXPECT_EQ(list.Entry(1)->Amount->Value(), 0);
    EXPECT_EQ(list.Entry(3), nullptr);

    // Stored texts are wide; reading them back and storing again gives the same bytes.
    ByteBuilder wide;
    wide.F64(1.0).I32(3);
    wide.Wide(u"Sales A/C").Wide(u"").I32(0).I32(2).I32(1);
    wide.Wide(u"Caf\u00E9").Wide(u"rent").I32(2).I32(0).I32(-4);
    wide.Wide(u"").Wide(u"x").I32(10).I32(7).I32(0);
    const auto stored = Store(list);
    EXPECT_EQ(stored, wide.Bytes());
    CMatchingList again;
    Load(again, stored);
    EXPECT_EQ(Store(again), stored);
}

TEST(MatchingList, DamagedRecordsFail) {
    CMatchingList list;
    // A count far beyond what the bytes can hold fails before any entry is built.
    const auto hugeBytes = ByteBuilder().F64(1.0).I32(-1).Narrow("a").Narrow("b").Bytes();
    Archive huge(hugeBytes);
    EXPECT_THROW(list.Serialize(huge), ArchiveFailure);

    // A record cut inside its second entry.
    ByteBuilder b;
    b.F64(1.0).I32(2).Narrow("one").Narrow("").I32(0).I32(0).I32(0);
    b.Narrow("two").Narrow("").I32(0).I32(1);
    Archive cut(b.Bytes());
    EXPECT_THROW(list.Serialize(cut), ArchiveFailure);

    const auto newerBytes = ByteBuilder().F64(1.1).I32(0).Bytes();
    Archive newer(newerBytes);
    try {
        list.Serialize(newer);
        FAIL() << "a newer record was read";
    } catch (const TextFailure& failure) {
        EXPECT_EQ(failure.Text(), "not supported");
    }
}

TEST(MatchingList, OldVersionReadsNothingFurther) {
    CMatchingList list;
    list.Add(u"old", u"", 0, 0, 0);
    const auto bytes = ByteBuilder().F64(0.5).I32(0).Bytes();
    Archive ar(bytes);
    list.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 4u);
    EXPECT_EQ(list.Count(), 0);
}

TEST(MatchingList, MaintainFollowsAMovedRow) {
    CMatchingList list;
    list.Add(u"a", u"m", 2, 1, 0); // the row that moves
    list.Add(u"b", u"", 2, 0, 0);  // before it: stays
    list.Add(u"c", u"", 2, 3, 0);  // after it: moves up
    list.Add(u"d", u"", 1, 5, 0);  // another category: stays
    list.Add(u"e", u"n", 2, 1, 0); // a second entry on the moving row

    list.Maintain(2, 1, "+t", 4, 6);
    EXPECT_EQ(Describe(list), "a|m+t|4,6;b||2,0;c||2,2;d||1,5;e|n+t|4,6;");

    // Within one category the moved entries land exactly where asked.
    list.Maintain(2, 0, "", 2, 5);
    EXPECT_EQ(Describe(list), "a|m+t|4,6;b||2,5;c||2,1;d||1,5;e|n+t|4,6;");
}

TEST(MatchingList, MaintainWithoutANewRowOnlyAppendsTheText) {
    CMatchingList list;
    list.Add(u"a", u"m", 3, 0, 0);
    list.Add(u"b", u"", 3, 2, 0);
    list.Maintain(3, 0, " gone", -1, 0);
    EXPECT_EQ(Describe(list), "a|m gone|3,0;b||3,2;");
    list.Maintain(3, 0, nullptr, -1, 0);
    EXPECT_EQ(Describe(list), "a|m gone|3,0;b||3,2;");
}

TEST(MatchingList, EntryOwnsItsValues) {
    auto* entry = new Import::Matching();
    EXPECT_EQ(entry->SourceName->Length(), 0);
    EXPECT_EQ(entry->Amount->Value(), 0);
    // Another holder keeps a value alive after the entry goes.
    BaseStruct::String* source = entry->SourceName;
    source->AddRef();
    entry->Release();
    EXPECT_EQ(source->RefCount(), 1);
    source->Release();
}
