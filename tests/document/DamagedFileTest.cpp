#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "database/Archive.h"
#include "database/CCompany.h"
#include "database/CPERT.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "database/CTaxRate.h"
#include "database/CTaxSetup.h"
#include "database/CTaxSubRate.h"
#include "database/CYear.h"
#include "document/CMainDoc.h"
#include "document/RecordingMessageSink.h"
#include "items/CBank.h"
#include "items/CItem.h"
#include "items/CLoan.h"
#include "items/CNote.h"
#include "items/CTaxSum.h"
#include "support/ByteBuilder.h"

// GCC sees the replaced global new and delete below pair malloc with free and warns wrongly.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

// The largest single allocation made while `gTrackAllocations` is set: a count or length read
// from a damaged file must never size an allocation beyond what the file itself could fill.
namespace {
bool gTrackAllocations = false;
std::size_t gLargestAllocation = 0;
} // namespace

void* operator new(std::size_t size) {
    if (gTrackAllocations)
        gLargestAllocation = std::max(gLargestAllocation, size);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using Bytes = std::vector<std::uint8_t>;

const Text kTitle = u"File Format Not Supported";
const Text kNotSupported =
    u"This file format is not supported. Please update to the lastest version.";
const Text kNoLongerSupported =
    u"This file format is not longer supported. Load and save your data file in V1.3.0.0 to "
    u"V1.3.8.5 of Varnobel Standard to update the file format.";
const Text kUnexpected = u"Unexpected file format.";

struct ReadResult {
    bool loaded = false;
    RecordingMessageSink sink;
    int views = 0;
};

ReadResult ReadBytes(const Bytes& bytes) {
    ReadResult result;
    CMainDoc doc;
    gTrackAllocations = true;
    gLargestAllocation = 0;
    result.loaded = doc.Read(bytes, "damaged.cfs", result.sink);
    gTrackAllocations = false;
    result.views = doc.ViewCount();
    return result;
}

std::string Describe(const RecordingMessageSink& sink) {
    std::ostringstream out;
    for (const auto& box : sink.boxes)
        out << "[box " << ToUtf8(box.title) << ": " << ToUtf8(box.text) << "] ";
    for (const auto& text : sink.openFailures)
        out << "[failed: " << ToUtf8(text) << "] ";
    for (const auto& text : sink.fileErrors)
        out << "[file: " << ToUtf8(text) << "] ";
    return out.str();
}

// The open fails with the framework's report alone: no message box of the program.
void ExpectUnexpectedOnly(const Bytes& bytes, const std::string& what) {
    const ReadResult r = ReadBytes(bytes);
    EXPECT_FALSE(r.loaded) << what;
    EXPECT_TRUE(r.sink.boxes.empty()) << what << ": " << Describe(r.sink);
    EXPECT_EQ(r.sink.openFailures, std::vector<Text>{kUnexpected}) << what;
    EXPECT_TRUE(r.sink.fileErrors.empty()) << what;
}

// A text failure: the program's "not supported" box, then the framework's report.
void ExpectNotSupported(const Bytes& bytes, const std::string& what) {
    const ReadResult r = ReadBytes(bytes);
    EXPECT_FALSE(r.loaded) << what;
    EXPECT_EQ(r.sink.boxes, (std::vector<RecordingMessageSink::Box>{{kNotSupported, kTitle}}))
        << what << ": " << Describe(r.sink);
    EXPECT_EQ(r.sink.openFailures, std::vector<Text>{kUnexpected}) << what;
}

void ExpectLoads(const Bytes& bytes, const std::string& what) {
    const ReadResult r = ReadBytes(bytes);
    EXPECT_TRUE(r.loaded) << what << ": " << Describe(r.sink);
    EXPECT_TRUE(r.sink.Empty()) << what << ": " << Describe(r.sink);
}

// ---- A small forecast holding every class that a forecast file can hold ----------------------

// Every name is distinct, so a record's leading bytes occur once in the stored file.
void BuildSmallForecast(CMainDoc& doc) {
    auto& root = doc.Root();
    root.name = u"Small forecast";

    auto setup = std::make_unique<Database::CTaxSetup>();
    setup->name = u"Goods tax";
    setup->PeriodLength = 2;
    auto rate = std::make_unique<Database::CTaxRate>();
    rate->name = u"Standard rate";
    rate->Code = u"S";
    auto subRate = std::make_unique<Database::CTaxSubRate>(2030, 6, 1250);
    subRate->name = u"From July 2030";
    rate->SubRates.Append(std::move(subRate));
    setup->Rates.Append(std::move(rate));

    auto year = std::make_unique<Database::CYear>();
    year->name = u"Year one";
    year->year = 2037;
    year->startMonth = 6;
    // A flag pattern no other record repeats.
    year->display.brackets = false;
    year->display.showVariance[1] = false;
    year->display.showActual[10] = false;
    year->display.extraA = true;

    auto graph = std::make_unique<Database::CGraphSettings>();
    graph->name = u"Income graph";
    graph->seriesOn[0][0] = true;
    year->graphs.Append(std::move(graph));

    auto income = std::make_unique<Item::CItem>();
    income->name = u"Sales row";
    income->TaxLinks = {0};
    income->Expected[6] = 123456;
    income->Actual[6] = 120000;
    income->NoteCount = 1;
    year->Items(kIncome).Append(std::move(income));

    auto taxSum = std::make_unique<Item::CTaxSum>();
    taxSum->name = u"Tax summary row";
    taxSum->ExpectedAdjustments[3] = 5000;
    year->Items(kTax).Append(std::move(taxSum));

    auto& bank = dynamic_cast<Item::CBank&>(year->ItemAt(kBank, 0));
    bank.name = u"Cheque account";
    bank.ExpectedOpening = 1000000;
    bank.CrRate.fill(150);

    auto investment = std::make_unique<Item::CLoan>();
    investment->name = u"Term deposit";
    investment->Side = 2;
    investment->ExpectedOpening = 500000;
    investment->Rate.fill(400);
    year->Items(kInvestment).Append(std::move(investment));

    auto loan = std::make_unique<Item::CLoan>();
    loan->name = u"Bank loan";
    loan->ExpectedOpening = 2000000;
    loan->Rate.fill(750);
    loan->ExpectedPayments.fill(30000);
    year->Items(kLoan).Append(std::move(loan));

    auto note = std::make_unique<Item::CNote>();
    note->name = u"1";
    note->Text = u"Sales follow the season";
    note->AddLink(kLoan, 0);
    year->Items(kNote).Append(std::move(note));

    auto company = std::make_unique<Database::CCompany>();
    company->name = u"Combined company";
    company->matchings.Add(u"Sales ledger", u"Sales", kIncome, 0, 1);
    company->taxSetups.Append(std::move(setup));
    company->years.Append(std::move(year));

    auto scenario = std::make_unique<Database::CScenario>();
    scenario->name = u"Combined scenario";
    scenario->companies.Append(std::move(company));

    auto view = std::make_unique<Database::CTabView>();
    view->name = u"Main view";
    view->scenarios.Append(std::move(scenario));
    root.views.Append(std::move(view));
}

Bytes SmallForecast() {
    CMainDoc doc;
    BuildSmallForecast(doc);
    return doc.Store();
}

// What `write` stores into a fresh storing archive.
template <class F> Bytes StoredBy(F&& write) {
    Archive ar;
    write(ar);
    return ar.Bytes();
}

Bytes DoubleBytes(double value) {
    return StoredBy([&](Archive& ar) { ar.Double(value); });
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Positions of `pattern` in `bytes`.
std::vector<std::size_t> FindAll(const Bytes& bytes, const Bytes& pattern) {
    std::vector<std::size_t> found;
    auto it = bytes.begin();
    while ((it = std::search(it, bytes.end(), pattern.begin(), pattern.end())) != bytes.end()) {
        found.push_back(static_cast<std::size_t>(it - bytes.begin()));
        ++it;
    }
    return found;
}

// The position of the one occurrence of `pattern`; the test fails when there is not exactly one.
std::size_t FindOnce(const Bytes& bytes, const Bytes& pattern) {
    const auto found = FindAll(bytes, pattern);
    EXPECT_EQ(found.size(), 1u) << "pattern of " << pattern.size() << " bytes";
    return found.empty() ? 0 : found.front();
}

// The position of the new-class tag that names `className` the first time it is stored.
std::size_t ClassTag(const Bytes& bytes, const std::string& className) {
    const Bytes pattern = ByteBuilder().NewClass(className).Bytes();
    const auto found = FindAll(bytes, pattern);
    EXPECT_FALSE(found.empty()) << className;
    return found.empty() ? 0 : found.front();
}

Bytes Replaced(Bytes bytes, std::size_t at, const Bytes& with, std::size_t length) {
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), with.begin(), with.end());
    return bytes;
}

