#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>

#include "database/CYear.h"
#include "forecast/TreeTestSupport.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CNote.h"
#include "support/ByteBuilder.h"

using Database::CGraphSettings;
using Database::CYear;
using namespace TreeTest;

namespace {

Item::CItem& AddRow(CYear& year, int category, const char16_t* name) {
    auto row = std::make_unique<Item::CItem>();
    row->name = name;
    return static_cast<Item::CItem&>(year.Items(category).Append(std::move(row)));
}

Item::CNote& AddNote(CYear& year, const char16_t* name) {
    auto note = std::make_unique<Item::CNote>();
    note->name = name;
    return static_cast<Item::CNote&>(year.Items(kNote).Append(std::move(note)));
}

// A year record of an older version, laid out by hand; the children (display settings, graphs,
// rows) are written by the storing path, which writes what those records hold in every version.
Bytes OldYearRecord(CYear& source, double version) {
    ByteBuilder b;
    b.Base(source.name, source.hidden, source.value)
        .F64(version)
        .I32(source.year)
        .I32(source.startMonth)
        .I32(source.months);
    b.Raw(Stored([&](Archive& ar) {
        source.display.Serialize(ar);
        ar.List(source.graphs);
        for (int g = 0; g <= kTotal; ++g)
            ar.List(source.Items(g));
        if (version >= 1.1)
            ar.List(source.Items(kNote));
        if (version >= 1.2) {
            for (auto& state : source.sectionState)
                ar.Int32(state);
        }
        if (version >= 1.4) {
            for (std::size_t i = 0; i < CYear::kSubtotals; ++i) {
                ar.String(source.subtotalLabel[i]);
                ar.Int32(source.subtotalMode[i]);
                ar.Flag(source.subtotalFlag[i]);
            }
        }
    }));
    return b.Bytes();
}

} // namespace

TEST(YearConstruction, HoldsTheBankAndTheEighteenTotals) {
    CYear year;
    ASSERT_EQ(year.ItemCount(kBank), 1);
    EXPECT_NE(dynamic_cast<Item::CBank*>(&year.ItemAt(kBank, 0)), nullptr);
    EXPECT_EQ(year.ItemAt(kBank, 0).name, u"Bank A/C");
    ASSERT_EQ(year.ItemCount(kTotal), 18);
    EXPECT_EQ(year.ItemAt(kTotal, 0).name, u"Income");
    EXPECT_EQ(year.ItemAt(kTotal, 6).name, u"Net Surplus Before Other Income");
    EXPECT_EQ(year.ItemAt(kTotal, 12).name, u"Net Movement Before ");
    EXPECT_EQ(year.ItemAt(kTotal, 13).name, u"");
    EXPECT_EQ(year.ItemAt(kTotal, 17).name, u"Loans");
    for (int g = 0; g < kCategories; ++g) {
        if (g != kBank && g != kTotal) {
            EXPECT_EQ(year.ItemCount(g), 0) << g;
        }
    }

    for (int i = 0; i < CYear::kSectionStates; ++i)
        EXPECT_EQ(year.sectionState[static_cast<std::size_t>(i)], 1);
    EXPECT_EQ(year.SubtotalLabel(0), u"GROSS SURPLUS");
    EXPECT_EQ(year.SubtotalLabel(4), u"NET MOVEMENT BEFORE ");
    EXPECT_EQ(year.SubtotalLabel(5), u"NET CASH MOVEMENT");
    for (int i = 0; i < CYear::kSubtotals; ++i) {
        EXPECT_EQ(year.SubtotalFlag(i), i == 4) << i;
        EXPECT_EQ(year.SubtotalMode(i), 0);
    }
    EXPECT_EQ(year.DisplayName(), u"2000");
}

TEST(YearRecord, Version10HasNoNotesAndReplacesTheConstructorRows) {
    CYear source;
    source.year = 1999;
    source.Items(kBank).Clear();
    source.Items(kTotal).Clear();
    AddRow(source, kIncome, u"Sales").Expected[4] = 1234;
    const Bytes bytes = OldYearRecord(source, 1.0);

    CYear year;
    AddNote(year, u"stale");
    EXPECT_EQ(LoadRecord(year, bytes), 0u);
    EXPECT_EQ(year.year, 1999);
    EXPECT_EQ(year.ItemCount(kNote), 0);
    EXPECT_EQ(year.ItemCount(kBank), 0);
    EXPECT_EQ(year.ItemCount(kTotal), 0);
    ASSERT_EQ(year.ItemCount(kIncome), 1);
    EXPECT_EQ(static_cast<Item::CItem&>(year.ItemAt(kIncome, 0)).Expected[4], 1234);
}

