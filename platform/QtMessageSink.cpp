#include "platform/QtMessageSink.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "platform/QtText.h"

namespace {

void ShowBox(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok);
    // Texts may carry names from a file; they are never markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void QtMessageSink::Message(const Text& text, const Text& title) {
    ShowBox(QMessageBox::NoIcon, ToQString(title), ToQString(text));
}

void QtMessageSink::OpenFailed(const Text& text) {
    ShowBox(QMessageBox::Warning, QCoreApplication::applicationName(), ToQString(text));
}

void QtMessageSink::FileError(const Text& text) {
    ShowBox(QMessageBox::Warning, QCoreApplication::applicationName(), ToQString(text));
}
