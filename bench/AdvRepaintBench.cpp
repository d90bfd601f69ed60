#include <algorithm>
#include <memory>

#include <benchmark/benchmark.h>

#include <QImage>

#include "bench/GuiApplication.h"
#include "bench/LargeForecast.h"
#include "database/CCompany.h"
#include "database/CScenario.h"
#include "database/CTabView.h"
#include "document/CMainDoc.h"
#include "items/CNote.h"
#include "platform/QtDeviceContext.h"
#include "views/AdvDrawPass.h"

namespace {

// Where the added note shows: only listed under NOTES, off the window; scrolled into view
// there; or opened beside the first income row it marks, its box filling the window.
enum class NoteShown { Listed, Scrolled, Opened };

// One repaint of the Advanced view in a full-HD window after a change of the key: the
// recalculation, the statement built again, then arranged and drawn into the window's image
// through the off-screen bitmap. It shows the first company's first year, as BM_Repaint does;
// `note`, when given, is one more note of that year, shown as `shown` says.
void AdvRepaintBench(benchmark::State& state, const LargeForecast::Shape& shape,
                     const Text& note = Text(), NoteShown shown = NoteShown::Listed) {
    EnsureGuiApplication();
    CMainDoc doc;
    LargeForecast(shape).Build(doc);
    if (!note.empty()) {
        Database::CYear& year = doc.Root().View(0).Scenario(0).Company(0).Year(0);
        auto added = std::make_unique<Item::CNote>();
        added->name = DecimalText(year.ItemCount(kNote) + 1);
        added->Text = note;
        if (shown == NoteShown::Opened)
            added->AddLink(kIncome, 0);
        year.Items(kNote).Append(std::move(added));
    }
    QImage window(1920, 1080, QImage::Format_RGB32);
    window.fill(Qt::white);
    QtDeviceContext dc(window);
    AdvViewState view;
    view.currentKey = LayoutKey(0, 0, 0, 0);
    if (shown == NoteShown::Opened)
        view.highlightKey = LayoutKey(0, 0, 0, 0, kIncome, 0);
    AdvPassInput input{Rect{0, 0, window.width(), window.height()}, 0, 0};
    // The columns settle on the second pass; measure passes like every later one.
    RunAdvDrawPassSettled(dc, doc, view, input);
    // The note is the statement's last entry: the bottom of the scroll range shows it.
    if (shown == NoteShown::Scrolled)
        input.vScroll = std::max(0, view.vScrollMax - view.vScrollPage);
    for (auto _ : state) {
        view.BuildAgain();
        RunAdvDrawPass(dc, doc, view, input);
        benchmark::ClobberMemory();
    }
}

// 70,000 characters of ordinary words.
Text LongNote() {
    Text text;
    while (text.size() < 70000)
        text += u"The figures of this month follow the agreed plan closely. ";
    text.resize(70000);
    return text;
}

// One word of 5,000 characters, which has to break anywhere.
Text LongWord() {
    return Text(5000, u'x');
}

} // namespace

BENCHMARK_CAPTURE(AdvRepaintBench, typical, LargeForecast::Typical())
    ->Name("BM_Repaint/adv-typical")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AdvRepaintBench, large, LargeForecast::Large())
    ->Name("BM_Repaint/adv-large")
    ->Unit(benchmark::kMillisecond);
// A note of 70,000 characters, or of one 5,000-character word, in the shown year: at most twice
// BM_Repaint/adv-typical, at the top of the statement and scrolled down to the note.
BENCHMARK_CAPTURE(AdvRepaintBench, longNote, LargeForecast::Typical(), LongNote())
    ->Name("BM_Repaint/adv-long-note")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AdvRepaintBench, longNoteShown, LargeForecast::Typical(), LongNote(),
                  NoteShown::Scrolled)
    ->Name("BM_Repaint/adv-long-note-shown")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AdvRepaintBench, longWordShown, LargeForecast::Typical(), LongWord(),
                  NoteShown::Scrolled)
    ->Name("BM_Repaint/adv-long-word-shown")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AdvRepaintBench, longNoteOpened, LargeForecast::Typical(), LongNote(),
                  NoteShown::Opened)
    ->Name("BM_Repaint/adv-long-note-opened")
    ->Unit(benchmark::kMillisecond);
