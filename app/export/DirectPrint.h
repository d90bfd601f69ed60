#pragma once

#include <ostream>

#include <QStringList>

#include "app/CommandLine.h"

class CMainDoc;
class QPrinter;

// Printing from the command line and the desktop's print verbs: `--print FILE [edition]`,
// `/p FILE`, `/pt FILE PRINTER`. FILE's pages go to the printer with the choices the edition's
// Printing Options dialog starts with after FILE is opened, without a window or any dialog.
namespace DirectPrint {

// Parses `arguments` (without the program name, Qt's own options taken out), reads FILE, picks
// the printer and prints. Returns the exit status: 0 printed, 1 with the reason on `err` when
// FILE cannot be read, the printer is not there or nothing would print, 2 for a bad command
// line.
int Run(const QStringList& arguments, std::ostream& err);

// Reads FILE into `doc`; false when it cannot be read, with what the read said on `err`: a
// refused file is named first, as the window names it.
bool Load(CMainDoc& doc, const QString& file, std::ostream& err);

// Prints the forecast's pages on `printer`, which is set up already, as the edition's view
// would print them just after the file was opened; the exit status as Run's.
int Print(CMainDoc& doc, Edition edition, QPrinter& printer, std::ostream& err);

} // namespace DirectPrint
