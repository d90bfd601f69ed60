#pragma once

#include <memory>

#include "platform/PrintLoop.h"

class CMainView;
class MessageSink;
class QPrinter;
class QWidget;

// The window's side of printing: the edition's options dialog for a view's job, and the run of
// a job on a printer.
namespace PrintCommands {

// The print job of a view, asking its edition's "Printing Options" dialog; null for a view
// that does not print.
std::unique_ptr<PrintableView> MakePrintJob(CMainView& view, QWidget* dialogParent);

// File > Print: the job's options, the system print dialog, then the pages, with a box whose
// Cancel stops the job (nothing is printed then). What went wrong is told through the sink.
PrintResult PrintOnPrinter(PrintableView& job, QPrinter& printer, QWidget* parent,
                           MessageSink& sink);

// The texts the window tells the user when a job prints nothing or fails; none when it was
// cancelled or printed.
Text ResultMessage(const PrintResult& result);

} // namespace PrintCommands
