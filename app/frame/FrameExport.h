#pragma once

#include <string>

#include <QString>

#include "app/export/WindowExport.h"

class CMainView;
class MessageSink;
class Profile;
class QPrinter;
class QWidget;

// File > Export...: the file dialog, the question before a file is replaced, and the write of
// what the window shows.
namespace FrameExport {

// What an export of the window reads, and where it tells what went wrong.
struct Source {
    CMainView& view;
    QPrinter& printer;
    QWidget* parent;
    MessageSink& sink;
    // The open forecast's full path, empty for a new one; its name without the extension,
    // "Untitled" for a new one.
    QString forecastPath;
    QString documentTitle;
};

// The folder the dialog opens in: the one last exported to under the edition's `section`, else
// the open forecast's.
QString Folder(const Profile& profile, const std::string& section, const QString& forecastPath);

// The dialog, offering the spreadsheet, CSV, picture and PDF formats; the folder of the name
// chosen is kept for the next time, then the file is written as Write writes it. A name refused,
// or one whose replacement is declined, returns to the dialog.
void Ask(const Source& source, Profile& profile, const std::string& section);

// Writes what the view shows (as PDF: the Printing Options' pages) to `path` in the format.
// Refuses, naming it, the open forecast under any name and any file that reads as a forecast
// (a warning); asks before replacing a file; writes beside it and moves the new file into place
// only once complete. What went wrong is told in a message box. True when the file was written.
bool Write(const Source& source, const QString& path, WindowExport::Format format);

} // namespace FrameExport