TEST(YearRecord, Version11NumbersNotesAndRecountsTheirLinks) {
    CYear source;
    AddRow(source, kIncome, u"Sales");
    AddRow(source, kIncome, u"Fees").NoteCount = 3; // a count the row held is added to
    Item::CNote& first = AddNote(source, u"a");
    first.AddLink(kIncome, 1);
    first.AddLink(kIncome, 0);
    first.AddLink(kIncome, 5); // past the list
    first.AddLink(13, 0);      // no such category
    first.AddLink(-1, 0);      // no such category
    first.AddLink(kTotal, 2);  // Gross Surplus
    first.AddLink(kNote, 1);   // the second note
    AddNote(source, u"b").AddLink(kIncome, 0);
    const Bytes bytes = OldYearRecord(source, 1.1);

    CYear year;
    year.sectionState[3] = 0;
    EXPECT_EQ(LoadRecord(year, bytes), 0u);
    ASSERT_EQ(year.ItemCount(kNote), 2);
    EXPECT_EQ(year.ItemAt(kNote, 0).name, u"1");
    EXPECT_EQ(year.ItemAt(kNote, 1).name, u"2");
    EXPECT_EQ(year.ItemAt(kIncome, 0).NoteCount, 2); // one link from each note
    EXPECT_EQ(year.ItemAt(kIncome, 1).NoteCount, 4); // 3 held + 1
    EXPECT_EQ(year.ItemAt(kTotal, 2).NoteCount, 1);
    EXPECT_EQ(year.ItemAt(kNote, 1).NoteCount, 1);
    EXPECT_EQ(year.ItemAt(kNote, 0).NoteCount, 0);
    EXPECT_EQ(year.sectionState[3], 0); // no section states before 1.2
}

TEST(YearRecord, RecountDoesNotOverflowADamagedCount) {
    CYear source;
    AddRow(source, kIncome, u"Sales").NoteCount = std::numeric_limits<std::int32_t>::max();
    AddNote(source, u"a").AddLink(kIncome, 0);
    CYear year;
    EXPECT_EQ(LoadRecord(year, OldYearRecord(source, 1.1)), 0u);
    EXPECT_EQ(year.ItemAt(kIncome, 0).NoteCount, std::numeric_limits<std::int32_t>::max());
}

TEST(YearRecord, Version13ReadsLike12AndKeepsTheSubtotalDefaults) {
    CYear source;
    source.sectionState.fill(2);
    source.sectionState[13] = 0;
    AddNote(source, u"7").AddLink(kTotal, 0);
    source.ItemAt(kTotal, 0).NoteCount = 1;
    for (double version : {1.2, 1.3}) {
        CYear year;
        EXPECT_EQ(LoadRecord(year, OldYearRecord(source, version)), 0u) << version;
        EXPECT_EQ(year.sectionState[0], 2);
        EXPECT_EQ(*year.SectionState(14, -1), 0);
        EXPECT_EQ(year.SubtotalLabel(3), u"NET SURPLUS");
        EXPECT_TRUE(year.SubtotalFlag(4));
        // From 1.2 on the stored numbers and counts stand.
        EXPECT_EQ(year.ItemAt(kNote, 0).name, u"7");
        EXPECT_EQ(year.ItemAt(kTotal, 0).NoteCount, 1);
    }
}

