#include "platform/QtApplication.h"

#include "app/export/WindowExport.h"

#include <algorithm>
#include <iterator>

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>

#include "app/Version.h"
#include "app/export/OutputFile.h"
#include "app/export/PdfExport.h"
#include "app/export/PrintCommands.h"
#include "app/export/StatementExport.h"
#include "database/CPERT.h"
#include "document/CMainDoc.h"
#include "platform/QtText.h"
#include "statement/StatementTable.h"
#include "views/qt/CVarnobelAdvView.h"
#include "views/qt/CVarnobelStdView.h"
#include "views/xlsx/XlsxWorkbook.h"

namespace WindowExport {

namespace {

struct FormatRow {
    Format format;
    const char* filter;
    const char* suffix;
};

constexpr FormatRow kFormats[] = {
    {Format::Xlsx, "Spreadsheet (*.xlsx)", "xlsx"},
    {Format::Csv, "CSV (*.csv)", "csv"},
    {Format::Png, "Picture (*.png)", "png"},
    {Format::Pdf, "PDF (*.pdf)", "pdf"},
};

Outcome Failure(const QString& message) {
    return {Outcome::Status::Failed, {}, message};
}

Outcome Made(QByteArray bytes) {
    return {Outcome::Status::Made, std::move(bytes), {}};
}

const QString kNothingShown =
    QStringLiteral("There is nothing to export: the window shows no statement.");

Outcome MakeCsv(CMainView& view) {
    const ShownTable shown = view.ShownStatement();
    if (!shown.shown)
        return Failure(kNothingShown);
    return Made(QByteArray::fromStdString(Statement::TableCsv(shown.table)));
}

// The whole statement or graph page as the view draws it, scrolled to its top left and as large
// as it is (up to the picture's largest side).
Outcome MakePng(CMainView& view) {
    const QSize whole = view.WholeSize().boundedTo(QSize(kMaxImageSide, kMaxImageSide));
    const QSize size = whole.expandedTo(QSize(1, 1));
    QImage image;
    if (auto* advanced = dynamic_cast<CVarnobelAdvView*>(&view)) {
        image = RenderAdvImage(view.Document(), advanced->CurrentKey(), advanced->State().outline,
                               size);
    } else if (auto* statement = dynamic_cast<CVarnobelStdView*>(&view)) {
        image = RenderStdImage(view.Document(), view.GetEdition(), statement->State(),
                               view.OffsetYearBox()->isChecked(), size);
    } else {
        return Failure(kNothingShown);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        return Failure(QStringLiteral("The picture could not be made."));
    return Made(std::move(png));
}

// The workbook of what the view shows, one worksheet, titled after the forecast.
Outcome MakeXlsx(CMainView& view, const QString& title) {
    const ShownTable shown = view.ShownStatement();
    if (!shown.shown)
        return Failure(kNothingShown);
    const XlsxSettings settings =
        XlsxSettingsOf(view.Document().Root(), title.toStdString(), ViewerVersion::kText);
    // The workbook is written whole into a folder of its own, then taken as bytes like the
    // other formats.
    const QTemporaryDir folder;
    if (!folder.isValid())
        return Failure(folder.errorString());
    const QString path = folder.filePath(QStringLiteral("statement.xlsx"));
    const std::string error =
        WriteXlsx(QFile::encodeName(path).toStdString(), {shown.table}, settings);
    if (!error.empty())
        return Failure(QString::fromStdString(error));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure(file.errorString());
    return Made(file.readAll());
}

Outcome MakePdf(CMainView& view, QPrinter& printer, QWidget* dialogParent) {
    const std::unique_ptr<PrintableView> job = PrintCommands::MakePrintJob(view, dialogParent);
    if (!job)
        return Failure(kNothingShown);
    const QPageLayout layout = printer.pageLayout();
    PdfOutcome pdf = PrintToPdf(*job, layout.pageSize(), layout.orientation());
    switch (pdf.result.status) {
    case PrintResult::Status::Printed:
        return Made(std::move(pdf.bytes));
    case PrintResult::Status::Cancelled:
        return {Outcome::Status::Cancelled, {}, {}};
    case PrintResult::Status::Nothing:
    case PrintResult::Status::Failed:
        break;
    }
    return Failure(ToQString(PrintCommands::ResultMessage(pdf.result)));
}

} // namespace

QStringList NameFilters() {
    QStringList filters;
    for (const FormatRow& row : kFormats)
        filters << QString::fromLatin1(row.filter);
    return filters;
}

Target TargetOf(const QString& chosen, const QString& nameFilter) {
    const QString suffix = QFileInfo(chosen).suffix();
    for (const FormatRow& row : kFormats)
        if (suffix.compare(QLatin1String(row.suffix), Qt::CaseInsensitive) == 0)
            return {chosen, row.format};
    const auto* row =
        std::find_if(std::begin(kFormats), std::end(kFormats),
                     [&](const FormatRow& each) { return nameFilter == each.filter; });
    if (row == std::end(kFormats))
        row = std::begin(kFormats);
    return {chosen + u'.' + QLatin1String(row->suffix), row->format};
}

std::optional<QString> Refusal(const QString& target, const QString& forecast) {
    if (!forecast.isEmpty() && IsSameFile(forecast, target))
        return QStringLiteral(
                   "\"%1\" is the open forecast \"%2\"; a forecast is never overwritten.")
            .arg(QDir::toNativeSeparators(target), QDir::toNativeSeparators(forecast));
    if (const std::optional<QString> reason = ForecastRefusal(target))
        return QStringLiteral("Cannot export to \"%1\":\n%2")
            .arg(QDir::toNativeSeparators(target), *reason);
    return std::nullopt;
}

Outcome Make(Format format, CMainView& view, QPrinter& printer, QWidget* dialogParent,
             const QString& title) {
    switch (format) {
    case Format::Csv:
        return MakeCsv(view);
    case Format::Png:
        return MakePng(view);
    case Format::Pdf:
        return MakePdf(view, printer, dialogParent);
    case Format::Xlsx:
        break;
    }
    return MakeXlsx(view, title);
}

} // namespace WindowExport
