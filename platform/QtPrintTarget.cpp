#include "platform/QtPrintTarget.h"

#include <filesystem>
#include <system_error>

#include <QFile>
#include <QPagedPaintDevice>
#include <QPrinter>

namespace {

// Tries a few names beside `asked`; the file is made empty, with the permissions a new file
// gets, so that no other job takes the name. Empty when none can be made.
QString MakeFileBeside(const QString& asked) {
    constexpr int kTries = 100;
    for (int i = 0; i < kTries; ++i) {
        const QString name = QStringLiteral("%1.%2.part").arg(asked).arg(i);
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return name;
        if (!file.exists())
            break; // the folder takes no new file
    }
    return {};
}

std::filesystem::path FileSystemPath(const QString& name) {
    return std::filesystem::path(name.toStdU16String());
}

} // namespace

QtPrintTarget::QtPrintTarget(QPagedPaintDevice& device) : device_(device) {}

QtPrintTarget::~QtPrintTarget() {
    dc_.reset();
    if (painter_.isActive())
        painter_.end();
    DropAside();
}

void QtPrintTarget::WriteAside() {
    auto* printer = dynamic_cast<QPrinter*>(&device_);
    if (!printer || printer->outputFormat() != QPrinter::PdfFormat ||
        printer->outputFileName().isEmpty())
        return;
    const QString asked = printer->outputFileName();
    const QString aside = MakeFileBeside(asked);
    if (aside.isEmpty())
        return;
    asidePrinter_ = printer;
    asked_ = asked;
    aside_ = aside;
    printer->setOutputFileName(aside_);
}

bool QtPrintTarget::PutInPlace() {
    if (!asidePrinter_)
        return true;
    // A file that is replaced keeps its permissions.
    if (QFile::exists(asked_))
        QFile::setPermissions(aside_, QFile::permissions(asked_));
    std::error_code error;
    std::filesystem::rename(FileSystemPath(aside_), FileSystemPath(asked_), error);
    if (error) {
        DropAside();
        return false;
    }
    aside_.clear();
    DropAside();
    return true;
}

void QtPrintTarget::DropAside() {
    if (!asidePrinter_)
        return;
    if (!aside_.isEmpty())
        QFile::remove(aside_);
    asidePrinter_->setOutputFileName(asked_);
    asidePrinter_ = nullptr;
    asked_.clear();
    aside_.clear();
}

bool QtPrintTarget::StartDoc() {
    WriteAside();
    if (!painter_.begin(&device_)) {
        DropAside();
        return false;
    }
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
    if (!painter_.end()) {
        DropAside();
        return false;
    }
    return PutInPlace();
}

void QtPrintTarget::AbortDoc() {
    dc_.reset();
    // A printer drops the job; a PDF file written aside goes, and a PDF writer's caller drops
    // the bytes.
    if (auto* printer = dynamic_cast<QPrinter*>(&device_))
        printer->abort();
    if (painter_.isActive())
        painter_.end();
    DropAside();
}
