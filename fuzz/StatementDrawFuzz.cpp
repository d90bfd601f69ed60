#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

#include "database/CYear.h"
#include "document/CMainDoc.h"
#include "fuzz/DiscardingSink.h"
#include "fuzz/DrawChoices.h"
#include "platform/PrintLoop.h"
#include "platform/RecordingDeviceContext.h"
#include "statement/StatementCsv.h"
#include "views/AdvDrawPass.h"
#include "views/AdvExport.h"
#include "views/AdvKey.h"
#include "views/AdvPrintPass.h"
#include "views/StdDrawPass.h"
#include "views/StdPrintJob.h"

namespace {

struct Screen {
    Rect client;
    std::uint8_t hScroll = 0;
    std::uint8_t vScroll = 0;
};

// Paper of A4 proportions at a screen's, a small printer's or a fine printer's resolution, with
// an unprintable border.
DeviceCaps Paper(std::uint8_t choice) {
    static constexpr int kDpi[] = {96, 300, 600};
    const int dpi = kDpi[choice % 3];
    int width = 210 * dpi * 10 / 254;
    int height = 297 * dpi * 10 / 254;
    if (choice & 4)
        std::swap(width, height);
    const int border = dpi / 6;
    return DeviceCaps{true, width - 2 * border, height - 2 * border, width, height, border, border,
                      dpi, dpi};
}

int ScrollTo(int max, int fraction) {
    return static_cast<int>(static_cast<std::int64_t>(max) * fraction / 255);
}

// A first pass as the window paints after a load, then one scrolled to the chosen share of the
// ranges that pass found, each on a recorder of its own.
template <class State, class Input, class FirstPass, class Pass>
void DrawTwice(State& state, Input& input, const Screen& screen, FirstPass first, Pass pass,
               CMainDoc& doc) {
    {
        RecordingDeviceContext dc(DeviceCaps::Screen(screen.client.right, screen.client.bottom));
        first(dc, doc, state, input);
    }
    input.hScroll = ScrollTo(state.hScrollMax, screen.hScroll);
    input.vScroll = ScrollTo(state.vScrollMax, screen.vScroll);
    RecordingDeviceContext dc(DeviceCaps::Screen(screen.client.right, screen.client.bottom));
    pass(dc, doc, state, input);
}

void DrawStandard(CMainDoc& doc, Edition edition, int scenario, int company, int year,
                  const Screen& screen) {
    StdViewState state;
    state.selectedScenario = scenario;
    state.selectedCompany = company;
    state.selectedYear = year;
    StdPassInput input;
    input.edition = edition;
    input.client = screen.client;
    input.offsetYear = doc.offsetYearChecked != 0;
    DrawTwice(state, input, screen, RunStdDrawPass, RunStdDrawPass, doc);

    volatile std::size_t written =
        Statement::ExportStatementCsv(doc, edition, scenario, company, year).text.size();
    (void)written;
}

// The first printed page of the job that prints what the view shows, as the options dialog
// starts.
void PrintStandardPage(CMainDoc& doc, Edition edition, const DeviceCaps& paper) {
    StdViewState state;
    StdPrintJob job(doc, state, edition, StdPrintJob::OptionsDialog());
    job.SetOffsetYear(doc.offsetYearChecked != 0);
    PrintInfo info;
    PrintSession session(job, info);
    if (!session.Prepare())
        return;
    RecordingDeviceContext dc(paper);
    session.Begin(dc);
    session.Print(dc, 1);
}

void DrawAdvanced(CMainDoc& doc, const LayoutKey& key, Statement::AdvOutline outline,
                  const Screen& screen) {
    AdvViewState state;
    state.currentKey = key;
    state.outline = outline;
    AdvPassInput input{screen.client, 0, 0};
    DrawTwice(state, input, screen, RunAdvDrawPassSettled, RunAdvDrawPass, doc);
    // The highlight on the first row with note markers opens its notes under it.
    if (state.lists.model) {
        const auto& entries = state.lists.model->entries;
        for (std::size_t entry = 0; entry < entries.size(); ++entry)
            if (!entries[entry].markers.empty()) {
                state.highlightKey = entries[entry].key;
                state.highlightEntry = static_cast<int>(entry);
                RecordingDeviceContext dc(
                    DeviceCaps::Screen(screen.client.right, screen.client.bottom));
                RunAdvDrawPass(dc, doc, state, input);
                break;
            }
    }

    volatile std::size_t written = ExportAdvStatementCsv(doc, key, outline).text.size();
    (void)written;
}

// Counts the pages of the year the key shows, the only one marked, and prints the first.
void PrintAdvancedPage(CMainDoc& doc, const LayoutKey& shown, const DeviceCaps& paper) {
    LayoutKey key = ResolveAdvKey(doc.Root(), shown);
    auto* year = dynamic_cast<Database::CYear*>(doc.FindObject(key));
    if (!year)
        return;
    const std::int32_t mark = year->printMark;
    year->printMark = 1;
    {
        const auto job = MakeAdvPrintJob(doc, key, {});
        PrintInfo info;
        PrintSession session(*job, info);
        if (session.Prepare()) {
            RecordingDeviceContext dc(paper);
            session.Begin(dc);
            session.Print(dc, 1);
        }
    }
    year->printMark = mark;
}

} // namespace

// One input: read it as a forecast file; when it loads, draw, print and export the statements of
// every edition at a few keys, on a screen and paper chosen from the input's last bytes, so that
// every value a loadable file can hold reaches the layout arithmetic and the device.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    DiscardingSink sink;
    CMainDoc doc;
    if (size == 0 || !doc.Read(bytes, "fuzz.cfs", sink))
        return 0;
    doc.Recalculate();

    InputTail tail(bytes);
    const DrawChoices choices = ReadChoices(tail);
    if (choices.zoom)
        doc.SetZoom(*choices.zoom);
    if (choices.fontSize)
        doc.SetFontSize(*choices.fontSize);
    const Screen screen{Rect{0, 0, choices.width, choices.height}, choices.hScroll,
                        choices.vScroll};
    const DeviceCaps paper = Paper(choices.paper);

    for (Edition edition : {Edition::Standard, Edition::Basic}) {
        DrawStandard(doc, edition, 0, 0, 0, screen);
        for (const DrawChoices::StdKey& key : choices.stdKeys)
            DrawStandard(doc, edition, key.scenario, key.company, key.year, screen);
    }
    PrintStandardPage(doc, Edition::Standard, paper);

    DrawAdvanced(doc, AdvInitialKey(), choices.outline, screen);
    for (const LayoutKey& key : choices.advKeys)
        DrawAdvanced(doc, key, choices.outline, screen);
    PrintAdvancedPage(doc, choices.advKeys.empty() ? AdvInitialKey() : choices.advKeys.back(),
                      paper);
    return 0;
}
