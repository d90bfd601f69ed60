#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "database/CTabView.h"
#include "document/CMainDoc.h"
#include "document/RecordingMessageSink.h"
#include "document/SmallForecast.h"
#include "support/ByteBuilder.h"

namespace {

using Box = RecordingMessageSink::Box;
using SmallForecast::TempFolder;
using SmallForecast::WriteFile;

const std::u16string kTitle = u"File Format Not Supported";
const std::u16string kNotSupported =
    u"This file format is not supported. Please update to the lastest version.";
const std::u16string kNoLonger =
    u"This file format is not longer supported. Load and save your data file in V1.3.0.0 to "
    u"V1.3.8.5 of Varnobel Standard to update the file format.";
const std::u16string kUnexpected = u"Unexpected file format.";
const std::u16string kRecoveryPrefix = u"Cashflow auto recovery file";

// The stored bytes with their header text replaced.
std::vector<std::uint8_t> WithHeader(const std::u16string& header,
                                     const std::vector<std::uint8_t>& stored) {
    const std::size_t storedHeader = ByteBuilder().Wide(u"Cashflow file v2.0").Size();
    const std::vector<std::uint8_t> tail(stored.begin() + static_cast<long>(storedHeader),
                                         stored.end());
    return ByteBuilder().Wide(header).Raw(tail).Bytes();
}

std::vector<std::uint8_t> RecoveryFile(const std::u16string& source,
                                       const std::vector<std::uint8_t>& stored) {
    return ByteBuilder().Wide(kRecoveryPrefix).Wide(source).Raw(stored).Bytes();
}

// Header and document settings as the storing path writes them, the stamp in its long form.
ByteBuilder& Settings(ByteBuilder& bytes, const std::u16string& font = u"Arial") {
    bytes.Wide(u"Cashflow file v2.0").Wide(font).I32(120).I32(90).U32(0x8000000A).I64(7);
    for (int i = 0; i < 16; ++i)
        bytes.U8(0).U32(0);
    return bytes.I32(1);
}

bool Read(CMainDoc& doc, const std::vector<std::uint8_t>& bytes, RecordingMessageSink& sink,
          const std::filesystem::path& path = "plan.cfs") {
    return doc.Read(bytes, path, sink);
}

TEST(DocumentDefaults, ConstructorValuesAndSeriesColours) {
    const CMainDoc doc;
    EXPECT_EQ(doc.fontName, u"Times New Roman");
    EXPECT_EQ(doc.fontSize, 100);
    EXPECT_EQ(doc.zoom, 100);
    EXPECT_EQ(doc.stamp, 0);
    EXPECT_EQ(doc.offsetYearChecked, 0);
    const std::uint32_t colours[16] = {0x0000FF00, 0x000000FF, 0x00FF0000, 0x000000DC,
                                       0x00DC0000, 0x00000096, 0x00960000, 0x0000C800,
                                       0x00007DFF, 0x007D7DFF, 0x00FF7D00, 0x00FF7DFF,
                                       0x00FF7D7D, 0x00000000, 0x00FF00FF, 0x00FF00FF};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(doc.seriesColour[static_cast<std::size_t>(i)], colours[i]) << "series " << i;
        EXPECT_FALSE(doc.seriesShown[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(doc.Root().name, u" ");
    EXPECT_EQ(doc.Root().brackets, 1);
    EXPECT_EQ(doc.Root().cents, 1);
    EXPECT_EQ(doc.Root().percentage, 1);
    EXPECT_EQ(doc.Root().printOption, 2);
    EXPECT_EQ(doc.ViewCount(), 0);
}

TEST(DocumentDefaults, NewResetsFontZoomAndStampButNotSeries) {
    CMainDoc doc;
    SmallForecast::Build(doc);
    doc.SetFontName(u"Arial");
    doc.SetFontSize(80);
    doc.SetZoom(150);
    doc.seriesShown[3] = true;
    doc.seriesColour[3] = 0x123456;
    ASSERT_TRUE(doc.NewDocument());
    EXPECT_EQ(doc.ViewCount(), 0);
    EXPECT_EQ(doc.fontName, u"Times New Roman");
    EXPECT_EQ(doc.fontSize, 100);
    EXPECT_EQ(doc.zoom, 100);
    EXPECT_EQ(doc.stamp, -1);
    EXPECT_TRUE(doc.seriesShown[3]);
    EXPECT_EQ(doc.seriesColour[3], 0x123456u);
}

TEST(DocumentRead, ZeroLengthFileReadsNothing) {
    CMainDoc fresh;
    RecordingMessageSink sink;
    ASSERT_TRUE(Read(fresh, {}, sink));
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(fresh.fontName, u"Times New Roman");
    EXPECT_EQ(fresh.stamp, 0); // no New runs before it
    EXPECT_EQ(fresh.ViewCount(), 0);

    // Read after a forecast, it leaves nothing of that forecast: the empty one is shown.
    CMainDoc loaded;
    ASSERT_TRUE(Read(loaded, SmallForecast::Bytes(u"Arial"), sink));
    ASSERT_TRUE(Read(loaded, {}, sink));
    EXPECT_EQ(loaded.fontName, u"Times New Roman");
    EXPECT_EQ(loaded.ViewCount(), 0);
}

TEST(DocumentRead, StoredDocumentReadsBack) {
    CMainDoc source;
    SmallForecast::Build(source);
    source.SetFontName(u"Verdana");
    source.SetFontSize(85);
    source.SetZoom(125);
    source.stamp = 1'700'000'000;
    source.seriesShown[0] = true;
    source.seriesShown[15] = true;
    source.seriesColour[15] = 0x00ABCDEF;
    source.offsetYearChecked = 1;
    source.SetMargins(5, 6, 7, 8);
    source.Root().printOption = 1;

    CMainDoc doc;
    RecordingMessageSink sink;
    ASSERT_TRUE(Read(doc, source.Store(), sink));
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(doc.fontName, u"Verdana");
    EXPECT_EQ(doc.fontSize, 85);
    EXPECT_EQ(doc.zoom, 125);
    EXPECT_EQ(doc.stamp, 1'700'000'000);
    EXPECT_TRUE(doc.seriesShown[0]);
    EXPECT_FALSE(doc.seriesShown[1]);
    EXPECT_TRUE(doc.seriesShown[15]);
    EXPECT_EQ(doc.seriesColour[15], 0x00ABCDEFu);
    EXPECT_EQ(doc.seriesColour[0], 0x0000FF00u);
    EXPECT_EQ(doc.offsetYearChecked, 1);
    EXPECT_EQ(doc.Root().marginTop, 5);
    EXPECT_EQ(doc.Root().marginRight, 8);
    EXPECT_EQ(doc.Root().printOption, 1);
    ASSERT_EQ(doc.ViewCount(), 1);
    EXPECT_EQ(doc.View(0).name, u"Main");
    // Two scenario entries (combined and "Base"), two company entries: one of each is real.
    EXPECT_EQ(doc.ScenarioCount(), 1);
    EXPECT_EQ(doc.CompanyCount(), 1);
    EXPECT_EQ(doc.recoveryFile, u"");
}

TEST(DocumentRead, HeaderVersionIsTheLeadingNumber) {
    const auto stored = SmallForecast::Bytes();
    // "2.0000000000000001" is the double 2.0 as well.
    for (const std::u16string version :
         {u"2", u"2.00", u"2.0;x", u"  2.0", u"2e0", u"+2.", u"2.0000000000000001", u"0.2e1"}) {
        CMainDoc doc;
        RecordingMessageSink sink;
        EXPECT_TRUE(Read(doc, WithHeader(u"Cashflow file v" + version, stored), sink))
            << std::string(version.begin(), version.end());
        EXPECT_TRUE(sink.Empty());
        EXPECT_EQ(doc.ViewCount(), 1);
    }
    // A narrow header text is read as well.
    std::vector<std::uint8_t> narrow = ByteBuilder().Narrow("Cashflow file v2.0").Bytes();
    const std::size_t wideHeader = ByteBuilder().Wide(u"Cashflow file v2.0").Size();
    narrow.insert(narrow.end(), stored.begin() + static_cast<long>(wideHeader), stored.end());
    CMainDoc doc;
    RecordingMessageSink sink;
    EXPECT_TRUE(Read(doc, narrow, sink));
}

TEST(DocumentRead, NewerFormatGivesTheNotSupportedBox) {
    const auto stored = SmallForecast::Bytes();
    for (const std::u16string version : {u"2.1", u"2.0000001", u"3", u"1e999"}) {
        CMainDoc doc;
        RecordingMessageSink sink;
        EXPECT_FALSE(Read(doc, WithHeader(u"Cashflow file v" + version, stored), sink));
        EXPECT_EQ(sink.boxes, (std::vector<Box>{{kNotSupported, kTitle}}));
        EXPECT_EQ(sink.openFailures, std::vector<std::u16string>{kUnexpected});
    }
}

TEST(DocumentRead, OlderFormatGivesOnlyTheNoLongerSupportedBox) {
    const auto stored = SmallForecast::Bytes();
    // No number at all reads as 0; so do an underflowing one and a sign without digits.
    for (const std::u16string version :
         {u"1.9", u"1.99999999", u"", u"x2", u"-2", u"1e-999", u"."}) {
        CMainDoc doc;
        RecordingMessageSink sink;
        EXPECT_FALSE(Read(doc, WithHeader(u"Cashflow file v" + version, stored), sink));
        EXPECT_EQ(sink.boxes, (std::vector<Box>{{kNoLonger, kTitle}}));
        EXPECT_EQ(sink.openFailures, std::vector<std::u16string>{kUnexpected});
    }
}

TEST(DocumentRead, OtherFirstTextIsUnexpectedWithoutABox) {
    const auto stored = SmallForecast::Bytes();
    for (const std::u16string header :
         {u"Cashflow file", u"Cashflow File v2.0", u"Budget file v2.0", u""}) {
        CMainDoc doc;
        RecordingMessageSink sink;
        EXPECT_FALSE(Read(doc, WithHeader(header, stored), sink));
        EXPECT_TRUE(sink.boxes.empty());
        EXPECT_EQ(sink.openFailures, std::vector<std::u16string>{kUnexpected});
    }
    // Random bytes where the first text should be.
    CMainDoc doc;
    RecordingMessageSink sink;
    EXPECT_FALSE(Read(doc, {0x12, 0x34, 0x56}, sink));
    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_EQ(sink.openFailures, std::vector<std::u16string>{kUnexpected});
}

TEST(DocumentRead, NewerRecordVersionGivesTheNotSupportedBox) {
    ByteBuilder bytes;
    Settings(bytes).Base().F64(1.5); // the root record is at most version 1.4
    CMainDoc doc;
    RecordingMessageSink sink;
    EXPECT_FALSE(Read(doc, bytes.Bytes(), sink));
    EXPECT_EQ(sink.boxes, (std::vector<Box>{{kNotSupported, kTitle}}));
    EXPECT_EQ(sink.openFailures, std::vector<std::u16string>{kUnexpected});
}

TEST(DocumentRead, EveryTruncationIsUnexpectedAndKeepsTheDocument) {
    const auto stored = SmallForecast::Bytes(u"Courier");
    // Every cut inside the header, the settings and the start of the root; then a spread of
    // cuts through the tree; then every cut in the last record fields.
    std::vector<std::size_t> cuts;
    for (std::size_t size = 1; size < stored.size(); ++size)
        if (size < 256 || size % 61 == 0 || size + 32 > stored.size())
            cuts.push_back(size);
    for (const std::size_t size : cuts) {
        CMainDoc doc;
        doc.SetFontName(u"Before");
        RecordingMessageSink sink;
        const std::vector<std::uint8_t> cut(stored.begin(),
                                            stored.begin() + static_cast<long>(size));
        ASSERT_FALSE(Read(doc, cut, sink)) << "cut at " << size;
        ASSERT_TRUE(sink.boxes.empty()) << "cut at " << size;
        ASSERT_EQ(sink.openFailures, std::vector<std::u16string>{kUnexpected}) << "cut at " << size;
        ASSERT_EQ(doc.fontName, u"Before") << "cut at " << size;
        ASSERT_EQ(doc.ViewCount(), 0) << "cut at " << size;
    }
}

TEST(DocumentRead, BytesAfterTheRootAreIgnored) {
    auto bytes = SmallForecast::Bytes();
    bytes.insert(bytes.end(), {0xDE, 0xAD, 0xBE, 0xEF});
    CMainDoc doc;
    RecordingMessageSink sink;
    EXPECT_TRUE(Read(doc, bytes, sink));
    EXPECT_TRUE(sink.Empty());
}

TEST(DocumentRead, FailedReadKeepsThePreviousForecastAndSettings) {
    CMainDoc doc;
    RecordingMessageSink sink;
    ASSERT_TRUE(Read(doc, SmallForecast::Bytes(u"Arial"), sink));
    const Database::CPERT* before = &doc.Root();

    // Settings read whole, then a root record that names an unknown class in its view list.
    ByteBuilder broken;
    Settings(broken, u"Courier")
        .Base(u"Other")
        .F64(1.4)
        .I32(0)
        .I32(0)
        .I32(0)
        .U16(1)
        .NewClass("CNoSuchView");
    EXPECT_FALSE(Read(doc, broken.Bytes(), sink));
    EXPECT_EQ(&doc.Root(), before);
    EXPECT_EQ(doc.fontName, u"Arial");
    EXPECT_EQ(doc.fontSize, 100);
    EXPECT_EQ(doc.offsetYearChecked, 0);
    EXPECT_EQ(doc.Root().name, u" ");
    EXPECT_EQ(doc.Root().brackets, 1);
    ASSERT_EQ(doc.ViewCount(), 1);
    EXPECT_EQ(doc.View(0).name, u"Main");
}

TEST(DocumentRead, RootBelow1Point1KeepsTheMarginsInUse) {
    CMainDoc doc;
    doc.SetMargins(10, 20, 30, 40);
    doc.Root().printOption = 5;
    ByteBuilder bytes;
    // Root 1.0: tax-exclusive flag, brackets, cents, percentage, the single view's scenarios.
    Settings(bytes).Base(u"Old").F64(1.0).I32(0).I32(0).I32(1).I32(0).U16(0);
    RecordingMessageSink sink;
    ASSERT_TRUE(Read(doc, bytes.Bytes(), sink));
    EXPECT_TRUE(sink.Empty());
    EXPECT_EQ(doc.Root().marginTop, 10);
    EXPECT_EQ(doc.Root().marginLeft, 20);
    EXPECT_EQ(doc.Root().marginBottom, 30);
    EXPECT_EQ(doc.Root().marginRight, 40);
    EXPECT_EQ(doc.Root().printOption, 2);
    EXPECT_EQ(doc.Root().brackets, 0);
    EXPECT_EQ(doc.Root().percentage, 0);
    ASSERT_EQ(doc.ViewCount(), 1);
    EXPECT_EQ(doc.View(0).name, u"Default");
    EXPECT_TRUE(doc.View(0).IsHidden());
    EXPECT_EQ(doc.View(0).TaxExclusive(), 0);
    EXPECT_EQ(doc.fontSize, 120);
    EXPECT_EQ(doc.zoom, 90);
    EXPECT_EQ(doc.stamp, 7);
    EXPECT_EQ(doc.offsetYearChecked, 1);

    // From 1.1 on the margins come from the file.
    ByteBuilder newer;
    Settings(newer).Base().F64(1.2).I32(1).I32(1).I32(1).I32(1).U16(0).I32(1).I32(2).I32(3).I32(4);
    ASSERT_TRUE(Read(doc, newer.Bytes(), sink));
    EXPECT_EQ(doc.Root().marginTop, 1);
    EXPECT_EQ(doc.Root().marginRight, 4);
}

class RecoveryFileTest : public ::testing::Test {
  protected:
    bool Open(const std::filesystem::path& path) { return doc.Open(path, sink); }

    TempFolder folder;
    CMainDoc doc;
    RecordingMessageSink sink;
};

TEST_F(RecoveryFileTest, PrefixSetsNameAndSourceAndNextReadDeletesIt) {
    const auto recovery = folder / "~autosave.cfs";
    const auto plain = folder / "plain.cfs";
    WriteFile(recovery, RecoveryFile(u"C:\\Books\\plan.cfs", SmallForecast::Bytes(u"Recovered")));
    WriteFile(plain, SmallForecast::Bytes(u"Plain"));

    ASSERT_TRUE(Open(recovery));
    EXPECT_EQ(doc.recoveryFile, u"~autosave.cfs");
    EXPECT_EQ(doc.recoverySource, u"C:\\Books\\plan.cfs");
    EXPECT_EQ(doc.fontName, u"Recovered");
    EXPECT_TRUE(std::filesystem::exists(recovery));

    ASSERT_TRUE(Open(plain));
    EXPECT_FALSE(std::filesystem::exists(recovery));
    EXPECT_EQ(doc.recoveryFile, u"");
    EXPECT_TRUE(std::filesystem::exists(plain));
}

TEST_F(RecoveryFileTest, ReplacedRecoveryFileIsKept) {
    const auto recovery = folder / "~autosave.cfs";
    const auto plain = folder / "plain.cfs";
    WriteFile(recovery, RecoveryFile(u"plan.cfs", SmallForecast::Bytes()));
    WriteFile(plain, SmallForecast::Bytes());
    ASSERT_TRUE(Open(recovery));

    // The user saved an ordinary forecast under that name meanwhile.
    WriteFile(recovery, SmallForecast::Bytes(u"Saved"));
    ASSERT_TRUE(Open(plain));
    EXPECT_TRUE(std::filesystem::exists(recovery));
    EXPECT_EQ(doc.recoveryFile, u"");
}

TEST_F(RecoveryFileTest, SameNameInTheCurrentFolderSurvives) {
    TempFolder elsewhere;
    const auto recovery = folder / "~autosave.cfs";
    const auto bystander = elsewhere / "~autosave.cfs";
    const auto plain = folder / "plain.cfs";
    WriteFile(recovery, RecoveryFile(u"plan.cfs", SmallForecast::Bytes()));
    WriteFile(bystander, RecoveryFile(u"other.cfs", SmallForecast::Bytes()));
    WriteFile(plain, SmallForecast::Bytes());

    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.Path());
    const bool opened = Open(recovery) && Open(plain);
    std::filesystem::current_path(previous);

    ASSERT_TRUE(opened);
    EXPECT_FALSE(std::filesystem::exists(recovery));
    EXPECT_TRUE(std::filesystem::exists(bystander));
}

TEST_F(RecoveryFileTest, RelativeOpenIsDeletedAfterTheFolderChanges) {
    TempFolder elsewhere;
    const auto recovery = folder / "~autosave.cfs";
    WriteFile(recovery, RecoveryFile(u"plan.cfs", SmallForecast::Bytes()));
    WriteFile(elsewhere / "~autosave.cfs", RecoveryFile(u"other.cfs", SmallForecast::Bytes()));
    WriteFile(elsewhere / "plain.cfs", SmallForecast::Bytes());

    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const bool first = Open("~autosave.cfs");
    std::filesystem::current_path(elsewhere.Path());
    const bool second = Open("plain.cfs");
    std::filesystem::current_path(previous);

    ASSERT_TRUE(first && second);
    EXPECT_FALSE(std::filesystem::exists(recovery));
    EXPECT_TRUE(std::filesystem::exists(elsewhere / "~autosave.cfs"));
}

TEST_F(RecoveryFileTest, ReopeningTheRecoveryFileKeepsIt) {
    const auto recovery = folder / "~autosave.cfs";
    WriteFile(recovery, RecoveryFile(u"plan.cfs", SmallForecast::Bytes()));
    ASSERT_TRUE(Open(recovery));
    ASSERT_TRUE(Open(recovery));
    EXPECT_TRUE(std::filesystem::exists(recovery));
    EXPECT_EQ(doc.recoveryFile, u"~autosave.cfs");

    // Caught half-written, it stays the forecast shown, so the next file still deletes it.
    const std::vector<std::uint8_t> whole = RecoveryFile(u"plan.cfs", SmallForecast::Bytes());
    WriteFile(recovery,
              {whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2)});
    ASSERT_FALSE(Open(recovery));
    EXPECT_EQ(doc.recoveryFile, u"~autosave.cfs");
    const auto plain = folder / "plain.cfs";
    WriteFile(plain, SmallForecast::Bytes());
    ASSERT_TRUE(Open(plain));
    EXPECT_FALSE(std::filesystem::exists(recovery));
}

TEST_F(RecoveryFileTest, FailedReadStillDeletesThePreviousRecoveryFile) {
    const auto recovery = folder / "~autosave.cfs";
    const auto broken = folder / "broken.cfs";
    WriteFile(recovery, RecoveryFile(u"plan.cfs", SmallForecast::Bytes(u"Recovered")));
    WriteFile(broken, WithHeader(u"Cashflow file v2.1", SmallForecast::Bytes()));
    ASSERT_TRUE(Open(recovery));
    ASSERT_FALSE(Open(broken));
    EXPECT_FALSE(std::filesystem::exists(recovery));
    EXPECT_EQ(doc.recoveryFile, u"");
    EXPECT_EQ(doc.fontName, u"Recovered");
}

TEST_F(RecoveryFileTest, UnreadableFileIsAFileError) {
    doc.SetFontName(u"Kept");
    EXPECT_EQ(doc.Load(folder / "missing.cfs", sink), CMainDoc::OpenResult::Unreadable);
    EXPECT_EQ(doc.Load(folder.Path(), sink), CMainDoc::OpenResult::Unreadable);
    EXPECT_EQ(sink.fileErrors.size(), 2u);
    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_TRUE(sink.openFailures.empty());
    EXPECT_EQ(doc.fontName, u"Kept");

    const auto broken = folder / "broken.cfs";
    WriteFile(broken, {0x01});
    EXPECT_EQ(doc.Load(broken, sink), CMainDoc::OpenResult::Rejected);
}

TEST_F(RecoveryFileTest, AnEmptyFileIsAFileErrorOnlyWhenRefused) {
    const auto plan = folder / "plan.cfs";
    WriteFile(plan, SmallForecast::Bytes(u"Kept"));
    ASSERT_TRUE(Open(plan));
    WriteFile(plan, {});
    EXPECT_EQ(doc.Load(plan, sink, CMainDoc::EmptyFile::Refused), CMainDoc::OpenResult::Unreadable);
    ASSERT_EQ(sink.fileErrors.size(), 1u);
    EXPECT_NE(sink.fileErrors[0].find(u"the file is empty"), Text::npos);
    EXPECT_EQ(doc.fontName, u"Kept");
    EXPECT_EQ(doc.ViewCount(), 1);

    // Opened, it is the empty forecast, as a document that never read anything holds it.
    sink.Clear();
    doc.offsetYearChecked = 1;
    doc.seriesShown[3] = true;
    EXPECT_EQ(doc.Load(plan, sink), CMainDoc::OpenResult::Empty);
    EXPECT_TRUE(sink.Empty());
    const CMainDoc fresh;
    EXPECT_EQ(doc.ViewCount(), 0);
    EXPECT_EQ(doc.fontName, fresh.fontName);
    EXPECT_EQ(doc.fontSize, fresh.fontSize);
    EXPECT_EQ(doc.stamp, fresh.stamp);
    EXPECT_EQ(doc.seriesShown, fresh.seriesShown);
    EXPECT_EQ(doc.offsetYearChecked, 0);
    EXPECT_EQ(doc.Root().marginTop, 0);
}

} // namespace
