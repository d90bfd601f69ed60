#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include "app/export/DirectPrint.h"
#include "app/export/ExportCommand.h"
#include "document/SmallForecast.h"
#include "views/StatementForecast.h"

namespace {

// The page count pdfinfo reads from the file; -1 when it cannot.
int PdfPages(const std::filesystem::path& pdf) {
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(pdf.string())});
    if (!info.waitForFinished(30000) || info.exitCode() != 0)
        return -1;
    const QString pages =
        QRegularExpression("^Pages:\\s+(\\d+)", QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(info.readAllStandardOutput()))
            .captured(1);
    return pages.isEmpty() ? -1 : pages.toInt();
}

// The text pdftotext reads, pages parted by form feeds.
std::string PdfText(const std::filesystem::path& pdf) {
    QProcess text;
    text.start("pdftotext", {"-layout", QString::fromStdString(pdf.string()), "-"});
    if (!text.waitForFinished(30000) || text.exitCode() != 0)
        return "pdftotext failed";
    return text.readAllStandardOutput().toStdString();
}

// A printer that writes its pages into a PDF, so a test can count them.
class DirectPrintTest : public ::testing::Test {
protected:
    DirectPrintTest() {
        forecast.AddItem(kIncome, u"Sales", 100);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        printer.setPageOrientation(QPageLayout::Landscape);
    }

    // Prints the forecast as saved, as the edition would; the exit status.
    int Print(Edition edition) {
        SmallForecast::WriteFile(file, forecast.doc.Store());
        std::filesystem::remove(pdf);
        CMainDoc doc;
        err.str("");
        if (!DirectPrint::Load(doc, QString::fromStdString(file.string()), err))
            return -1;
        return DirectPrint::Print(doc, edition, printer, err);
    }

    // Two scenarios of two companies, two years each.
    StatementForecast forecast{{60, 40}, {1.0, 1.0}, 2};
    SmallForecast::TempFolder folder;
    std::filesystem::path file = folder / "plan.cfs";
    std::filesystem::path pdf = folder / "pages.pdf";
    QPrinter printer{QPrinter::HighResolution};
    std::ostringstream err;
};

// The Printing Options dialog starts with the current scenario, company and year and the
// statement only: the pages are those of the PDF export given those choices outright, half as
// many as of both years.
TEST_F(DirectPrintTest, TheStatementEditionsPrintTheYearTheViewOpensOn) {
    SmallForecast::WriteFile(file, forecast.doc.Store());
    const auto exported = [this](const QStringList& choices) {
        const std::filesystem::path out = folder / "export.pdf";
        std::ostringstream ignored;
        const int status = RunCommandLine(QStringList{"varnobel-view", "--export", "pdf",
                                                      QString::fromStdString(file.string()), "-o",
                                                      QString::fromStdString(out.string())} +
                                              choices,
                                          ignored, ignored);
        return status == 0 ? PdfPages(out) : -1;
    };
    for (const auto& [edition, word] :
         {std::pair{Edition::Standard, "Std"}, std::pair{Edition::Basic, "Bas"}}) {
        EXPECT_EQ(Print(edition), 0) << err.str();
        EXPECT_EQ(err.str(), "");
        const QStringList basic{"--edition", word, "--years", "current", "--cashflow"};
        const QStringList standard =
            basic + QStringList{"--scenarios", "current", "--companies", "current"};
        const int year = exported(edition == Edition::Basic ? basic : standard);
        ASSERT_GT(year, 0) << word;
        EXPECT_EQ(PdfPages(pdf), year) << word;
        EXPECT_EQ(exported({"--edition", word, "--years", "all", "--cashflow"}), 2 * year) << word;
    }
}

// Print marks are not kept in files, and the Advanced dialog starts with the year on screen
// marked when none is: the combined scenario's consolidated company's first year.
TEST_F(DirectPrintTest, TheAdvancedEditionPrintsTheYearOnScreen) {
    EXPECT_EQ(Print(Edition::Advanced), 0) << err.str();
    const std::string text = PdfText(pdf);
    const std::string title = "All > Group > " + ToUtf8(forecast.Year(-1, -1, 0).DisplayName());
    const std::string other = ToUtf8(forecast.Year(-1, -1, 1).DisplayName());
    int pages = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\f', at), text.size());
        const std::string page = text.substr(at, end - at);
        at = end + 1;
        if (page.find_first_not_of(" \n") == std::string::npos)
            continue;
        ++pages;
        EXPECT_NE(page.find(title), std::string::npos) << page;
    }
    EXPECT_GE(pages, 1);
    EXPECT_EQ(text.find("Scenario 1 >"), std::string::npos);
    EXPECT_EQ(text.find("All > Group > " + other), std::string::npos);
}

} // namespace
