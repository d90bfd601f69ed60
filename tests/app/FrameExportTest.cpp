#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include <QAbstractButton>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include "app/ShellFixture.h"
#include "app/export/WindowExport.h"
#include "app/frame/CMainFrame.h"
#include "database/Archive.h"
#include "platform/QtText.h"
#include "support/CommandRun.h"
#include "support/ForecastBuilder.h"
#include "support/WhenModal.h"
#include "support/ZipMember.h"

namespace {

namespace fs = std::filesystem;
using WindowExport::Format;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Answers the question whether to replace a file.
void AnswerReplace(QMessageBox::StandardButton answer) {
    WhenModal([answer](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->button(answer)->click();
    });
}

// The Sales line of the small forecast's statement: 100.50 in every month.
const std::string kSalesRecord = "Sales,100.50,100.50,100.50,100.50,100.50,100.50,100.50,100.50,"
                                 "100.50,100.50,100.50,100.50,1206.00,100.00\r\n";

class FrameExportTest : public ::testing::Test, public ShellFixture {
protected:
    // The small forecast with its Sales row in the combined entries' years as well, whose row
    // counts shape the statement: every statement shows the line.
    CMainFrame& OpenFrame() {
        CMainDoc source;
        Database::CTabView& view = SmallForecast::Build(source);
        ForecastBuilder::ForEachCompany(view, [](Database::CCompany& company) {
            Database::CYear& year = company.Year(0);
            if (year.ItemCount(kIncome) == 0) {
                auto& sales = ForecastBuilder::AddRow<Item::CItem>(year, kIncome);
                sales.name = u"Sales";
                sales.Expected.fill(10050);
            }
        });
        forecast = Q(Path("plan.cfs"));
        SmallForecast::WriteFile(Path("plan.cfs"), source.Store());
        CMainFrame& frame = MakeFrame();
        frame.show();
        EXPECT_TRUE(frame.OpenDocumentFile(forecast));
        return frame;
    }

    fs::path Path(const std::string& name) const { return folder / name; }
    static QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

    QString forecast;
};

TEST_F(FrameExportTest, TheDialogOffersTheFourFormatsAndTheFolderIsKeptPerEdition) {
    CMainFrame& frame = OpenFrame();
    const fs::path exports = Path("exports");
    fs::create_directory(exports);
    QStringList offered;
    QString openedIn;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog)
            return;
        offered = dialog->nameFilters();
        openedIn = dialog->directory().absolutePath();
        dialog->selectNameFilter(QStringLiteral("CSV (*.csv)"));
        dialog->selectFile(Q(exports / "plan"));
        static_cast<QDialog*>(dialog)->accept();
    });
    frame.ExportAction()->trigger();

    EXPECT_EQ(offered, (QStringList{"Spreadsheet (*.xlsx)", "CSV (*.csv)", "Picture (*.png)",
                                    "PDF (*.pdf)"}));
    // The first time, beside the forecast.
    EXPECT_EQ(openedIn, Q(fs::canonical(folder.Path())));
    const std::string csv = ReadFile(exports / "plan.csv");
    EXPECT_EQ(csv.rfind("Line,Apr,May,Jun,Jul,Aug,Sep,Oct,Nov,Dec,Jan,Feb,Mar,Total,%\r\n", 0), 0u);
    EXPECT_NE(csv.find("\r\n" + kSalesRecord), std::string::npos) << csv;
    EXPECT_TRUE(sink.Empty());

    // The next window of the edition opens there; the other editions keep their own.
    EXPECT_EQ(MakeFrame().ExportFolder(), Q(fs::canonical(exports)));
    EXPECT_TRUE(profile.GetProfileString("clientAdv", "ExportFolder").empty());
    EXPECT_TRUE(profile.GetProfileString("clientBas", "ExportFolder").empty());
}

