#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include "platform/DeviceContext.h"
#include "platform/QtPrintTarget.h"

namespace {

// A printer told to write a PDF file into an empty folder, on landscape A5.
class PdfFileTargetTest : public ::testing::Test {
protected:
    PdfFileTargetTest() {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A5));
        printer.setPageOrientation(QPageLayout::Landscape);
    }

    void WriteEarlierFile() {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("earlier");
    }
    QByteArray FileBytes() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }
    QStringList Files() const { return QDir(folder.path()).entryList(QDir::Files); }

    // One page with text on it, then the end the page loop chose.
    void PrintOnePage(QtPrintTarget& target) {
        ASSERT_TRUE(target.StartDoc());
        ASSERT_TRUE(target.StartPage());
        target.Context().DrawText(100, 100, u"Page 1");
        ASSERT_TRUE(target.EndPage(true));
    }

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("statement.pdf"));
    QPrinter printer{QPrinter::HighResolution};
};

TEST_F(PdfFileTargetTest, AJobThatEndsWithoutPrintingLeavesTheFileAsItWas) {
    WriteEarlierFile();
    {
        // The loop found nothing to print on the first page.
        QtPrintTarget target(printer);
        ASSERT_TRUE(target.StartDoc());
        ASSERT_TRUE(target.StartPage());
        ASSERT_TRUE(target.EndPage(false));
        target.AbortDoc();
    }
    EXPECT_EQ(FileBytes(), "earlier");
    {
        // Cancelled after a page.
        QtPrintTarget target(printer);
        PrintOnePage(target);
        target.AbortDoc();
    }
    EXPECT_EQ(FileBytes(), "earlier");
    EXPECT_EQ(Files(), QStringList{"statement.pdf"});

    // Without an earlier file none is left behind, also by a target dropped mid-job.
    QFile::remove(path);
    {
        QtPrintTarget target(printer);
        PrintOnePage(target);
    }
    EXPECT_TRUE(Files().isEmpty());
    // The printer still names the file asked for, for the next print dialog.
    EXPECT_EQ(printer.outputFileName(), path);
}

TEST_F(PdfFileTargetTest, AFinishedJobTakesTheFilesPlaceAndPermissions) {
    WriteEarlierFile();
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(path, ownerOnly));
    {
        QtPrintTarget target(printer);
        PrintOnePage(target);
        EXPECT_TRUE(target.EndDoc());
    }
    EXPECT_TRUE(FileBytes().startsWith("%PDF-"));
    EXPECT_EQ(Files(), QStringList{"statement.pdf"});
    EXPECT_EQ(QFile::permissions(path) & (ownerOnly | QFile::ReadGroup | QFile::ReadOther),
              ownerOnly);
    EXPECT_EQ(printer.outputFileName(), path);
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
}

} // namespace
