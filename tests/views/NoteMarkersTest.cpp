#include <gtest/gtest.h>

#include "display/CNoteBox.h"
#include "items/CNote.h"
#include "platform/RecordingDeviceContext.h"
#include "statement/StatementCsv.h"
#include "support/SmallAdvYear.h"
#include "views/AdvDrawPass.h"
#include "views/AdvExport.h"

namespace {

// The markers on a row read "1, 2": each shown note after another shown one keeps its ", ",
// whatever that note's number (an empty one too); a hidden note leaves no gap. The window draws
// what the CSV holds.
TEST(NoteMarkersTest, EveryShownMarkerAfterAnotherKeepsItsSeparator) {
    struct Note {
        const char16_t* name;
        bool hidden = false;
    };
    const struct {
        std::vector<Note> notes;
        std::string cell;
    } cases[] = {
        {{{u"1"}, {u"2"}}, "1, 2"},
        {{{u""}, {u""}}, ", "},
        {{{u""}, {u"3"}}, ", 3"},
        {{{u"1"}, {u""}}, "1, "},
        {{{u"1", true}, {u""}, {u"3"}}, ", 3"},
        {{{u"1"}, {u"2", true}, {u""}}, "1, "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        StatementForecast forecast({100}, {1.0}, 1, 10);
        forecast.EveryYear(0, [](Database::CYear& year) { year.Items(kBank).Clear(); });
        BuildSmallAdvYear(forecast);
        forecast.EveryYear(0, [&](Database::CYear& year) {
            year.Items(kNote).Clear();
            for (const Note& each : c.notes) {
                auto& note = ForecastBuilder::AddRow<Item::CNote>(year, kNote);
                note.name = each.name;
                note.Text = u"Check";
                note.SetHidden(each.hidden);
                note.AddLink(kIncome, 0);
            }
        });
        const LayoutKey key(0, 0, 0, 0);
        const AdvCsvResult csv =
            ExportAdvStatementCsv(forecast.doc, key, Statement::AdvOutline::File);
        EXPECT_NE(csv.text.find("\r\nSales," + Statement::CsvField(c.cell) + ","),
                  std::string::npos)
            << csv.text;

        AdvViewState state;
        state.currentKey = key;
        RecordingDeviceContext dc{DeviceCaps::Screen(1600, 1000)};
        RunAdvDrawPassSettled(dc, forecast.doc, state, {Rect{0, 0, 1600, 1000}, 0, 0});
        Text drawn;
        for (const auto& object : state.lists.statement)
            if (const auto* box = dynamic_cast<const Display::CNoteBox*>(object.get()))
                if (!box->IsEntry() && box->placed)
                    drawn += box->number;
        EXPECT_EQ(ToUtf8(drawn), c.cell);
    }
}

} // namespace