TEST_F(FrameExportTest, EveryFormatHoldsTheStatementOnScreen) {
    CMainFrame& frame = OpenFrame();
    // The PDF prints through File > Print's job, whose options are asked first.
    WhenModal([](QWidget* modal) {
        if (auto* options = qobject_cast<QDialog*>(modal))
            options->accept();
    });
    const struct {
        Format format;
        const char* name;
        std::string start;
    } cases[] = {
        {Format::Xlsx, "out.xlsx", "PK"},
        {Format::Csv, "out.csv", "Line,"},
        {Format::Png, "out.png", "\x89PNG"},
        {Format::Pdf, "out.pdf", "%PDF"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        ASSERT_TRUE(frame.ExportFile(Q(Path(each.name)), each.format));
        EXPECT_EQ(ReadFile(Path(each.name)).rfind(each.start, 0), 0u);
    }
    EXPECT_TRUE(sink.Empty());
    // The workbook's figures are numbers, and it is titled after the forecast.
    EXPECT_NE(ZipMember(Path("out.xlsx"), "xl/worksheets/sheet1.xml").find("<v>100.5</v>"),
              std::string::npos);
    EXPECT_NE(ZipMember(Path("out.xlsx"), "docProps/core.xml").find("plan"), std::string::npos);
}

TEST_F(FrameExportTest, TheOpenForecastIsRefusedUnderAnyNameAndAReplacementIsAskedFor) {
    CMainFrame& frame = OpenFrame();
    const std::string bytes = ReadFile(Path("plan.cfs"));
    fs::create_symlink(Path("plan.cfs"), Path("alias.cfs"));
    fs::create_hard_link(Path("plan.cfs"), Path("hard.cfs"));
    fs::create_directory(Path("sub"));
    for (const fs::path& name :
         {Path("plan.cfs"), Path("alias.cfs"), Path("hard.cfs"), Path("sub") / ".." / "plan.cfs"}) {
        SCOPED_TRACE(name.string());
        sink.Clear();
        EXPECT_FALSE(frame.ExportFile(Q(name), Format::Csv));
        ASSERT_EQ(sink.fileErrors.size(), 1u);
        EXPECT_NE(sink.fileErrors[0].find(ToText(Q(name))), Text::npos);
        EXPECT_EQ(ReadFile(Path("plan.cfs")), bytes);
    }

    // An existing file stays when the question is declined, and is replaced when accepted.
    const fs::path old = Path("old.csv");
    std::ofstream(old) << "kept";
    sink.Clear();
    AnswerReplace(QMessageBox::No);
    EXPECT_FALSE(frame.ExportFile(Q(old), Format::Csv));
    EXPECT_EQ(ReadFile(old), "kept");
    AnswerReplace(QMessageBox::Yes);
    EXPECT_TRUE(frame.ExportFile(Q(old), Format::Csv));
    EXPECT_NE(ReadFile(old).find(kSalesRecord), std::string::npos);
    EXPECT_TRUE(sink.Empty());

    // A folder that cannot be written to says so, naming the file.
    EXPECT_FALSE(frame.ExportFile(Q(Path("missing") / "out.csv"), Format::Csv));
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_NE(sink.boxes[0].text.find(u"out.csv"), Text::npos);
}

// Declining to replace a file, or a name that is refused, goes back to the file dialog; only the
// dialog's own Cancel ends the export.
TEST_F(FrameExportTest, ADeclinedOrRefusedNameReturnsToTheDialog) {
    CMainFrame& frame = OpenFrame();
    const fs::path old = Path("old.csv");
    std::ofstream(old) << "kept";
    const fs::path copy = Path("copy.csv");
    fs::copy_file(Path("plan.cfs"), copy);
    sink.Clear();
    int dialogs = 0;
    std::vector<std::pair<QMessageBox::Icon, QString>> asked;
    std::function<void(QWidget*)> act;
    act = [&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            asked.push_back({box->icon(), box->text()});
            if (QAbstractButton* no = box->button(QMessageBox::No))
                no->click();
            else
                box->accept();
            WhenModal(act);
            return;
        }
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog)
            return;
        ++dialogs;
        if (dialogs == 3) {
            dialog->reject();
            return;
        }
        dialog->selectNameFilter(QStringLiteral("CSV (*.csv)"));
        // First a file to replace, declined; then a copy of the forecast, refused.
        dialog->selectFile(Q(dialogs == 1 ? old : copy));
        // The dialog's list may hold the name chosen before; the name typed is what counts.
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setText(QString::fromStdString((dialogs == 1 ? old : copy).filename().string()));
        static_cast<QDialog*>(dialog)->accept();
        WhenModal(act);
    };
    // Should a step not come, the dialog is closed rather than left waiting.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    watchdog.start(5000);
    WhenModal(act);
    frame.ExportAction()->trigger();

    EXPECT_EQ(dialogs, 3);
    EXPECT_EQ(ReadFile(old), "kept");
    EXPECT_EQ(ReadFile(copy), ReadFile(Path("plan.cfs")));
    // The question about the file to replace; the refusal, naming the copy, is a file error (a
    // warning in the window).
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].second.contains(QStringLiteral("old.csv")))
        << asked[0].second.toStdString();
    ASSERT_EQ(sink.fileErrors.size(), 1u);
    EXPECT_NE(sink.fileErrors[0].find(u"copy.csv"), Text::npos);
}

