#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

#include "core/Failure.h"
#include "database/Archive.h"
#include "items/CItem.h"
#include "items/CNote.h"
#include "support/ByteBuilder.h"

using Item::CNote;

namespace {

void Load(CNote& note, const std::vector<std::uint8_t>& bytes) {
    Archive ar{std::span<const std::uint8_t>(bytes)};
    note.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 0u) << "the record was not read to its end";
}

} // namespace

TEST(NoteRecord, ReadsTextAndLinks) {
    ByteBuilder b;
    b.Base(u"1").F64(1.1).I32(0).F64(1.0).Narrow("See the bank");
    b.U16(2);
    b.NewClass("CNoteItem").F64(1.0).I32(0).I32(3);
    b.OldClass(1).F64(1.0).I32(12).I32(0); // the class named once, then by index
    CNote note;
    note.AddLink(9, 9);
    Load(note, b.Bytes());
    EXPECT_EQ(note.Text, u"See the bank");
    ASSERT_EQ(note.LinkCount(), 2);
    EXPECT_EQ(note.Link(0).Category, 0);
    EXPECT_EQ(note.Link(0).Index, 3);
    EXPECT_EQ(note.Link(1).Category, 12);
    // Walking the links ends at the first position that is not there.
    try {
        note.Link(2);
        FAIL() << "a missing link was found";
    } catch (const TextFailure& failure) {
        EXPECT_EQ(failure.Text(), "Not Found");
    }
}

TEST(NoteRecord, NoteWithoutLinksKeepsItsText) {
    CNote note;
    note.name = u"4";
    note.Text = u"Quiet month";
    Archive out;
    note.Serialize(out);
    CNote loaded;
    Load(loaded, out.Bytes());
    EXPECT_EQ(loaded.Text, u"Quiet month");
    EXPECT_EQ(loaded.LinkCount(), 0);
    // The empty list is the two bytes 0x00 0x00 at the record's end.
    const auto& bytes = out.Bytes();
    EXPECT_EQ(bytes[bytes.size() - 1], 0);
    EXPECT_EQ(bytes[bytes.size() - 2], 0);
}

TEST(NoteRecord, StoreLoadStoreIsByteIdentical) {
    CNote note;
    note.name = u"2";
    note.NoteCount = 1;
    note.Text = u"Grant expected in \u00e9t\u00e9";
    note.AddLink(0, 1);
    note.AddLink(10, 0);
    note.AddLink(-1, -1);
    Archive out;
    note.Serialize(out);
    CNote loaded;
    Load(loaded, out.Bytes());
    ASSERT_EQ(loaded.LinkCount(), 3);
    EXPECT_EQ(loaded.Link(1).Category, 10);
    Archive again;
    loaded.Serialize(again);
    EXPECT_EQ(again.Bytes(), out.Bytes());
}

TEST(NoteRecord, VersionChecksAndDamage) {
    ByteBuilder old;
    old.Base().F64(1.1).I32(0).F64(0.5);
    CNote note;
    note.AddLink(1, 1);
    Load(note, old.Bytes());
    EXPECT_EQ(note.LinkCount(), 0);

    ByteBuilder newer;
    newer.Base().F64(1.1).I32(0).F64(1.1);
    Archive ar{std::span<const std::uint8_t>(newer.Bytes())};
    try {
        note.Serialize(ar);
        FAIL() << "a 1.1 note was accepted";
    } catch (const TextFailure& failure) {
        EXPECT_EQ(failure.Text(), "not supported");
    }

    ByteBuilder newerLink;
    newerLink.Base().F64(1.1).I32(0).F64(1.0).Narrow("x").U16(1);
    newerLink.NewClass("CNoteItem").F64(2.0).I32(0).I32(0);
    Archive linkAr{std::span<const std::uint8_t>(newerLink.Bytes())};
    EXPECT_THROW(note.Serialize(linkAr), TextFailure);

    // A link list that claims more links than the bytes can hold.
    ByteBuilder many;
    many.Base().F64(1.1).I32(0).F64(1.0).Narrow("x").U16(0xFFFF).U32(100000000);
    Archive manyAr{std::span<const std::uint8_t>(many.Bytes())};
    try {
        note.Serialize(manyAr);
        FAIL() << "the count was believed";
    } catch (const ArchiveFailure& failure) {
        EXPECT_EQ(failure.GetKind(), ArchiveFailure::Kind::EndOfFile);
    }

    // A link of another class is not a note link.
    ByteBuilder foreign;
    foreign.Base().F64(1.1).I32(0).F64(1.0).Narrow("x").U16(1).NewClass("CItem");
    Archive foreignAr{std::span<const std::uint8_t>(foreign.Bytes())};
    EXPECT_THROW(note.Serialize(foreignAr), ArchiveFailure);
}

TEST(NoteEdit, CopyFromAndCopyMonth) {
    CNote source;
    source.name = u"3";
    source.hidden = true;
    source.Text = u"Loan review";
    source.AddLink(10, 0);
    source.AddLink(2, 4);

    CNote target;
    target.AddLink(1, 1);
    EXPECT_EQ(target.CopyFrom(source, 0, false, false), 0);
    EXPECT_EQ(target.name, u" ");
    EXPECT_EQ(target.Text, u"Loan review");
    ASSERT_EQ(target.LinkCount(), 2);
    EXPECT_EQ(target.Link(1).Index, 4);
    source.Link(1).Index = 9; // copies, not shared links
    EXPECT_EQ(target.Link(1).Index, 4);

    target.CopyFrom(source, 1, true, true);
    EXPECT_EQ(target.name, u"3");
    EXPECT_TRUE(target.hidden);

    target.CopyFrom(target, 1, true, true); // merged with itself: links survive
    EXPECT_EQ(target.LinkCount(), 2);

    CNote other;
    other.Text = u"Other";
    EXPECT_EQ(target.CopyMonth(0, other, 5), 0);
    EXPECT_EQ(target.Text, u"Other");
    Item::CItem item;
    EXPECT_EQ(target.CopyMonth(0, item, 0), 1);
    EXPECT_EQ(target.CopyFrom(item, 1, true, true), 1);
    EXPECT_EQ(target.Text, u"Other");
    target.RemoveAllLinks();
    EXPECT_EQ(target.LinkCount(), 0);
}
