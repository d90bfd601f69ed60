#include "platform/QtPrintTarget.h"

#include <QPagedPaintDevice>
#include <QPrinter>

QtPrintTarget::QtPrintTarget(QPagedPaintDevice& device) : device_(device) {}

QtPrintTarget::~QtPrintTarget() {
    dc_.reset();
    if (painter_.isActive())
        painter_.end();
}

bool QtPrintTarget::StartDoc() {
    if (!painter_.begin(&device_))
        return false;
    dc_ = std::make_unique<QtDeviceContext>(painter_, QtDeviceContext::PageCaps(device_));
    sheetUsed_ = false;
    return true;
}

bool QtPrintTarget::StartPage() {
    if (!sheetUsed_)
        return true;
    sheetUsed_ = false;
    return device_.newPage();
}

bool QtPrintTarget::EndPage(bool keep) {
    sheetUsed_ = sheetUsed_ || keep;
    return painter_.isActive();
}

bool QtPrintTarget::EndDoc() {
    dc_.reset();
    return painter_.end();
}

void QtPrintTarget::AbortDoc() {
    dc_.reset();
    // A printer drops the job; a PDF writer has no such thing, and its caller drops the bytes.
    if (auto* printer = dynamic_cast<QPrinter*>(&device_))
        printer->abort();
    if (painter_.isActive())
        painter_.end();
}