TEST(YearRecord, GraphBelowVersion10KeepsItsNameAndTheRestOfTheYearReads) {
    CYear source;
    source.year = 2023;
    auto old = std::make_unique<CGraphSettings>();
    old->name = u"Old";
    old->seriesOn[0][0] = true; // stored in the current form only; the old record has none
    auto current = std::make_unique<CGraphSettings>();
    current->name = u"Profit";
    current->seriesOn[2][4] = true;
    current->colour[1][17] = 0x80FF00FFu;
    current->months[0][3][7] = false;
    const Bytes oldCurrentForm = StoreRecord(*old);
    source.graphs.Append(std::move(old));
    source.graphs.Append(std::move(current));
    AddRow(source, kIncome, u"Sales").Expected[4] = 1234;
    AddRow(source, kExpense, u"Rent").Expected[0] = -500;
    AddNote(source, u"1").Text = u"lease";

    // Store the year, then put a version 0.5 record (version and name only) in the first
    // graph's place; class and object indexes stay as the storing path numbered them.
    Bytes bytes = StoreRecord(source);
    const auto at =
        std::search(bytes.begin(), bytes.end(), oldCurrentForm.begin(), oldCurrentForm.end());
    ASSERT_NE(at, bytes.end());
    ByteBuilder oldForm;
    oldForm.F64(0.5).Narrow("Old");
    const auto offset = at - bytes.begin();
    bytes.erase(at, at + static_cast<std::ptrdiff_t>(oldCurrentForm.size()));
    bytes.insert(bytes.begin() + offset, oldForm.Bytes().begin(), oldForm.Bytes().end());

    CYear year;
    EXPECT_EQ(LoadRecord(year, bytes), 0u);
    EXPECT_EQ(year.year, 2023);
    ASSERT_EQ(year.GraphCount(), 2);
    const CGraphSettings& first = year.Graph(0);
    EXPECT_EQ(first.name, u"Old");
    EXPECT_EQ(first.seriesOn, CGraphSettings().seriesOn);
    EXPECT_EQ(first.months, CGraphSettings().months);
    const CGraphSettings& second = year.Graph(1);
    EXPECT_EQ(second.name, u"Profit");
    EXPECT_TRUE(second.seriesOn[2][4]);
    EXPECT_FALSE(second.seriesOn[0][0]);
    EXPECT_EQ(second.colour[1][17], 0x80FF00FFu);
    EXPECT_FALSE(second.months[0][3][7]);
    EXPECT_TRUE(second.months[0][3][6]);
    ASSERT_EQ(year.ItemCount(kIncome), 1);
    EXPECT_EQ(static_cast<Item::CItem&>(year.ItemAt(kIncome, 0)).Expected[4], 1234);
    ASSERT_EQ(year.ItemCount(kExpense), 1);
    EXPECT_EQ(static_cast<Item::CItem&>(year.ItemAt(kExpense, 0)).Expected[0], -500);
    ASSERT_EQ(year.ItemCount(kNote), 1);
    EXPECT_EQ(static_cast<Item::CNote&>(year.ItemAt(kNote, 0)).Text, u"lease");
    EXPECT_EQ(year.ItemCount(kTotal), 18);
}

TEST(YearRecord, CurrentVersionFollowsTheFieldOrderAndRoundTrips) {
    CYear source;
    source.name = u"y";
    source.year = 2024;
    source.startMonth = 6;
    source.months = 9;
    source.display.cents = false;
    auto graph = std::make_unique<CGraphSettings>();
    graph->name = u"Cash";
    graph->seriesOn[1][15] = true;
    source.graphs.Append(std::move(graph));
    AddRow(source, kExpense, u"Rent").Actual[0] = -50000;
    source.Items(kLoan).Append(std::make_unique<Item::CLoan>());
    AddNote(source, u"1").Text = u"See the lease";
    source.sectionState[7] = 3;
    source.subtotalLabel[2] = u"NET";
    source.subtotalMode[2] = 2;
    source.subtotalFlag[4] = false;

    const Bytes stored = StoreRecord(source);
    EXPECT_EQ(stored, OldYearRecord(source, 1.4));

    CYear year;
    EXPECT_EQ(LoadRecord(year, stored), 0u);
    EXPECT_EQ(year.DisplayName(), u"2024");
    EXPECT_EQ(year.months, 9);
    EXPECT_FALSE(year.display.cents);
    ASSERT_EQ(year.GraphCount(), 1);
    EXPECT_TRUE(year.Graph(0).seriesOn[1][15]);
    EXPECT_EQ(year.ItemCount(kLoan), 1);
    EXPECT_EQ(year.SubtotalLabel(2), u"NET");
    EXPECT_EQ(year.SubtotalMode(2), 2);
    EXPECT_FALSE(year.SubtotalFlag(4));
    EXPECT_EQ(StoreRecord(year), stored);
}

TEST(YearRecord, NewerVersionIsNotSupported) {
    ByteBuilder b;
    b.Base().F64(1.5);
    CYear year;
    EXPECT_EQ(FailureOf([&] { LoadRecord(year, b.Bytes()); }), "not supported");
}

TEST(YearRecord, VersionBelow10ReadsNothingMore) {
    ByteBuilder b;
    b.Base(u"old").F64(0.9);
    CYear year;
    EXPECT_EQ(LoadRecord(year, b.Bytes()), 0u);
    EXPECT_EQ(year.name, u"old");
    EXPECT_EQ(year.ItemCount(kTotal), 0); // emptied before the version
    EXPECT_EQ(year.year, 2000);
}