// The file with the first new-class tag of `from` naming `to` instead.
Bytes WithClassName(const Bytes& file, const std::string& from, const std::string& to) {
    return Replaced(file, ClassTag(file, from), ByteBuilder().NewClass(to).Bytes(),
                    ByteBuilder().NewClass(from).Size());
}

// ---- A hand-built file: settings, then a root of the current version ---------------------------

ByteBuilder Settings(std::u16string_view header = u"Cashflow file v2.0") {
    ByteBuilder b;
    b.Wide(header).Wide(u"Arial").I32(100).I32(100).U32(0x8000000A).I64(0);
    for (int i = 0; i < CMainDoc::kSeries; ++i)
        b.U8(0).U32(0);
    b.I32(0);
    return b;
}

// A root whose views list (count included) `views` writes.
Bytes FileWithViews(const std::function<void(ByteBuilder&)>& views) {
    ByteBuilder b = Settings();
    b.Base(u"Root").F64(1.4).I32(1).I32(1).I32(1);
    views(b);
    b.I32(0).I32(0).I32(0).I32(0).I32(2);
    return b.Bytes();
}

// A view record with no scenarios.
void EmptyView(ByteBuilder& b, std::u16string_view name) {
    b.Base(name).F64(1.0).U16(0);
}

// ---- The tests ---------------------------------------------------------------------------------