// No export replaces a file that reads as a forecast, whatever its name and however it is reached;
// the window and the command line agree, and a link to any other file is written through.
TEST_F(FrameExportTest, AFileThatReadsAsAForecastIsNeverReplacedByAnyRoute) {
    CMainFrame& frame = OpenFrame();
    const std::string forecastBytes = ReadFile(Path("plan.cfs"));
    std::string recoveryBytes;
    {
        Archive ar;
        Text prefix(u"Cashflow auto recovery file");
        Text source(u"plan.cfs");
        ar.String(prefix);
        ar.String(source);
        recoveryBytes.assign(ar.Bytes().begin(), ar.Bytes().end());
        recoveryBytes += forecastBytes;
    }
    enum class Made { Copy, Link, LinkToLink, HardLink };
    const struct {
        const char* name; // what the export is asked to write
        Made made;
        const std::string* bytes; // of the file reached (none: not a forecast)
        const char* reached;      // the file the name leads to
    } cases[] = {
        {"copy.xlsx", Made::Copy, &forecastBytes, "copy.xlsx"},
        {"recovered.csv", Made::Copy, &recoveryBytes, "recovered.csv"},
        {"link.xlsx", Made::Link, &forecastBytes, "copy.cfs"},
        {"chain.csv", Made::LinkToLink, &forecastBytes, "copy.cfs"},
        {"hard.pdf", Made::HardLink, &forecastBytes, "copy.cfs"},
        {"notes-link.csv", Made::Link, nullptr, "copy.cfs"},
        {"dangling.csv", Made::Link, nullptr, "absent.csv"},
    };
    const auto format = [](const fs::path& name) {
        return WindowExport::TargetOf(Q(name), {}).format;
    };
    for (const auto& each : cases) {
        for (const bool window : {true, false}) {
            SCOPED_TRACE(std::string(each.name) + (window ? " from the window"
                                                          : " from the "
                                                            "command line"));
            for (const char* old :
                 {"copy.cfs", "copy.xlsx", "recovered.csv", "link.xlsx", "chain.csv", "hard.pdf",
                  "notes-link.csv", "dangling.csv", "absent.csv", "mid.csv"})
                fs::remove(Path(old));
            const fs::path name = Path(each.name);
            const fs::path reached = Path(each.reached);
            if (each.made == Made::Copy) {
                std::ofstream(reached, std::ios::binary) << *each.bytes;
            } else if (reached.filename() != "absent.csv") {
                std::ofstream(reached, std::ios::binary) << (each.bytes ? *each.bytes : "notes");
            }
            if (each.made == Made::Link)
                fs::create_symlink(reached.filename(), name);
            if (each.made == Made::LinkToLink) {
                fs::create_symlink(reached.filename(), Path("mid.csv"));
                fs::create_symlink("mid.csv", name);
            }
            if (each.made == Made::HardLink)
                fs::create_hard_link(reached, name);

            sink.Clear();
            bool written = false;
            std::string said;
            if (window) {
                // Asked only where a file not refused stands.
                if (!each.bytes && QFileInfo::exists(Q(name)))
                    AnswerReplace(QMessageBox::Yes);
                written = frame.ExportFile(Q(name), format(name));
                said = sink.fileErrors.empty() ? std::string() : ToUtf8(sink.fileErrors[0]);
            } else {
                const std::string kind = Q(name).section('.', -1).toStdString();
                const CommandRun::Outcome run = CommandRun::Command(
                    {"--export", kind, ToUtf8(ToText(forecast)), "-o", name.string()});
                written = run.status == 0;
                said = run.err;
                if (!written) {
                    EXPECT_EQ(run.status, 1);
                }
            }
            if (each.bytes) {
                EXPECT_FALSE(written);
                EXPECT_EQ(ReadFile(reached), *each.bytes);
                EXPECT_NE(said.find(name.string()), std::string::npos) << said;
                EXPECT_NE(said.find("reads as a forecast"), std::string::npos) << said;
                if (each.made == Made::Link || each.made == Made::LinkToLink) {
                    EXPECT_NE(said.find(fs::canonical(reached).string()), std::string::npos)
                        << said;
                }
            } else {
                // Written through: the link stays a link, the file it leads to has the export.
                EXPECT_TRUE(written) << said;
                EXPECT_TRUE(fs::is_symlink(name));
                EXPECT_EQ(ReadFile(reached).rfind("Line,", 0), 0u);
            }
        }
    }
}

TEST_F(FrameExportTest, TheChosenNameOrTheDialogsChoiceGivesTheFormat) {
    const struct {
        const char* chosen;
        const char* filter;
        const char* path;
        Format format;
    } cases[] = {
        {"/t/plan", "CSV (*.csv)", "/t/plan.csv", Format::Csv},
        {"/t/plan", "Spreadsheet (*.xlsx)", "/t/plan.xlsx", Format::Xlsx},
        {"/t/plan.PNG", "Spreadsheet (*.xlsx)", "/t/plan.PNG", Format::Png},
        {"/t/plan.pdf", "CSV (*.csv)", "/t/plan.pdf", Format::Pdf},
        {"/t/plan.2024", "Picture (*.png)", "/t/plan.2024.png", Format::Png},
        {"/t/plan.txt", "", "/t/plan.txt.xlsx", Format::Xlsx},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.chosen);
        const WindowExport::Target target =
            WindowExport::TargetOf(QString::fromUtf8(each.chosen), QString::fromUtf8(each.filter));
        EXPECT_EQ(target.path, QString::fromUtf8(each.path));
        EXPECT_EQ(target.format, each.format);
    }
}

} // namespace