TEST(YearLookup, BadAddressesAreNotFoundOrNone) {
    CYear year;
    EXPECT_EQ(FailureOf([&] { year.ItemAt(13, 0); }), "Not Found");
    EXPECT_EQ(FailureOf([&] { year.ItemAt(-1, 0); }), "Not Found");
    EXPECT_EQ(FailureOf([&] { year.ItemAt(kTotal, 18); }), "Not Found");
    EXPECT_EQ(FailureOf([&] { year.Graph(0); }), "Not Found");
    EXPECT_EQ(year.FindItem(kIncome, 0), nullptr);
    EXPECT_EQ(year.FindItem(99, 0), nullptr);
    EXPECT_EQ(year.ItemCount(13), 0);

    EXPECT_EQ(year.SectionState(13, -1), nullptr);
    EXPECT_EQ(year.SectionState(15, -1), nullptr);
    EXPECT_EQ(year.SectionState(kNote, -1), &year.sectionState[12]);
    EXPECT_EQ(year.SectionState(14, -1), &year.sectionState[13]);
    EXPECT_EQ(year.SectionState(kIncome, -2), nullptr);
    // A row's own outline state: loans have one, the bank has none.
    auto& loan =
        static_cast<Item::CLoan&>(year.Items(kLoan).Append(std::make_unique<Item::CLoan>()));
    EXPECT_EQ(year.SectionState(kLoan, 0), &loan.OutlineState);
    EXPECT_EQ(year.SectionState(kBank, 0), nullptr);
    EXPECT_EQ(year.SectionState(kLoan, 1), nullptr);

    EXPECT_EQ(year.SubtotalLabel(6), u"");
    EXPECT_EQ(year.SubtotalLabel(-1), u"");
    EXPECT_EQ(year.SubtotalMode(6), 0);
    EXPECT_FALSE(year.SubtotalFlag(-1));
}

TEST(YearLookup, ObjectAtFollowsLevelsFourToSix) {
    CYear year;
    year.graphs.Append(std::make_unique<CGraphSettings>());
    LayoutKey key;
    EXPECT_EQ(year.ObjectAt(key), &year);
    key[LayoutKey::kGraph] = 0;
    EXPECT_EQ(year.ObjectAt(key), &year.Graph(0));
    // A row address wins over the graph level.
    key[LayoutKey::kCategory] = kTotal;
    key[LayoutKey::kPosition] = 3;
    EXPECT_EQ(year.ObjectAt(key), &year.ItemAt(kTotal, 3));
    key[LayoutKey::kPosition] = LayoutKey::kNoEntry;
    EXPECT_EQ(FailureOf([&] { year.ObjectAt(key); }), "Not Found");
    key[LayoutKey::kCategory] = LayoutKey::kNoEntry;
    key[LayoutKey::kGraph] = 1;
    EXPECT_EQ(FailureOf([&] { year.ObjectAt(key); }), "Not Found");
}

TEST(YearCounts, HiddenAndBankSelectors) {
    CYear year;
    auto& first = static_cast<Item::CBank&>(year.ItemAt(kBank, 0));
    first.NoCrInterest = true;
    auto second = std::make_unique<Item::CBank>();
    second->hidden = true;
    second->NoOdLimit = true;
    year.Items(kBank).Append(std::move(second));
    EXPECT_EQ(year.VisibleCount(kBank), 1);    // the hidden flag
    EXPECT_EQ(year.VisibleCount(kBank, 1), 1); // NoCrInterest clear: the second only
    EXPECT_EQ(year.VisibleCount(kBank, 2), 2); // NoOdInterest clear on both
    EXPECT_EQ(year.VisibleCount(kBank, 3), 1); // NoOdLimit clear: the first only

    AddRow(year, kIncome, u"a").hidden = true;
    AddRow(year, kIncome, u"b");
    EXPECT_EQ(year.VisibleCount(kIncome), 1);
    EXPECT_EQ(year.VisibleCount(kIncome, 1), 1); // selectors apply to the bank category only
    EXPECT_EQ(year.VisibleCount(13), 0);

    auto graph = std::make_unique<CGraphSettings>();
    graph->hidden = true;
    year.graphs.Append(std::move(graph));
    year.graphs.Append(std::make_unique<CGraphSettings>());
    EXPECT_EQ(year.HiddenGraphCount(), 1);
}

TEST(YearMonths, LastMonthStaysAMonthForAnyStoredValues) {
    CYear year;
    EXPECT_EQ(year.LastMonth(), 2); // (3 + 12 - 1) mod 12
    year.startMonth = 0;
    EXPECT_EQ(year.LastMonth(), 11);
    year.startMonth = -5;
    year.months = 0;
    EXPECT_EQ(year.LastMonth(), 6); // -6 mod 12
    year.startMonth = std::numeric_limits<std::int32_t>::max();
    year.months = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(year.LastMonth(), 1); // 4294967293 = 12 × 357913941 + 1
    year.startMonth = std::numeric_limits<std::int32_t>::min();
    year.months = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(year.LastMonth(), 7); // -4294967297 = 12 × -357913942 + 7
}