TEST(DamagedFile, SmallForecastLoadsAndRoundTrips) {
    const Bytes file = SmallForecast();
    CMainDoc doc;
    RecordingMessageSink sink;
    ASSERT_TRUE(doc.Read(file, "small.cfs", sink)) << Describe(sink);
    EXPECT_TRUE(sink.Empty());
    ASSERT_EQ(doc.ViewCount(), 1);
    const auto& year = doc.View(0).Scenario(-1).Company(-1).Year(0);
    EXPECT_EQ(year.year, 2037);
    EXPECT_EQ(year.ItemCount(kNote), 1);
    EXPECT_EQ(doc.Store(), file);
}

TEST(DamagedFile, EveryTruncationFailsWithUnexpectedFormatOnly) {
    const Bytes file = SmallForecast();
    ASSERT_GT(file.size(), 1000u);
    // The root record comes last, so no proper prefix is a complete file.
    for (std::size_t length = 1; length < file.size(); ++length) {
        const ReadResult r = ReadBytes(Bytes(file.begin(), file.begin() + length));
        ASSERT_FALSE(r.loaded) << "length " << length;
        ASSERT_TRUE(r.sink.boxes.empty()) << "length " << length << ": " << Describe(r.sink);
        ASSERT_EQ(r.sink.openFailures, std::vector<Text>{kUnexpected}) << "length " << length;
        ASSERT_EQ(r.views, 0) << "a failed read installed part of the tree, length " << length;
    }
}

TEST(DamagedFile, ZeroLengthFileIsAnEmptyDocument) {
    const ReadResult r = ReadBytes({});
    EXPECT_TRUE(r.loaded);
    EXPECT_TRUE(r.sink.Empty());
    EXPECT_EQ(r.views, 0);
}

// A record of each class whose version is the smallest double above the one this reader
// writes. `pattern` is what the stored file holds around the version, once; the version starts
// `offset` bytes into it.
struct VersionSite {
    std::string record;
    Bytes pattern;
    std::size_t offset;
    double current;
};

