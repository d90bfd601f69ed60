#pragma once

#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringList>

class CMainView;
class QPrinter;
class QWidget;

// File > Export...: the formats the window writes what it shows in, where they go, and their bytes.
namespace WindowExport {

enum class Format { Xlsx, Csv, Png, Pdf };

// The file dialog's choices, in the order offered: "Spreadsheet (*.xlsx)", "CSV (*.csv)",
// "Picture (*.png)" and "PDF (*.pdf)".
QStringList NameFilters();

// Where an export goes and in which format.
struct Target {
    QString path;
    Format format = Format::Xlsx;
};
// The target of a name chosen under a dialog choice: a name ending in one of the formats'
// suffixes is written in that format; any other name takes the choice's format and suffix.
Target TargetOf(const QString& chosen, const QString& nameFilter);

// Why `target` must not be written: it is the open forecast (`forecast`) under any name, or it
// reads as a forecast itself or through a link. None when it may be.
std::optional<QString> Refusal(const QString& target, const QString& forecast);

// What making an export's bytes came to.
struct Outcome {
    enum class Status { Made, Cancelled, Failed };
    Status status = Status::Failed;
    QByteArray bytes;
    // Failed: what the user is told.
    QString message;
};

// The bytes of what `view` shows in the format: the statement or graph page as a table
// (a workbook titled `title`, CSV) or as the picture of the whole of it; for PDF the pages the
// Printing Options choose, printed through the job File > Print runs on the printer's paper and
// orientation (its dialog may cancel).
Outcome Make(Format format, CMainView& view, QPrinter& printer, QWidget* dialogParent,
             const QString& title);

} // namespace WindowExport
