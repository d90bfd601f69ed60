#pragma once

#include <memory>

#include <QPainter>
#include <QString>

#include "platform/PrintLoop.h"
#include "platform/QtDeviceContext.h"

class QPagedPaintDevice;
class QPrinter;

// The pages of a print job on a QPrinter or a QPdfWriter, drawn through one painter. A new
// sheet is started only when the next page has something to draw, so a page the view drops
// leaves no blank sheet behind. A printer that writes a PDF file writes it beside the file first
// and puts it in the file's place only when the job is done, so a job that prints nothing, is
// cancelled or fails leaves whatever file had that name as it was.
class QtPrintTarget : public PageTarget {
public:
    explicit QtPrintTarget(QPagedPaintDevice& device);
    ~QtPrintTarget() override;

    bool StartDoc() override;
    DeviceContext& Context() override { return *dc_; }
    bool StartPage() override;
    bool EndPage(bool keep) override;
    bool EndDoc() override;
    void AbortDoc() override;

private:
    // Points a PDF printer at a new file beside the one asked for (left as it is when no such
    // file can be made there).
    void WriteAside();
    // Moves the finished file into the place asked for; false when it cannot.
    bool PutInPlace();
    // Removes the file written aside; the printer writes to the file asked for again.
    void DropAside();

    QPagedPaintDevice& device_;
    QPainter painter_;
    std::unique_ptr<QtDeviceContext> dc_;
    bool sheetUsed_ = false;
    QPrinter* asidePrinter_ = nullptr;
    QString asked_;
    QString aside_;
};