std::vector<VersionSite> VersionSites(CMainDoc& doc) {
    using namespace Database;
    std::vector<VersionSite> sites;
    // The base part of `object` as its base class writes it, then the class's own version.
    auto own = [&](const std::string& record, auto& object, auto writeBase, double current) {
        const Bytes base = StoredBy([&](Archive& ar) { writeBase(object, ar); });
        sites.push_back({record, Concat(base, DoubleBytes(current)), base.size(), current});
    };
    auto cbase = [](CBase& o, Archive& ar) { o.CBase::Serialize(ar); };
    auto baseItem = [](Item::CBaseItem& o, Archive& ar) { o.Item::CBaseItem::Serialize(ar); };

    CPERT& root = doc.Root();
    CTabView& view = root.View(0);
    CScenario& scenario = view.Scenario(-1);
    CCompany& company = scenario.Company(-1);
    CYear& year = company.Year(0);
    CTaxSetup& setup = *company.TaxSetup(0);
    CTaxRate& rate = *setup.Rate(0);
    auto& income = dynamic_cast<Item::CItem&>(year.ItemAt(kIncome, 0));
    auto& note = dynamic_cast<Item::CNote&>(year.ItemAt(kNote, 0));

    // The base record of the root and of a row deep in the tree.
    sites.push_back(
        {"CBase of the root", StoredBy([&](Archive& ar) { cbase(root, ar); }), 0, CBase::kVersion});
    sites.push_back(
        {"CBase of a row", StoredBy([&](Archive& ar) { cbase(income, ar); }), 0, CBase::kVersion});
    own("CPERT", root, cbase, CPERT::kVersion);
    own("CTabView", view, cbase, CTabView::kVersion);
    own("CScenario", scenario, cbase, CScenario::kVersion);
    own("CCompany", company, cbase, CCompany::kVersion);
    own("CYear", year, cbase, CYear::kVersion);
    own("CTaxSetup", setup, cbase, CTaxSetup::kVersion);
    own("CTaxRate", rate, cbase, CTaxRate::kVersion);
    own("CTaxSubRate", rate.SubRates.At(0), cbase, CTaxSubRate::kVersion);
    own("CBaseItem", income, cbase, Item::CBaseItem::kVersion);
    own("CItem", income, baseItem, Item::CItem::kVersion);
    own("CTaxSum", year.ItemAt(kTax, 0), baseItem, Item::CTaxSum::kVersion);
    own("CBank", year.ItemAt(kBank, 0), baseItem, Item::CBank::kVersion);
    own("CLoan", year.ItemAt(kLoan, 0), baseItem, Item::CLoan::kVersion);
    own("CNote", note, baseItem, Item::CNote::kVersion);
    // Records that begin with their own version: the whole record (which holds no objects).
    auto whole = [&](const std::string& record, CObject& object, double current) {
        sites.push_back({record, StoredBy([&](Archive& ar) { object.Serialize(ar); }), 0, current});
    };
    whole("CGraphSettings", year.Graph(0), CGraphSettings::kVersion);
    whole("CDisplaySettings", year.display, CDisplaySettings::kVersion);
    whole("CMatchingList", company.matchings, CMatchingList::kVersion);
    whole("CNoteItem", note.Link(0), Item::CNoteItem::kVersion);
    return sites;
}

TEST(DamagedFile, NewerVersionOfAnyRecordGivesNotSupportedThenUnexpectedFormat) {
    CMainDoc doc;
    BuildSmallForecast(doc);
    const Bytes file = doc.Store();
    for (const auto& site : VersionSites(doc)) {
        SCOPED_TRACE(site.record);
        const std::size_t at = FindOnce(file, site.pattern) + site.offset;
        ASSERT_EQ(Bytes(file.begin() + at, file.begin() + at + 8), DoubleBytes(site.current));
        const double newer = std::nextafter(site.current, 100.0);
        ExpectNotSupported(Replaced(file, at, DoubleBytes(newer), 8), site.record + " newer");
        ExpectNotSupported(Replaced(file, at, DoubleBytes(site.current + 1.0), 8),
                           site.record + " next major");
    }
}

