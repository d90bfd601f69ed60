#include <gtest/gtest.h>

#include <filesystem>

#include "display/PrintArea.h"
#include "document/CMainDoc.h"
#include "document/MessageSink.h"
#include "platform/RecordingDeviceContext.h"
#include "statement/StatementCsv.h"
#include "views/StdDrawPass.h"

namespace {

class QuietSink : public MessageSink {
public:
    void Message(const Text&, const Text&) override {}
    void OpenFailed(const Text&) override {}
    void FileError(const Text&) override {}
};

// Every forecast file the project keeps, damaged ones included, is drawn on screen and on
// paper and exported for every selection around the valid ones, without a crash and with the
// page loop ending.
TEST(StatementFiles, EveryKeptFileDrawsAndExports) {
    int loaded = 0;
    for (const char* folder : {VARNOBEL_TEST_DATA, VARNOBEL_EXAMPLES}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string extension = entry.path().extension().string();
            if (extension.size() != 4 || extension.rfind(".cf", 0) != 0)
                continue;
            SCOPED_TRACE(entry.path().string());
            CMainDoc doc;
            QuietSink sink;
            if (!doc.Open(entry.path(), sink))
                continue;
            ++loaded;
            for (Edition edition : {Edition::Standard, Edition::Basic})
                for (int s = -2; s <= 2; ++s)
                    for (int c = -2; c <= 2; ++c)
                        for (int y = -1; y <= 3; ++y) {
                            StdViewState state;
                            state.selectedScenario = s;
                            state.selectedCompany = c;
                            state.selectedYear = y;
                            RecordingDeviceContext screen(DeviceCaps::Screen(640, 480));
                            StdPassInput input;
                            input.edition = edition;
                            input.client = Rect{0, 0, 640, 480};
                            RunStdDrawPass(screen, doc, state, input);

                            RecordingDeviceContext paper(
                                DeviceCaps{true, 500, 700, 500, 700, 0, 0, 72, 72});
                            input.printArea = PrintArea(paper, doc.Root());
                            state.moreDown = state.moreAcross = false;
                            state.printOffsetX = state.printOffsetY = 0;
                            int pages = 0;
                            do {
                                if (state.moreDown) {
                                    state.moreDown = false;
                                    state.printOffsetY -= state.pageBodyHeight;
                                } else if (state.moreAcross) {
                                    state.moreAcross = false;
                                    state.printOffsetY = 0;
                                    state.printOffsetX -= state.pageBodyWidth;
                                }
                                state.drawing = pages % 2 == 0;
                                RunStdDrawPass(paper, doc, state, input);
                            } while ((state.moreDown || state.moreAcross) && ++pages < 500);
                            EXPECT_LT(pages, 500);

                            Statement::ExportStatementCsv(doc, edition, s, c, y);
                        }
        }
    }
    EXPECT_GE(loaded, 2); // the examples at least
}

} // namespace
