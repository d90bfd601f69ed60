#include <algorithm>
#include <cstdint>
#include <memory>

#include <gtest/gtest.h>

#include "database/CGraphSettings.h"
#include "database/CTaxSetup.h"
#include "display/CLine.h"
#include "display/CNoteBox.h"
#include "display/CPage.h"
#include "display/CPageHeader.h"
#include "display/CTab.h"
#include "display/LayoutFixture.h"
#include "items/CNote.h"

using namespace Display;

namespace {

// A year with two income rows and notes linked to the first.
class NotesTest : public ::testing::Test {
protected:
    void SetUp() override {
        f.forecast.AddItem(kIncome, u"Sales", 100);
        f.forecast.AddItem(kIncome, u"Fees", 100);
    }
    Item::CNote& AddNote(const Text& number, const Text& text) {
        auto& note = ForecastBuilder::AddRow<Item::CNote>(f.Year(), kNote);
        note.name = number;
        note.Text = text;
        note.AddLink(kIncome, 0);
        return note;
    }
    // The first row, a marker for each note, then the second row.
    CLine& Build(int notes) {
        f.AddLine(kIncome, 0);
        CNoteBox* previous = nullptr;
        for (int n = 0; n < notes; ++n)
            previous = &f.Add<CNoteBox>(f.RowKey(kNote, n), 0, previous);
        return f.AddLine(kIncome, 1);
    }
    std::vector<std::pair<Text, int>> Markers() const {
        std::vector<std::pair<Text, int>> markers;
        for (const DrawOp* op : f.dc.OfKind(DrawOp::Kind::Text))
            if (op->textColour == Rgb(200, 0, 0))
                markers.emplace_back(op->text, op->point.x);
        return markers;
    }
    LayoutFixture f;
};

TEST_F(NotesTest, ThreeNotesOnARowReadOneTwoThree) {
    AddNote(u"1", u"a");
    AddNote(u"2", u"b");
    AddNote(u"3", u"c");
    Build(3);
    f.Pass();
    const std::vector<std::pair<Text, int>> expected = {{u"1", 230}, {u", 2", 238}, {u", 3", 262}};
    EXPECT_EQ(Markers(), expected);
    EXPECT_EQ(f.dc.FindText(u"1")->point.y, 0);
    EXPECT_EQ(f.metrics.notesWidth, 262 + 24 - 230);
}

TEST_F(NotesTest, AHiddenNoteLeavesNoGapInTheChain) {
    AddNote(u"1", u"a");
    AddNote(u"2", u"b").SetHidden(true);
    AddNote(u"3", u"c");
    Build(3);
    f.Pass();
    const std::vector<std::pair<Text, int>> expected = {{u"1", 230}, {u", 3", 238}};
    EXPECT_EQ(Markers(), expected);

    // With the first hidden too, the chain starts afresh, without a separator.
    f.forecast.Row<Item::CNote>(kNote, 0).SetHidden(true);
    f.Pass();
    const std::vector<std::pair<Text, int>> alone = {{u"3", 230}};
    EXPECT_EQ(Markers(), alone);
}

TEST_F(NotesTest, AHighlightedMarkerOpensItsTextAndPushesTheRowsDown) {
    AddNote(u"1", u"Paid in June");
    CLine& next = Build(1);
    f.Pass();
    EXPECT_EQ(next.descriptionCell.top, 16 + 4);

    f.highlight = f.RowKey(kIncome, 0);
    f.Pass();
    // The box opens a gap under the row: one wrapped line of 16 with a gap above and below
    // it, and the row gap after it.
    EXPECT_EQ(next.descriptionCell.top, 20 + (16 + 2 * 4) + 4);
    ASSERT_NE(f.dc.FindText(u"Paid in June"), nullptr);
    EXPECT_EQ(f.dc.FindText(u"Paid in June")->point.y, 20 + 4 + 4);
    EXPECT_EQ(f.dc.OfKind(DrawOp::Kind::RoundRect).size(), 1u);
}

// A note linked to the row twice reads "1, 1" but opens one box; the next note opens its own.
TEST_F(NotesTest, ANoteLinkedTwiceToTheHighlightedRowOpensOnce) {
    AddNote(u"1", u"Paid in June").AddLink(kIncome, 0);
    AddNote(u"2", u"Fees due");
    f.AddLine(kIncome, 0);
    CNoteBox& first = f.Add<CNoteBox>(f.RowKey(kNote, 0), 0, nullptr);
    CNoteBox& again = f.Add<CNoteBox>(f.RowKey(kNote, 0), 1, &first);
    f.Add<CNoteBox>(f.RowKey(kNote, 1), 0, &again);
    CLine& next = f.AddLine(kIncome, 1);
    f.Pass();
    const std::vector<std::pair<Text, int>> markers = {{u"1", 230}, {u", 1", 238}, {u", 2", 262}};
    EXPECT_EQ(Markers(), markers);

    f.highlight = f.RowKey(kIncome, 0);
    f.Pass();
    EXPECT_EQ(f.dc.OfKind(DrawOp::Kind::RoundRect).size(), 2u);
    EXPECT_EQ(f.dc.FindText(u"Paid in June")->point.y, 20 + 4 + 4);
    EXPECT_EQ(f.dc.FindText(u"Fees due")->point.y, 20 + 2 * (16 + 2 * 4 + 4) - 16 - 4);
    EXPECT_EQ(next.descriptionCell.top, 20 + 2 * (16 + 2 * 4 + 4));
}

// A marker reads a note number of any length cut to 64 characters; the NOTES entry reads it whole.
TEST_F(NotesTest, AMarkerCutsALongNoteNumber) {
    const Text number = Text(64, u'7') + u"89";
    AddNote(number, u"Paid in June");
    Build(1);
    f.Add<CNoteBox>(f.RowKey(kNote, 0), -1, nullptr);
    f.Pass();
    ASSERT_EQ(Markers().size(), 1u);
    EXPECT_EQ(Markers()[0].first, Text(64, u'7') + u"\u2026");
    EXPECT_NE(f.dc.FindText(number), nullptr);
}

TEST_F(NotesTest, LongNotesWrapAndDrawOnlyTheirVisibleLines) {
    Text words;
    for (int i = 0; i < 14000; ++i)
        words += u"word ";
    AddNote(u"1", words);
    AddNote(u"2", Text(5000, u'x'));
    auto& entry = f.Add<CNoteBox>(f.RowKey(kNote, 0), -1, nullptr);
    auto& word = f.Add<CNoteBox>(f.RowKey(kNote, 1), -1, nullptr);
    f.Pass();

    // 240 units hold 30 characters: six words a line ("word" and a space, the last space
    // dropped), and the long word in pieces of 30.
    const int wordLines = (14000 + 5) / 6;
    EXPECT_EQ(entry.bounds.Height(), wordLines * 16);
    EXPECT_EQ(word.bounds.Height(), (5000 + 29) / 30 * 16);
    EXPECT_EQ(word.bounds.top, wordLines * 16 + 4);
    // Only what the 3000-unit content area shows is drawn.
    const auto texts = f.dc.OfKind(DrawOp::Kind::Text);
    EXPECT_LE(texts.size(), 3000u / 16 + 2 + 1);
    for (const DrawOp* op : texts)
        EXPECT_LE(op->rect.Width(), 240);
}

TEST_F(NotesTest, ALongOpenedNoteDrawsOnlyWhatTheWindowShows) {
    Text words;
    for (int i = 0; i < 14000; ++i)
        words += u"word ";
    AddNote(u"1", words);
    CLine& next = Build(1);
    f.highlight = f.RowKey(kIncome, 0);
    f.Pass();

    // The text area beside the number is 290 - (20 + 6 + 8 + 6) - 2 * 6 = 238 wide: six words a
    // line. The box pushes the next row down by all of it, however tall.
    const int lines = (14000 + 5) / 6;
    EXPECT_EQ(next.descriptionCell.top, 20 + (lines * 16 + 2 * 4) + 4);
    int noteLines = 0;
    for (const DrawOp* op : f.dc.OfKind(DrawOp::Kind::Text))
        if (op->text.rfind(u"word", 0) == 0)
            ++noteLines;
    EXPECT_GT(noteLines, 0);
    EXPECT_LE(noteLines, 3000 / 16 + 2);
    // Nothing is rendered through a surface taller than the 3000-unit window.
    for (const DrawOp& op : f.dc.Operations()) {
        if (op.kind == DrawOp::Kind::Bitmap || op.kind == DrawOp::Kind::BlockCopy) {
            EXPECT_LE(op.rect.Height(), 3000);
        }
    }
}

TEST(FrameTest, TabsCarryTheirLabelsAndFollowTheirStrips) {
    LayoutFixture f;
    f.metrics.tabStrip = {Rect{0, 100, 40, 900}, Rect{50, 20, 900, 40}, Rect{50, 60, 900, 80},
                          Rect{50, 80, 900, 100}};
    f.current = LayoutKey(0, 0, 0, 0);
    auto& view =
        f.Add<CTab>(LayoutKey(0, LayoutKey::kNoEntry, LayoutKey::kNoEntry, LayoutKey::kNoEntry),
                    LayoutKey::kView);
    auto& all = f.Add<CTab>(LayoutKey(0, -1, LayoutKey::kNoEntry, LayoutKey::kNoEntry),
                            LayoutKey::kScenario);
    auto& scenario = f.Add<CTab>(LayoutKey(0, 0, LayoutKey::kNoEntry, LayoutKey::kNoEntry),
                                 LayoutKey::kScenario);
    auto& company = f.Add<CTab>(LayoutKey(0, 0, 0, LayoutKey::kNoEntry), LayoutKey::kCompany);
    f.forecast.View().name = u"Plan";
    f.Pass();

    EXPECT_EQ(all.label, u"All");
    EXPECT_EQ(scenario.label, u"Scenario 1 (Wt = 100)");
    EXPECT_EQ(company.label, u"Company 1 (Wt = 1.00)");
    EXPECT_EQ(scenario.bounds.left, all.bounds.right);
    EXPECT_EQ(all.bounds.Width(), 3 * 8 + 2 * 6);
    EXPECT_TRUE(scenario.isCurrent);
    EXPECT_FALSE(all.isCurrent);
    // The view tab stands on its side: as wide as a line and as tall as its label.
    EXPECT_EQ(view.bounds.top, 100);
    EXPECT_EQ(view.bounds.Height(), 4 * 8 + 2 * 6);
    EXPECT_EQ(view.bounds.Width(), 16 + 2 * 4 - 2);
    EXPECT_EQ(f.dc.FindText(u"Plan")->font.escapement, 900);
    EXPECT_EQ(f.dc.FindText(u"Scenario 1 (Wt = 100)")->textColour, Rgb(200, 0, 0));
    EXPECT_EQ(f.dc.FindText(u"All")->textColour, Rgb(170, 170, 170));
}

TEST(FrameTest, ThePanelOpensUnderItsCurrentTabAndKeepsClearOfTheScrollBars) {
    LayoutFixture f;
    f.metrics.tabStrip[1] = Rect{50, 20, 900, 40};
    f.metrics.pageRect[1] = Rect{40, 40, 1000, 1000};
    f.metrics.pageRect[3] = Rect{60, 60, 900, 900};
    f.metrics.vScrollBar = Rect{0, 0, 16, 100};
    f.metrics.hScrollBar = Rect{0, 0, 100, 16};
    auto& tab = f.Add<CTab>(LayoutKey(0, 0, LayoutKey::kNoEntry, LayoutKey::kNoEntry),
                            LayoutKey::kScenario);
    f.Add<CPage>(LayoutKey::kScenario, std::vector<const CTab*>{&tab});
    f.Add<CPage>(LayoutKey::kYear, std::nullopt);
    f.Pass();
    EXPECT_EQ(f.metrics.ContentArea(), (Rect{64, 64, 900 - 4 - 16, 900 - 4 - 16}));
    const auto lines = f.dc.OfKind(DrawOp::Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->point, (Point{tab.bounds.left + 1, 40}));
    EXPECT_EQ(lines[0]->end, (Point{tab.bounds.right - 1, 40}));
}

// The fill each tab and panel is drawn with: scenarios on the darkest grey, companies on a lighter
// one, years on white; the current tab takes its panel's fill, and the highlight's grey only on
// screen.
TEST(FrameTest, TabsAndPanelsFillByLevel) {
    const auto run = [](DeviceCaps caps) {
        auto f = std::make_unique<LayoutFixture>(caps);
        f->metrics.tabStrip = {Rect{0, 100, 40, 900}, Rect{50, 20, 900, 40}, Rect{50, 60, 900, 80},
                               Rect{50, 100, 900, 120}};
        f->metrics.pageRect[1] = Rect{40, 40, 1000, 1000};
        f->current = LayoutKey(0, 0, 0, 0);
        f->highlight = LayoutKey(0, 0, LayoutKey::kNoEntry, LayoutKey::kNoEntry);
        const auto tab = [&](int scenario, int company, int year, int kind) -> CTab& {
            return f->Add<CTab>(LayoutKey(0, scenario, company, year), kind);
        };
        const auto none = LayoutKey::kNoEntry;
        CTab& scenario = tab(0, none, none, LayoutKey::kScenario);
        f->Add<CPage>(LayoutKey::kScenario, std::vector<const CTab*>{&scenario});
        tab(-1, none, none, LayoutKey::kScenario);
        tab(0, -1, none, LayoutKey::kCompany);
        tab(0, 0, none, LayoutKey::kCompany);
        tab(0, 0, 0, LayoutKey::kYear);
        f->Pass();
        return f;
    };
    // The fill of the tab or panel drawn at `bounds`, and its outline.
    const auto shape = [](const LayoutFixture& f, const Rect& bounds) -> const DrawOp& {
        for (const DrawOp* op : f.dc.OfKind(DrawOp::Kind::RoundRect))
            if (op->rect == bounds)
                return *op;
        ADD_FAILURE() << "no shape at " << bounds.left << "," << bounds.top;
        static const DrawOp missing;
        return missing;
    };
    const auto tabAt = [](const LayoutFixture& f, std::size_t i) -> const CTab& {
        return static_cast<const CTab&>(*f.objects[i]);
    };

    const auto screen = run(DeviceCaps::Screen(4000, 3000));
    const DrawOp& highlighted = shape(*screen, tabAt(*screen, 0).bounds);
    EXPECT_EQ(highlighted.brush, Rgb(170, 170, 170));
    EXPECT_EQ(highlighted.pen->colour, Rgb(170, 170, 170));
    EXPECT_EQ(shape(*screen, tabAt(*screen, 2).bounds).brush, Rgb(230, 230, 230));
    EXPECT_EQ(shape(*screen, tabAt(*screen, 3).bounds).brush, Rgb(245, 245, 245));
    EXPECT_EQ(shape(*screen, tabAt(*screen, 4).bounds).brush, Rgb(230, 230, 230));
    EXPECT_EQ(shape(*screen, tabAt(*screen, 5).bounds).brush, Rgb(255, 255, 255));
    // The panel is outlined in its own fill, and so is the line that opens it under its tab.
    const DrawOp& panel = shape(*screen, Rect{40, 40, 1000, 1000});
    EXPECT_EQ(panel.brush, Rgb(205, 205, 205));
    EXPECT_EQ(panel.pen->colour, Rgb(205, 205, 205));
    const auto lines = screen->dc.OfKind(DrawOp::Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->pen->colour, Rgb(205, 205, 205));

    const auto paper = run(DeviceCaps{true, 4000, 3000, 4000, 3000, 0, 0, 96, 96});
    EXPECT_EQ(shape(*paper, tabAt(*paper, 0).bounds).brush, Rgb(205, 205, 205));
}

TEST(FrameTest, TheHeadingNamesThePathAndTheTaxBasis) {
    LayoutFixture f;
    f.Add<CPageHeader>();
    f.metrics.headerRect = Rect{0, 0, 2000, 24};
    f.Pass();
    // One view: its name stays out of the title; no taxes, no basis.
    EXPECT_NE(f.dc.FindText(u"Scenario 1 > Company 1 > 2020"), nullptr);
    for (const DrawOp* op : f.dc.OfKind(DrawOp::Kind::Text))
        EXPECT_NE(op->text.rfind(u"Figures are", 0), 0u);

    f.forecast.AddTax(u"VAT", 2000);
    f.Year().display.taxExclusive = false;
    f.Pass();
    EXPECT_NE(f.dc.FindText(u"Figures are VAT Inclusive"), nullptr);
    EXPECT_EQ(f.dc.FindText(u"Scenario 1 > Company 1 > 2020")->font.weight, 900);

    // A graph page covers every year of its company: the graph's name follows the company's,
    // with no year in between and nothing run together.
    f.Year().graphs.Append(std::make_unique<Database::CGraphSettings>()).name = u"Cash Position";
    f.current = LayoutKey(0, 0, 0, 0, LayoutKey::kNoEntry, LayoutKey::kNoEntry, 0);
    f.Pass();
    EXPECT_NE(f.dc.FindText(u"Scenario 1 > Company 1 > Cash Position"), nullptr);
    for (const DrawOp* op : f.dc.OfKind(DrawOp::Kind::Text))
        EXPECT_EQ(op->text.find(u"2020"), Text::npos) << ToUtf8(op->text);
}

// However narrow the heading, its three texts never overlap: the title gives way first, shortened
// with "…", then the tax basis; the stamp keeps the right end.
TEST(FrameTest, ANarrowHeadingShortensItsTitleRatherThanOverlap) {
    const Text title = u"Scenario 1 > Company 1 > 2020";
    for (const int width : {1000, 700, 600, 420, 300, 100}) {
        SCOPED_TRACE(width);
        LayoutFixture f;
        f.forecast.AddTax(u"VAT", 2000);
        f.forecast.doc.stamp = 1728043200;
        f.Add<CPageHeader>();
        f.metrics.headerRect = Rect{0, 0, width, 24};
        f.Pass();
        auto texts = f.dc.OfKind(DrawOp::Kind::Text);
        std::sort(texts.begin(), texts.end(),
                  [](const DrawOp* a, const DrawOp* b) { return a->rect.left < b->rect.left; });
        int right = 0;
        Text shown;
        for (const DrawOp* op : texts) {
            EXPECT_GE(op->rect.left, right) << ToUtf8(op->text); // side by side, apart
            right = op->rect.right;
            shown = op->font.weight == 900 ? op->text : shown;
        }
        EXPECT_LE(right, width);
        // The whole title, or its start and "…", while there is room for one.
        EXPECT_EQ(shown.empty(), width <= 420);
        if (!shown.empty()) {
            EXPECT_EQ(title.rfind(shown.substr(0, shown.size() - 1), 0), 0u);
            EXPECT_EQ(shown == title, width == 1000);
        }
    }
}

} // namespace
