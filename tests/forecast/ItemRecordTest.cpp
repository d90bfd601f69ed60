#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

#include "core/Failure.h"
#include "database/Archive.h"
#include "items/CItem.h"
#include "support/ByteBuilder.h"

using Item::CItem;

namespace {

// The CBase and CBaseItem parts in their current versions.
ByteBuilder RowParts(std::u16string_view name = u"Sales", bool hidden = false,
                     std::int32_t noteCount = 0) {
    ByteBuilder b;
    b.Base(name, hidden, 7).F64(1.1).I32(noteCount);
    return b;
}

template <class T> void Load(T& row, const std::vector<std::uint8_t>& bytes) {
    Archive ar{std::span<const std::uint8_t>(bytes)};
    row.Serialize(ar);
    EXPECT_EQ(ar.Remaining(), 0u) << "the record was not read to its end";
}

std::vector<std::uint8_t> Store(CItem& row) {
    Archive ar;
    row.Serialize(ar);
    return ar.Bytes();
}

CItem FilledItem() {
    CItem item;
    item.name = u"Consulting";
    item.hidden = true;
    item.NoteCount = 2;
    item.TaxSide = 0;
    for (int m = 0; m < kMonths; ++m) {
        item.Expected[m] = 100 * (m + 1);
        item.Actual[m] = -100 * (m + 3);
        item.Percent[m] = 1250 + 100 * m;
        item.PctType[m] = m % 4;
    }
    item.TaxLinks = {2, -1, 0};
    return item;
}

} // namespace

TEST(ItemRecord, CurrentVersionHasTheDocumentedLayout) {
    CItem item = FilledItem();
    ByteBuilder expected;
    expected.Base(u"Consulting", true, 0).F64(1.1).I32(2); // CBase, CBaseItem
    expected.F64(1.1).I32(0);                              // CItem version, TaxSide
    for (int m = 0; m < kMonths; ++m)
        expected.Money(100 * (m + 1)).Money(-100 * (m + 3)).Money(1250 + 100 * m).I32(m % 4);
    expected.U16(3).I32(2).I32(-1).I32(0);
    EXPECT_EQ(Store(item), expected.Bytes());
}

TEST(ItemRecord, StoreLoadStoreIsByteIdentical) {
    CItem item = FilledItem();
    const auto bytes = Store(item);
    CItem loaded;
    Load(loaded, bytes);
    EXPECT_EQ(loaded.name, u"Consulting");
    EXPECT_TRUE(loaded.hidden);
    EXPECT_EQ(loaded.NoteCount, 2);
    EXPECT_EQ(loaded.TaxSide, 0);
    EXPECT_EQ(loaded.Expected, item.Expected);
    EXPECT_EQ(loaded.Actual, item.Actual);
    EXPECT_EQ(loaded.Percent, item.Percent);
    EXPECT_EQ(loaded.PctType, item.PctType);
    EXPECT_EQ(loaded.TaxLinks, item.TaxLinks);
    EXPECT_EQ(Store(loaded), bytes);
}

TEST(ItemRecord, Version10LegacyRuleSetsEveryPctType) {
    for (std::int32_t rule : {0, 1, 3}) {
        ByteBuilder b = RowParts();
        b.F64(1.0).I32(1).I32(rule);
        for (int m = 0; m < kMonths; ++m)
            b.Money(500).Money(400).Money(1250); // no per-month integer before 1.1
        b.U16(1).I32(0);
        CItem item;
        item.PctType.fill(3);
        Load(item, b.Bytes());
        // A non-zero rule means "percentage of Total Income", whatever its value.
        const std::int32_t want = rule != 0 ? 1 : 0;
        for (int m = 0; m < kMonths; ++m)
            EXPECT_EQ(item.PctType[m], want) << "rule " << rule << " month " << m;
        EXPECT_EQ(item.Expected[11], 500);
        EXPECT_EQ(item.Percent[0], 1250);
        EXPECT_EQ(item.TaxLinks, std::vector<std::int32_t>{0});
    }
}

TEST(ItemRecord, BaseItemVersion10LeavesNoteCountAtZero) {
    ByteBuilder b;
    b.Base(u"Rent").F64(1.0); // CBaseItem 1.0: no NoteCount
    b.F64(1.1).I32(-1);
    for (int m = 0; m < kMonths; ++m)
        b.Money(0).Money(0).Money(0).I32(0);
    b.U16(0);
    CItem item;
    Load(item, b.Bytes());
    EXPECT_EQ(item.NoteCount, 0);
    EXPECT_EQ(item.TaxSide, -1);
    EXPECT_TRUE(item.TaxLinks.empty());
}