TEST(DamagedFile, UnknownClassNameFailsWithUnexpectedFormatOnly) {
    const Bytes file = SmallForecast();
    ExpectUnexpectedOnly(WithClassName(file, "CTabView", "CTabViex"), "misspelt");
    // Names match exactly, case included.
    ExpectUnexpectedOnly(WithClassName(file, "CYear", "cyear"), "lower case");
    ExpectUnexpectedOnly(WithClassName(file, "CItem", "Item:"), "namespace");

    // A name over 63 characters is refused before it is looked up, and one longer than the
    // rest of the file is an end of file.
    ExpectUnexpectedOnly(FileWithViews([](ByteBuilder& b) {
                             b.U16(1).NewClass(std::string(64, 'C'));
                             EmptyView(b, u"V");
                         }),
                         "64 characters");
    ExpectUnexpectedOnly(FileWithViews([](ByteBuilder& b) { b.U16(1).U16(0xFFFF).U16(1).U16(60); }),
                         "name past the end");
}

TEST(DamagedFile, WrongSchemaFailsWithUnexpectedFormatOnly) {
    const Bytes file = SmallForecast();
    for (std::uint16_t schema : {0, 2, 0xFFFF}) {
        for (const std::string className : {"CTabView", "CYear", "CNoteItem"}) {
            const std::size_t at = ClassTag(file, className) + 2;
            Bytes damaged = file;
            damaged[at] = static_cast<std::uint8_t>(schema & 0xFF);
            damaged[at + 1] = static_cast<std::uint8_t>(schema >> 8);
            ExpectUnexpectedOnly(damaged, className + " schema " + std::to_string(schema));
        }
    }
}

TEST(DamagedFile, ListElementOfAnotherClassFailsWithUnexpectedFormatOnly) {
    const Bytes file = SmallForecast();
    // Same-length names, so only the class differs.
    ExpectUnexpectedOnly(WithClassName(file, "CYear", "CItem"), "a row in the years list");
    ExpectUnexpectedOnly(WithClassName(file, "CYear", "CBase"), "a base object as a year");
    ExpectUnexpectedOnly(WithClassName(file, "CTabView", "CTaxRate"), "a tax rate as a view");
    ExpectUnexpectedOnly(WithClassName(file, "CItem", "CYear"), "a year in a row list");
    ExpectUnexpectedOnly(WithClassName(file, "CNoteItem", "CTaxSubRate"), "a sub-rate as a link");
    ExpectUnexpectedOnly(WithClassName(file, "CScenario", "CTabView0"), "unknown in scenarios");
    // A class that no record owns.
    ExpectUnexpectedOnly(WithClassName(file, "CTaxSubRate", "CTax"), "a tax object as a sub-rate");
}

TEST(DamagedFile, ObjectTagsOfTheViewsList) {
    // Class CTabView takes index 1 and the first view index 2.
    ExpectLoads(FileWithViews([](ByteBuilder& b) { b.U16(0); }), "no views");
    const ReadResult two = ReadBytes(FileWithViews([](ByteBuilder& b) {
        b.U16(2).NewClass("CTabView");
        EmptyView(b, u"V1");
        b.OldClass(1);
        EmptyView(b, u"V2");
    }));
    EXPECT_TRUE(two.loaded) << Describe(two.sink);
    EXPECT_EQ(two.views, 2);
    // The long form of a class tag: 0x7FFF, then 0x80000000 | index.
    const ReadResult longTag = ReadBytes(FileWithViews([](ByteBuilder& b) {
        b.U16(2).NewClass("CTabView");
        EmptyView(b, u"V1");
        b.U16(0x7FFF).U32(0x80000001);
        EmptyView(b, u"V2");
    }));
    EXPECT_TRUE(longTag.loaded) << Describe(longTag.sink);
    EXPECT_EQ(longTag.views, 2);

    // Where a new object must come: a reference to the view already read (index 2), in both
    // forms, would give the list a second owner of that view.
    for (const auto& [what, tagBytes] : std::vector<std::pair<std::string, Bytes>>{
             {"reference", ByteBuilder().U16(2).Bytes()},
             {"long reference", ByteBuilder().U16(0x7FFF).U32(2).Bytes()},
             {"reference to the class", ByteBuilder().U16(1).Bytes()},
             {"class tag of the view object", ByteBuilder().U16(0x8002).Bytes()},
             {"unassigned class index", ByteBuilder().OldClass(9).Bytes()},
             {"unassigned long class index", ByteBuilder().U16(0x7FFF).U32(0xFFFFFFFF).Bytes()},
             {"no object", ByteBuilder().U16(0).Bytes()},
         }) {
        const Bytes& tag = tagBytes; // a lambda cannot capture a structured binding here
        ExpectUnexpectedOnly(FileWithViews([&](ByteBuilder& b) {
                                 b.U16(2).NewClass("CTabView");
                                 EmptyView(b, u"V1");
                                 b.Raw(tag);
                                 EmptyView(b, u"V2");
                             }),
                             what);
    }
}

