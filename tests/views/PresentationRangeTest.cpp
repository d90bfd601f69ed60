#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "database/CYear.h"
#include "document/CMainDoc.h"
#include "document/RecordingMessageSink.h"
#include "platform/PrintLoop.h"
#include "platform/RecordingDeviceContext.h"
#include "views/AdvDrawPass.h"
#include "views/AdvKey.h"
#include "views/AdvPrintPass.h"
#include "views/StdDrawPass.h"
#include "views/StdPrintJob.h"

// The zoom and font size a file stores reach the window, the printer and the exports through
// one reading: a value out of range draws exactly as the defaults do everywhere, and a value in
// range is drawn as it is.
namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 700;

DeviceCaps Paper() {
    return DeviceCaps{true, 794, 1123, 794, 1123, 0, 0, 96, 96};
}

std::string Digest(const std::vector<DrawOp>& ops) {
    std::string digest;
    for (const DrawOp& op : ops) {
        digest += std::to_string(static_cast<int>(op.kind)) + " " + std::to_string(op.rect.left) +
                  "," + std::to_string(op.rect.top) + "," + std::to_string(op.rect.right) + "," +
                  std::to_string(op.rect.bottom) + " " + std::to_string(op.font.tenthsOfPoint) +
                  " " + ToUtf8(op.text) + "\n";
    }
    return digest;
}

// The statement drawn in the window, on the first printed page, in the Advanced window and on
// the Advanced edition's first printed page.
struct Drawings {
    std::vector<DrawOp> standard, standardPage, advanced, advancedPage;
};

class PresentationRangeTest : public ::testing::Test {
protected:
    PresentationRangeTest() {
        RecordingMessageSink sink;
        EXPECT_EQ(doc.Load(std::filesystem::path(VARNOBEL_EXAMPLES) / "sample.cfs", sink),
                  CMainDoc::OpenResult::Loaded);
    }

    Drawings DrawAt(std::int32_t zoom, std::int32_t fontSize) {
        doc.zoom = zoom;
        doc.fontSize = fontSize;
        Drawings drawings;
        {
            RecordingDeviceContext dc(DeviceCaps::Screen(kWidth, kHeight));
            StdViewState state;
            StdPassInput input;
            input.client = Rect{0, 0, kWidth, kHeight};
            RunStdDrawPass(dc, doc, state, input);
            drawings.standard = dc.Operations();
        }
        {
            StdViewState state;
            StdPrintJob job(doc, state, Edition::Standard, StdPrintJob::OptionsDialog());
            drawings.standardPage = FirstPage(job);
        }
        {
            RecordingDeviceContext dc(DeviceCaps::Screen(kWidth, kHeight));
            AdvViewState state;
            RunAdvDrawPassSettled(dc, doc, state, {Rect{0, 0, kWidth, kHeight}, 0, 0});
            drawings.advanced = dc.Operations();
        }
        LayoutKey key = ResolveAdvKey(doc.Root(), AdvInitialKey());
        dynamic_cast<Database::CYear&>(*doc.FindObject(key)).printMark = 1;
        drawings.advancedPage = FirstPage(*MakeAdvPrintJob(doc, key, {}));
        return drawings;
    }

    // Nothing when the job refuses the page (a statement too wide for the paper).
    std::vector<DrawOp> FirstPage(PrintableView& job) {
        PrintInfo info;
        PrintSession session(job, info);
        EXPECT_TRUE(session.Prepare());
        RecordingDeviceContext dc(Paper());
        session.Begin(dc);
        if (session.Print(dc, 1) != PrintSession::Page::Printed)
            return {};
        return dc.Operations();
    }

    CMainDoc doc;
};

// The size most of the drawing's texts are in: the statement's own font.
int StatementTenths(const std::vector<DrawOp>& ops) {
    std::map<int, int> counts;
    for (const DrawOp& op : ops)
        if (op.kind == DrawOp::Kind::Text)
            ++counts[op.font.tenthsOfPoint];
    int best = 0;
    for (const auto& [tenths, count] : counts)
        if (best == 0 || count > counts[best])
            best = tenths;
    return best;
}

TEST_F(PresentationRangeTest, AValueOutOfRangeDrawsAsTheDefaultEverywhere) {
    const Drawings defaults = DrawAt(100, 100);
    struct Case {
        std::int32_t zoom;
        std::int32_t fontSize;
    };
    const Case cases[] = {
        {0, 0},           {-609542420, -1906935219}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN},
        {1001, 100},      {100, 10001},              {-1, 100},          {100, -1},
    };
    for (const Case& c : cases) {
        const Drawings drawn = DrawAt(c.zoom, c.fontSize);
        const std::string at = std::to_string(c.zoom) + " % and " + std::to_string(c.fontSize);
        EXPECT_EQ(Digest(drawn.standard), Digest(defaults.standard)) << at;
        EXPECT_EQ(Digest(drawn.standardPage), Digest(defaults.standardPage)) << at;
        EXPECT_EQ(Digest(drawn.advanced), Digest(defaults.advanced)) << at;
        EXPECT_EQ(Digest(drawn.advancedPage), Digest(defaults.advancedPage)) << at;
    }
}

TEST_F(PresentationRangeTest, AValueInRangeIsDrawnAsStoredOnScreenAndAtFullSizeOnPaper) {
    struct Case {
        std::int32_t zoom;
        std::int32_t fontSize;
        int screenTenths; // size × zoom ÷ 100, at least 1
        // The size: paper is drawn at 100 %. A row of 1000 points is taller than A4, so both
        // jobs refuse the page rather than print it (0: nothing drawn).
        int paperTenths;
    };
    const Case cases[] = {
        {125, 90, 112, 90},   {1000, 10000, 100000, 0}, {1, 1, 1, 1}, {1, 100, 1, 100},
        {50, 10000, 5000, 0}, {0, 80, 80, 80},          {1000, 0, 1000, 100},
    };
    for (const Case& c : cases) {
        const Drawings drawn = DrawAt(c.zoom, c.fontSize);
        const std::string at = std::to_string(c.zoom) + " % and " + std::to_string(c.fontSize);
        EXPECT_EQ(StatementTenths(drawn.standard), c.screenTenths) << at;
        EXPECT_EQ(StatementTenths(drawn.advanced), c.screenTenths) << at;
        EXPECT_EQ(StatementTenths(drawn.standardPage), c.paperTenths) << at;
        EXPECT_EQ(StatementTenths(drawn.advancedPage), c.paperTenths) << at;
    }
}

} // namespace
