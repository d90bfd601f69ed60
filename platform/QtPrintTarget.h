#pragma once

#include <memory>

#include <QPainter>

#include "platform/PrintLoop.h"
#include "platform/QtDeviceContext.h"

class QPagedPaintDevice;

// The pages of a print job on a QPrinter or a QPdfWriter, drawn through one painter. A new
// sheet is started only when the next page has something to draw, so a page the view drops
// leaves no blank sheet behind.
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
    QPagedPaintDevice& device_;
    QPainter painter_;
    std::unique_ptr<QtDeviceContext> dc_;
    bool sheetUsed_ = false;
};
