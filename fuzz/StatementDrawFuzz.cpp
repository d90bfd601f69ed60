#include <cstddef>
#include <cstdint>
#include <span>

#include "database/CYear.h"
#include "document/CMainDoc.h"
#include "document/MessageSink.h"
#include "fuzz/InputTail.h"
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

class DiscardingSink : public MessageSink {
  public:
    void Message(const Text&, const Text&) override {}
    void OpenFailed(const Text&) override {}
    void FileError(const Text&) override {}
};

// Keys chosen from the input besides the default one of each edition: enough to reach another
// scenario, company, year or graph page without letting one input run for long.
constexpr int kChosenKeys = 3;

// The window's client area: as large as the PNG export draws, and an empty one.
constexpr int kMaxClientSide = 8192;

struct Screen {
    Rect client;
    // Where the second pass scrolls to, in 256ths of each scroll range.
    int hFraction = 0;
    int vFraction = 0;
};

Screen ChooseScreen(InputTail& tail) {
    Screen screen;
    screen.client = Rect{0, 0, tail.InRange(0, kMaxClientSide), tail.InRange(0, kMaxClientSide)};
    screen.hFraction = tail.Byte();
    screen.vFraction = tail.Byte();
    return screen;
}

// Paper of A4 proportions at a screen's, a small printer's or a fine printer's resolution, with
// an unprintable border.
DeviceCaps ChoosePaper(InputTail& tail) {
    static constexpr int kDpi[] = {96, 300, 600};
    const std::uint8_t choice = tail.Byte();
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
    {
        RecordingDeviceContext dc(DeviceCaps::Screen(screen.client.right, screen.client.bottom));
        RunStdDrawPass(dc, doc, state, input);
    }
    input.hScroll = ScrollTo(state.hScrollMax, screen.hFraction);
    input.vScroll = ScrollTo(state.vScrollMax, screen.vFraction);
    RecordingDeviceContext dc(DeviceCaps::Screen(screen.client.right, screen.client.bottom));
    RunStdDrawPass(dc, doc, state, input);

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
    {
        RecordingDeviceContext dc(DeviceCaps::Screen(screen.client.right, screen.client.bottom));
        RunAdvDrawPassSettled(dc, doc, state, input);
    }
    input.hScroll = ScrollTo(state.hScrollMax, screen.hFraction);
    input.vScroll = ScrollTo(state.vScrollMax, screen.vFraction);
    RecordingDeviceContext dc(DeviceCaps::Screen(screen.client.right, screen.client.bottom));
    RunAdvDrawPass(dc, doc, state, input);

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

LayoutKey ChooseAdvKey(InputTail& tail) {
    LayoutKey key;
    key[LayoutKey::kView] = tail.InRange(-1, 3);
    key[LayoutKey::kScenario] = tail.InRange(-2, 6);
    key[LayoutKey::kCompany] = tail.InRange(-2, 6);
    key[LayoutKey::kYear] = tail.InRange(-1, 6);
    const int graph = tail.InRange(-1, 2);
    key[LayoutKey::kGraph] = graph < 0 ? LayoutKey::kNoEntry : graph;
    return key;
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
    const std::uint8_t settings = tail.Byte();
    if (settings & 1)
        doc.SetZoom(static_cast<std::int32_t>(tail.Word32()));
    if (settings & 2)
        doc.SetFontSize(static_cast<std::int32_t>(tail.Word32()));
    const Screen screen = ChooseScreen(tail);
    const DeviceCaps paper = ChoosePaper(tail);
    const int keys = tail.Byte() % (kChosenKeys + 1);

    for (Edition edition : {Edition::Standard, Edition::Basic}) {
        DrawStandard(doc, edition, 0, 0, 0, screen);
        for (int k = 0; k < keys; ++k)
            DrawStandard(doc, edition, tail.InRange(-2, 6), tail.InRange(-2, 6),
                         tail.InRange(-1, 6), screen);
    }
    PrintStandardPage(doc, Edition::Standard, paper);

    const auto outline = static_cast<Statement::AdvOutline>(tail.Byte() % 3);
    DrawAdvanced(doc, AdvInitialKey(), outline, screen);
    LayoutKey printed = AdvInitialKey();
    for (int k = 0; k < keys; ++k) {
        printed = ChooseAdvKey(tail);
        DrawAdvanced(doc, printed, outline, screen);
    }
    PrintAdvancedPage(doc, printed, paper);
    return 0;
}
