#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "platform/QtMessageSink.h"

namespace {

struct SeenBox {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool seen = false;
};

// Closes the next message box as soon as it shows, noting what it said.
void CloseNextBox(SeenBox& seen) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, &seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = {box->windowTitle(), box->text(), box->textFormat(), box->icon(), true};
            box->accept();
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

TEST(QtMessageSinkTest, ShowsTheTextAsPlainTextWithItsTitle) {
    QtMessageSink sink;
    SeenBox seen;
    CloseNextBox(seen);
    sink.Message(u"Name <b>Caf\u00e9</b>", u"Varnobel Viewer");
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.text, QString::fromUtf16(u"Name <b>Caf\u00e9</b>"));
    EXPECT_EQ(seen.title, QStringLiteral("Varnobel Viewer"));
    EXPECT_EQ(seen.format, Qt::PlainText);
}

TEST(QtMessageSinkTest, FailuresAreWarnings) {
    QtMessageSink sink;
    SeenBox seen;
    CloseNextBox(seen);
    sink.OpenFailed(u"Unexpected file format.");
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.text, QStringLiteral("Unexpected file format."));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);

    SeenBox error;
    CloseNextBox(error);
    sink.FileError(u"Permission denied");
    ASSERT_TRUE(error.seen);
    EXPECT_EQ(error.text, QStringLiteral("Permission denied"));
    EXPECT_EQ(error.format, Qt::PlainText);
}

} // namespace