TEST(YearMerge, FlagsMapToModeCopyActualsAndCopyName) {
    CYear source;
    auto& sales = AddRow(source, kIncome, u"Sales");
    sales.Expected[0] = 10000;
    sales.Actual[0] = 7000;
    sales.hidden = true;

    CYear target;
    // p = 2: Expected taken from the source's Actual; q = 0: no actuals; no name.
    EXPECT_FALSE(target.Merge(&source, 2, 0, false));
    ASSERT_EQ(target.ItemCount(kIncome), 1);
    auto& row = static_cast<Item::CItem&>(target.ItemAt(kIncome, 0));
    EXPECT_EQ(row.Expected[0], 7000);
    EXPECT_EQ(row.Actual[0], 0);
    EXPECT_EQ(row.name, u" ");
    EXPECT_FALSE(row.hidden);

    // p = 1, q = 1, copyIdentity: both sides and the name.
    EXPECT_FALSE(target.Merge(&source, 1, 1, true));
    auto& again = static_cast<Item::CItem&>(target.ItemAt(kIncome, 0));
    EXPECT_EQ(again.Expected[0], 10000);
    EXPECT_EQ(again.Actual[0], 7000);
    EXPECT_EQ(again.name, u"Sales");
    EXPECT_TRUE(again.hidden);
}

TEST(YearMerge, CopyIdentityReplacesRowsGraphsAndSettings) {
    CYear source;
    source.year = 2031;
    source.startMonth = 0;
    source.months = 6;
    source.display.brackets = false;
    source.display.includeHidden = false; // never copied
    source.subtotalLabel[1] = u"EBIT";
    AddRow(source, kIncome, u"Sales");

    CYear target;
    AddRow(target, kIncome, u"x");
    AddRow(target, kIncome, u"y");
    target.graphs.Append(std::make_unique<CGraphSettings>());
    EXPECT_FALSE(target.Merge(&source, 0, 0, true));
    EXPECT_EQ(target.year, 2031);
    EXPECT_EQ(target.startMonth, 0);
    EXPECT_EQ(target.months, 6);
    EXPECT_FALSE(target.display.brackets);
    EXPECT_TRUE(target.display.includeHidden);
    EXPECT_EQ(target.SubtotalLabel(1), u"EBIT");
    EXPECT_EQ(target.GraphCount(), 0);
    ASSERT_EQ(target.ItemCount(kIncome), 1);
    EXPECT_EQ(target.ItemAt(kIncome, 0).name, u"Sales");
    EXPECT_EQ(target.ItemCount(kTotal), 18);
    EXPECT_EQ(target.ItemCount(kBank), 1);

    // Without it the target keeps its identity and its extra rows.
    CYear other;
    other.year = 1990;
    AddRow(other, kIncome, u"a");
    AddRow(other, kIncome, u"b");
    EXPECT_FALSE(other.Merge(&source, 1, 1, false));
    EXPECT_EQ(other.year, 1990);
    EXPECT_EQ(other.ItemCount(kIncome), 2);
    EXPECT_EQ(other.ItemAt(kIncome, 0).name, u"a");
}

TEST(YearMerge, GraphsTakeTheNameOnlyBelowP1) {
    CYear source;
    auto graph = std::make_unique<CGraphSettings>();
    graph->name = u"Bank";
    graph->colour[0][15] = 0xFF;
    source.graphs.Append(std::move(graph));

    CYear nameOnly;
    EXPECT_FALSE(nameOnly.Merge(&source, 0, 0, false));
    ASSERT_EQ(nameOnly.GraphCount(), 1);
    EXPECT_EQ(nameOnly.Graph(0).name, u"Bank");
    EXPECT_EQ(nameOnly.Graph(0).colour[0][15], 0u);

    CYear all;
    EXPECT_FALSE(all.Merge(&source, 1, 0, false));
    EXPECT_EQ(all.Graph(0).colour[0][15], 0xFFu);
}

TEST(YearMerge, FailsForNoSourceAndForRowsOfAnotherClass) {
    CYear target;
    EXPECT_TRUE(target.Merge(nullptr, 1, 1, false));

    CYear source;
    source.Items(kBank).Clear();
    AddRow(source, kBank, u"not a bank");
    EXPECT_TRUE(target.Merge(&source, 1, 1, false));

    // Merging a year into itself keeps it whole.
    EXPECT_FALSE(target.Merge(&target, 1, 1, true));
    EXPECT_EQ(target.ItemCount(kTotal), 18);
}