TEST(DamagedFile, ObjectReferenceInsideTheTreeFailsWithUnexpectedFormatOnly) {
    // Indexes in the small forecast, in file order (the root has no tag; a company stores its
    // tax setups before its years; display settings have no tag): CTabView 1, view 2,
    // CScenario 3, scenario 4, CCompany 5, company 6, CTaxSetup 7, setup 8, CTaxRate 9, rate 10,
    // CTaxSubRate 11, sub-rate 12, CYear 13, year 14, CGraphSettings 15, graph 16, CItem 17,
    // sales row 18, CTaxSum 19, tax summary 20, CBank 21, bank 22, CLoan 23, deposit 24, loan 25,
    // first total 26. The second total row is then tagged 0x8000 | 17.
    CMainDoc doc;
    BuildSmallForecast(doc);
    const Bytes file = doc.Store();
    auto& year = doc.View(0).Scenario(-1).Company(-1).Year(0);
    const Bytes firstTotal = StoredBy([&](Archive& ar) { year.ItemAt(kTotal, 0).Serialize(ar); });
    const std::size_t secondTag = FindOnce(file, firstTotal) + firstTotal.size();
    ASSERT_EQ(file[secondTag], 0x11);
    ASSERT_EQ(file[secondTag + 1], 0x80);

    for (const auto& [what, reference] : std::vector<std::pair<std::string, std::uint16_t>>{
             {"the sales row, a second owner", 18},
             {"the first total, just read", 26},
             {"the year that holds the list", 14},
             {"the view at the top", 2},
             {"the row class as an object", 17},
             {"an index not yet handed out", 27},
         }) {
        Bytes damaged = file;
        damaged[secondTag] = static_cast<std::uint8_t>(reference & 0xFF);
        damaged[secondTag + 1] = static_cast<std::uint8_t>(reference >> 8);
        ExpectUnexpectedOnly(damaged, what);
    }
}

// Replaces the 16-bit count just before the first tag naming `className` by 0xFFFF and a
// 32-bit count.
Bytes WithCountBefore(const Bytes& file, const std::string& className, std::uint32_t count) {
    const std::size_t at = ClassTag(file, className) - 2;
    return Replaced(file, at, ByteBuilder().U16(0xFFFF).U32(count).Bytes(), 2);
}

// Replaces the length of the first wide text `text` by the given length form.
Bytes WithTextLength(const Bytes& file, std::u16string_view text, const Bytes& lengthForm) {
    const Bytes stored = ByteBuilder().Wide(text).Bytes();
    const std::size_t at = FindAll(file, stored).at(0);
    const std::size_t prefix = text.size() < 0xFF ? 4 : 7;
    return Replaced(file, at, lengthForm, prefix);
}

void ExpectRefusedWithoutLargeAllocation(const Bytes& bytes, const std::string& what) {
    const ReadResult r = ReadBytes(bytes);
    EXPECT_FALSE(r.loaded) << what;
    EXPECT_TRUE(r.sink.boxes.empty()) << what << ": " << Describe(r.sink);
    EXPECT_EQ(r.sink.openFailures, std::vector<Text>{kUnexpected}) << what;
    // A file of a few kilobytes needs no allocation near a megabyte.
    EXPECT_LT(gLargestAllocation, std::size_t{1} << 20) << what;
}