TEST(ItemRecord, VersionBelowOneReadsNothingFurther) {
    ByteBuilder b = RowParts();
    b.F64(0.9);
    CItem item;
    item.TaxLinks = {4, 5}; // a loaded record owns its list afresh
    Load(item, b.Bytes());
    EXPECT_EQ(item.name, u"Sales");
    EXPECT_EQ(item.TaxSide, 1);
    EXPECT_TRUE(item.TaxLinks.empty());
}

TEST(ItemRecord, NewerVersionsAreNotSupported) {
    {
        ByteBuilder b = RowParts();
        b.F64(1.2).I32(1);
        CItem item;
        Archive ar{std::span<const std::uint8_t>(b.Bytes())};
        try {
            item.Serialize(ar);
            FAIL() << "a 1.2 row record was accepted";
        } catch (const TextFailure& failure) {
            EXPECT_EQ(failure.Text(), "not supported");
        }
    }
    {
        ByteBuilder b;
        b.Base().F64(1.2).I32(0); // the CBaseItem part alone is too new
        CItem item;
        Archive ar{std::span<const std::uint8_t>(b.Bytes())};
        EXPECT_THROW(item.Serialize(ar), TextFailure);
    }
}

TEST(ItemRecord, DamagedBytesEndInEndOfFile) {
    CItem item = FilledItem();
    auto bytes = Store(item);
    bytes.resize(bytes.size() - 3); // cut inside the last tax link
    CItem loaded;
    Archive ar{std::span<const std::uint8_t>(bytes)};
    try {
        loaded.Serialize(ar);
        FAIL() << "a truncated record was accepted";
    } catch (const ArchiveFailure& failure) {
        EXPECT_EQ(failure.GetKind(), ArchiveFailure::Kind::EndOfFile);
    }
}

TEST(ItemRecord, HugeTaxLinkCountFailsBeforeAllocating) {
    ByteBuilder b = RowParts();
    b.F64(1.1).I32(1);
    for (int m = 0; m < kMonths; ++m)
        b.Money(0).Money(0).Money(0).I32(0);
    b.U16(0xFFFF).U32(0xFFFFFFF0u).I32(1).I32(2); // four billion links, eight bytes left
    CItem item;
    Archive ar{std::span<const std::uint8_t>(b.Bytes())};
    try {
        item.Serialize(ar);
        FAIL() << "the count was believed";
    } catch (const ArchiveFailure& failure) {
        EXPECT_EQ(failure.GetKind(), ArchiveFailure::Kind::EndOfFile);
    }
    EXPECT_LT(item.TaxLinks.capacity(), 1000u);
}

TEST(ItemRecord, LongTaxLinkCountFormIsRead) {
    ByteBuilder b = RowParts();
    b.F64(1.1).I32(1);
    for (int m = 0; m < kMonths; ++m)
        b.Money(0).Money(0).Money(0).I32(0);
    b.U16(0xFFFF).U32(2).I32(3).I32(-1);
    CItem item;
    Load(item, b.Bytes());
    EXPECT_EQ(item.TaxLinks, (std::vector<std::int32_t>{3, -1}));
}

TEST(ItemRecord, ReadLegacyTakesTheOldLayout) {
    ByteBuilder b;
    b.Narrow("Fees").I32(2).I32(1).I32(3).I32(0);
    for (int m = 0; m < kMonths; ++m)
        b.Money(100 * m).Money(1000 + 100 * m);
    CItem item;
    Archive ar{std::span<const std::uint8_t>(b.Bytes())};
    item.ReadLegacy(ar);
    EXPECT_EQ(ar.Remaining(), 0u);
    EXPECT_EQ(item.name, u"Fees");
    EXPECT_EQ(item.TaxLinks, std::vector<std::int32_t>{2});
    EXPECT_TRUE(item.hidden);
    EXPECT_EQ(item.TaxSide, 0);
    for (int m = 0; m < kMonths; ++m) {
        EXPECT_EQ(item.Expected[m], 100 * m);
        EXPECT_EQ(item.Percent[m], 1000 + 100 * m);
        EXPECT_EQ(item.PctType[m], 3); // the rule's own value, not reduced to 0/1
        EXPECT_EQ(item.Actual[m], 0);
    }
}

TEST(ItemRecord, ReadLegacyZeroFlagLeavesTheRowVisible) {
    ByteBuilder b;
    b.Narrow("Fees").I32(-1).I32(0).I32(0).I32(1);
    for (int m = 0; m < kMonths; ++m)
        b.Money(0).Money(0);
    CItem item;
    Archive ar{std::span<const std::uint8_t>(b.Bytes())};
    item.ReadLegacy(ar);
    EXPECT_FALSE(item.hidden);
    EXPECT_EQ(item.TaxLinks, std::vector<std::int32_t>{-1});
}
