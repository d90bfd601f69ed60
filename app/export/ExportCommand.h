#pragma once

#include <ostream>

#include <QStringList>

// Exit statuses of the command line.
enum ExitStatus {
    kExitWritten = 0,
    kExitFailed = 1,     // the output could not be written, or FILE has nothing to show
    kExitBadCommand = 2, // bad command line; the usage goes to standard error
    kExitUnreadable = 3, // FILE cannot be opened or read
    kExitRejected = 4,   // FILE was refused while loading
};

// Runs `varnobel-view` with the given arguments (the program name first, as
// QCoreApplication::arguments() gives them): parses the command line and performs an export.
// Output goes to `out` unless -o names a file, which is then replaced atomically and only when
// the export succeeds; reports go to `err`. Returns the exit status. The PNG export needs a
// QGuiApplication; the others any application object.
int RunCommandLine(const QStringList& arguments, std::ostream& out, std::ostream& err);