TEST(DamagedFile, CountsBeyondTheFileFailFastWithoutLargeAllocations) {
    const Bytes file = SmallForecast();
    for (std::uint32_t count : {0xFFFFFFFFu, 0x80000000u, 0x10000u}) {
        const std::string n = " count " + std::to_string(count);
        for (const std::string className :
             {"CTabView", "CScenario", "CCompany", "CTaxSetup", "CTaxRate", "CTaxSubRate", "CYear",
              "CGraphSettings", "CItem", "CTaxSum", "CBank", "CLoan", "CNote", "CNoteItem"})
            ExpectRefusedWithoutLargeAllocation(WithCountBefore(file, className, count),
                                                className + " list" + n);
    }

    CMainDoc doc;
    BuildSmallForecast(doc);
    auto& company = doc.View(0).Scenario(-1).Company(-1);
    auto& income = dynamic_cast<Item::CItem&>(company.Year(0).ItemAt(kIncome, 0));

    // The row's tax links: a 16-bit count of 1 and one entry at the end of its record.
    const Bytes row = StoredBy([&](Archive& ar) { income.Serialize(ar); });
    const std::size_t links = FindOnce(file, row) + row.size() - 6;
    for (std::uint32_t count : {0xFFFFFFFFu, 0x40000000u})
        ExpectRefusedWithoutLargeAllocation(
            Replaced(file, links, ByteBuilder().U16(0xFFFF).U32(count).Bytes(), 2),
            "tax links " + std::to_string(count));

    // The matching table's 32-bit entry count, after its version.
    const Bytes table = StoredBy([&](Archive& ar) { company.matchings.Serialize(ar); });
    const std::size_t entries = FindOnce(file, table) + 8;
    // (A negative count reads no entries, so it is not a damage the read can see.)
    for (std::uint32_t count : {0x7FFFFFFFu, 0x40000000u, 0x01000000u}) {
        Bytes damaged = file;
        const Bytes value = ByteBuilder().U32(count).Bytes();
        std::copy(value.begin(), value.end(),
                  damaged.begin() + static_cast<std::ptrdiff_t>(entries));
        ExpectRefusedWithoutLargeAllocation(damaged, "matchings " + std::to_string(count));
    }
}

TEST(DamagedFile, TextLengthsBeyondTheFileFailFastWithoutLargeAllocations) {
    const Bytes file = SmallForecast();
    const std::vector<std::pair<std::string, Bytes>> forms = {
        {"wide 32-bit",
         ByteBuilder().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFE).Bytes()},
        {"wide 64-bit marker",
         ByteBuilder().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).Bytes()},
        {"wide 16-bit", ByteBuilder().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFD).Bytes()},
        {"narrow 32-bit", ByteBuilder().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFE).Bytes()},
        {"narrow 16-bit", ByteBuilder().U8(0xFF).U16(0xFFFD).Bytes()},
        {"wide marker twice", ByteBuilder().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFE).Bytes()},
    };
    for (const auto& [form, length] : forms) {
        for (std::u16string_view text :
             {std::u16string_view(u"Cashflow file v2.0"), std::u16string_view(u"Times New Roman"),
              std::u16string_view(u"Main view"), std::u16string_view(u"Sales row"),
              std::u16string_view(u"Sales follow the season")}) {
            ExpectRefusedWithoutLargeAllocation(WithTextLength(file, text, length),
                                                form + " length of " + ToUtf8(Text(text)));
        }
    }
}

// The file with its header text (the first text) replaced.
Bytes WithHeader(const Bytes& file, const ByteBuilder& header) {
    const std::size_t stored = ByteBuilder().Wide(u"Cashflow file v2.0").Size();
    return Replaced(file, 0, header.Bytes(), stored);
}

TEST(DamagedFile, HeaderVersions) {
    const Bytes file = SmallForecast();
    ExpectNotSupported(WithHeader(file, ByteBuilder().Wide(u"Cashflow file v2.1")), "2.1");
    ExpectNotSupported(WithHeader(file, ByteBuilder().Wide(u"Cashflow file v2.0000001")),
                       "2.0000001");

    for (std::u16string_view old : {u"Cashflow file v1.9", u"Cashflow file v", u"Cashflow file vX",
                                    u"Cashflow file v-2", u"Cashflow file v1.99999"}) {
        const ReadResult r = ReadBytes(WithHeader(file, ByteBuilder().Wide(old)));
        EXPECT_FALSE(r.loaded) << ToUtf8(Text(old));
        EXPECT_EQ(r.sink.boxes,
                  (std::vector<RecordingMessageSink::Box>{{kNoLongerSupported, kTitle}}))
            << ToUtf8(Text(old)) << ": " << Describe(r.sink);
        EXPECT_EQ(r.sink.openFailures, std::vector<Text>{kUnexpected}) << ToUtf8(Text(old));
    }

    // The version is a number: 2, 2.00 and a number followed by other text are all 2.0.
    for (std::u16string_view same : {u"Cashflow file v2", u"Cashflow file v2.00",
                                     u"Cashflow file v 2.0", u"Cashflow file v2.0;x"})
        ExpectLoads(WithHeader(file, ByteBuilder().Wide(same)), ToUtf8(Text(same)));
    // A narrow header reads as well as the wide one.
    ExpectLoads(WithHeader(file, ByteBuilder().Narrow("Cashflow file v2.0")), "narrow");
}

