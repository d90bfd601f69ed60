#pragma once

#include <optional>
#include <string>

#include <QString>
#include <QStringList>

#include "document/Edition.h"

// The viewer's command line as main() meets it, before any application object exists: which
// kind of run the arguments ask for, the window's own arguments, and the texts every kind
// shares. Arguments exclude the program name.
namespace CommandLine {

enum class Run {
    Window, // FILE, the edition word and --edition: the window
    Export, // --export: a headless export, which needs Qt's GUI side but never a display
    Print,  // --print, /p or /pt: FILE's pages on a printer, without a window or a dialog
    Report, // --help, --version or a bad command line, answered without an application object
};

// Qt's own single-dash options (-platform, -style, ...) count as the window's: Qt takes them out
// once its application exists.
Run Classify(const QStringList& arguments);

// Whether an export's arguments ask for a picture or pages (png or pdf), which need Qt's GUI side
// for their fonts; JSON and CSV need no GUI platform.
bool IsDrawingExport(const QStringList& arguments);

// The window's arguments as the application reads them: FILE and the edition words as given,
// with the word of --edition added; or why they are refused. `arguments` are those left once
// Qt has taken its own out.
struct WindowArguments {
    QStringList arguments;
    QString error; // empty when accepted
};
WindowArguments ParseWindowArguments(const QStringList& arguments);

// What --print FILE [edition], /p FILE and /pt FILE PRINTER ask for: the file, the printer
// (empty: the default one) and the edition, Standard unless a word or --edition names another;
// or why they are refused. /p and /pt count only as whole arguments.
struct PrintArguments {
    QString file;
    QString printer;
    Edition edition = Edition::Standard;
    QString error; // empty when accepted
};
PrintArguments ParsePrintArguments(const QStringList& arguments);

// Whether the window can open at all: a display is named (DISPLAY or WAYLAND_DISPLAY), or a Qt
// platform is chosen (QT_QPA_PLATFORM or -platform), such as the offscreen one.
bool DisplayChosen(const QStringList& arguments);

// Gives the process a private runtime folder when the session has none (no XDG_RUNTIME_DIR):
// the one Qt would make in the temporary folder, made quietly instead of with a warning at each
// use. Leaves the environment alone when that folder is not the user's own.
void ProvideRuntimeFolder();

// The usage lines, each form of the command line once; bad command lines print them.
extern const char* const kUsage;
// The text of --help: the usage, every option in one line and the exit statuses.
std::string HelpText();
// The text of --version.
std::string VersionText();
// Said when the window is asked for without a display.
extern const char* const kNoDisplay;

} // namespace CommandLine
