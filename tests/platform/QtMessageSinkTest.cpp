#include "platform/QtApplication.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTimer>

#include "platform/QtMessageSink.h"

namespace {

struct SeenBox {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Runs the report, closing the message box it shows and noting what the box said.
template <typename Report> SeenBox Shown(Report report) {
    SeenBox seen;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = {box->windowTitle(), box->text(), box->textFormat(), box->icon()};
            box->accept();
        }
    });
    timer.start(10);
    report();
    return seen;
}

TEST(QtMessageSinkTest, ShowsPlainTextBoxes) {
    QtMessageSink sink;
    // A name from a file is shown as it is, never as markup.
    const SeenBox message =
        Shown([&] { sink.Message(u"Name <b>Caf\u00e9</b>", u"Varnobel Viewer"); });
    EXPECT_EQ(message.text, QString::fromUtf16(u"Name <b>Caf\u00e9</b>"));
    EXPECT_EQ(message.title, QStringLiteral("Varnobel Viewer"));
    EXPECT_EQ(message.format, Qt::PlainText);

    const SeenBox failed = Shown([&] { sink.OpenFailed(u"Unexpected file format."); });
    EXPECT_EQ(failed.text, QStringLiteral("Unexpected file format."));
    EXPECT_EQ(failed.icon, QMessageBox::Warning);

    const SeenBox error = Shown([&] { sink.FileError(u"Permission denied"); });
    EXPECT_EQ(error.text, QStringLiteral("Permission denied"));
    EXPECT_EQ(error.icon, QMessageBox::Warning);
}

} // namespace