TEST(DamagedFile, FirstTextNeitherRecoveryPrefixNorHeader) {
    const Bytes file = SmallForecast();
    for (std::u16string_view first :
         {u"", u"Hello", u"Cashflow file", u"Cashflow file ", u"cashflow file v2.0",
          u"Cashflow auto recovery fil", u" Cashflow file v2.0"})
        ExpectUnexpectedOnly(WithHeader(file, ByteBuilder().Wide(first)), ToUtf8(Text(first)));
    // Bytes that are not a text at all.
    ExpectUnexpectedOnly(Bytes{'P', 'K', 3, 4, 0, 0}, "another kind of file");
    ExpectUnexpectedOnly(Bytes(40, 0), "zeros");
}

TEST(DamagedFile, RecoveryPrefixThenHeader) {
    const Bytes file = SmallForecast();
    auto recovery = [&](std::u16string_view header) {
        ByteBuilder b;
        b.Wide(u"Cashflow auto recovery file").Wide(u"Original.cfs").Wide(header);
        return WithHeader(file, b);
    };
    ExpectLoads(recovery(u"Cashflow file v2.0"), "recovery file");
    ExpectNotSupported(recovery(u"Cashflow file v2.1"), "recovery file 2.1");
    ExpectUnexpectedOnly(recovery(u"Cashflow auto recovery file"), "prefix twice");
    // The prefix with nothing after it.
    ExpectUnexpectedOnly(ByteBuilder().Wide(u"Cashflow auto recovery file").Bytes(), "prefix only");
}

// ---- Damaged files kept as files: one file per case and the messages it must give -------------

#ifdef VARNOBEL_TEST_DATA
// Each "NAME.cfs" in the data folder has a "NAME.expect" beside it: "loads", or lines
// "box TEXT" (a "File Format Not Supported" box) and "failed TEXT" in the order reported.
TEST(DamagedFile, EveryFileInTheDataFolderGivesItsExpectedMessages) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VARNOBEL_TEST_DATA)) {
        if (entry.path().extension() != ".cfs")
            continue;
        ++files;
        const std::string name = entry.path().filename().string();
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

        auto expectPath = entry.path();
        expectPath.replace_extension(".expect");
        std::ifstream expectFile(expectPath);
        ASSERT_TRUE(expectFile) << name << " has no .expect file";
        bool loads = false;
        std::vector<RecordingMessageSink::Box> boxes;
        std::vector<Text> failures;
        std::string line;
        while (std::getline(expectFile, line)) {
            if (line == "loads")
                loads = true;
            else if (line.rfind("box ", 0) == 0)
                boxes.push_back({FromUtf8(line.substr(4)), kTitle});
            else if (line.rfind("failed ", 0) == 0)
                failures.push_back(FromUtf8(line.substr(7)));
            else if (!line.empty())
                ADD_FAILURE() << name << ": unreadable expectation \"" << line << "\"";
        }

        const ReadResult r = ReadBytes(bytes);
        EXPECT_EQ(r.loaded, loads) << name;
        EXPECT_EQ(r.sink.boxes, boxes) << name << ": " << Describe(r.sink);
        EXPECT_EQ(r.sink.openFailures, failures) << name << ": " << Describe(r.sink);
        EXPECT_TRUE(r.sink.fileErrors.empty()) << name;
    }
    EXPECT_GT(files, 0);
}
#endif

} // namespace
