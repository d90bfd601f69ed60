#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/LoopbackHttpServer.h"
#include "app/SplashWnd.h"
#include "app/update/CAutoUpdate.h"

namespace {

using Dialog::CAutoUpdate;
using Response = LoopbackHttpServer::Response;

const QString kVersionPath = QStringLiteral("/files/Varnobel-View.ini");
const QString kInstallerPath = QStringLiteral("/files/setup.bin");

Response VersionFile(QByteArray version, const QByteArray& installer = "setup.bin") {
    return {.body = version.replace('.', '\n') + "\n" + installer + "\n"};
}

QByteArray InstallerBytes(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 + 3);
    return bytes;
}

class UpdateDialogTest : public ::testing::Test {
protected:
    // A dialog on the test's server (or `folder`) that keeps its files in the test's folder and
    // records the installers it starts.
    std::unique_ptr<CAutoUpdate> Run(int giveUpMs = 5000) {
        EXPECT_TRUE(server.Listening());
        auto dialog = std::make_unique<CAutoUpdate>(CAutoUpdate::Options{
            folder.isEmpty() ? server.Folder() : folder, Local(), giveUpMs,
            [this](const QString& path) {
                QFile file(path);
                launched.append(file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable");
                return launchSucceeds;
            }});
        dialog->open();
        // Until the dialog ends or offers the download.
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return !dialog->isVisible() || Offered(*dialog); }, 10000));
        return dialog;
    }

    QString Local() const { return local.filePath(QStringLiteral("Varnobel-View")); }
    std::string LeftBehind() const {
        return QDir(Local()).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString();
    }
    std::string Requests() const { return server.requests.join(' ').toStdString(); }
    static bool Offered(CAutoUpdate& dialog) {
        return dialog.isVisible() && dialog.Control(CAutoUpdate::kYesId)->isVisible();
    }
    static bool Shown(CAutoUpdate& dialog, int id) {
        return dialog.Control(id)->isVisibleTo(&dialog) && dialog.Control(id)->isEnabled();
    }
    static void Click(CAutoUpdate& dialog, int id) {
        QTest::mouseClick(qobject_cast<QPushButton*>(dialog.Control(id)), Qt::LeftButton);
    }
    static bool Ends(CAutoUpdate& dialog) {
        return QTest::qWaitFor([&] { return !dialog.isVisible(); }, 5000);
    }

    void ExpectQuietEnd(CAutoUpdate& dialog) {
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(LeftBehind(), "");
        EXPECT_TRUE(launched.isEmpty());
    }

    LoopbackHttpServer server;
    QUrl folder;
    QTemporaryDir local;
    QByteArrayList launched;
    bool launchSucceeds = true;
};

TEST_F(UpdateDialogTest, EveryControlWaitsHiddenAndDisabledThenOnlyANewerVersionIsOffered) {
    {
        CAutoUpdate waiting({server.Folder(), Local()});
        for (int id : {2, 1432, 1131, 1428, 1175, 1431, 1183, 1430, 1433}) {
            EXPECT_FALSE(waiting.Control(id)->isVisibleTo(&waiting)) << id;
            EXPECT_FALSE(waiting.Control(id)->isEnabled()) << id;
        }
        EXPECT_EQ(qobject_cast<QLabel*>(waiting.Control(1431))->text(),
                  "Do you wish to download and install?");
    }
    const struct {
        const char* version;
        bool offered;
    } cases[] = {{"1.0.5.3", false}, {"1.0.5.4", true}, {"1.0.6.0", true},
                 {"1.1.0.0", true},  {"2.0.0.0", true}, {"0.9.9.9", false}};
    SplashScreens::CSplashWnd::EnableSplashScreen(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        server.requests.clear();
        server.Serve(kVersionPath, VersionFile(c.version));
        SplashScreens::CSplashWnd::ShowSplashScreen(nullptr);
        auto dialog = Run();
        // Only an offer takes the splash away: it must not hide the question.
        EXPECT_EQ(SplashScreens::CSplashWnd::Instance() == nullptr, c.offered);
        EXPECT_EQ(Requests(), kVersionPath.toStdString());
        EXPECT_EQ(LeftBehind(), "") << "the version file goes once read";
        ASSERT_EQ(Offered(*dialog), c.offered);
        if (!c.offered)
            continue;
        EXPECT_EQ(qobject_cast<QLabel*>(dialog->Control(CAutoUpdate::kVersionId))->text(),
                  "V" + QString::fromLatin1(c.version));
        EXPECT_TRUE(Shown(*dialog, CAutoUpdate::kFoundId) && Shown(*dialog, CAutoUpdate::kNoId) &&
                    Shown(*dialog, CAutoUpdate::kQuestionId));
        EXPECT_FALSE(Shown(*dialog, CAutoUpdate::kCheckingId) ||
                     Shown(*dialog, CAutoUpdate::kCancelId));
        EXPECT_TRUE(qobject_cast<QPushButton*>(dialog->Control(CAutoUpdate::kYesId))->isDefault());
        Click(*dialog, CAutoUpdate::kNoId);
        ExpectQuietEnd(*dialog);
    }
    SplashScreens::CSplashWnd::HideSplashScreen();
    SplashScreens::CSplashWnd::EnableSplashScreen(false);
}

TEST_F(UpdateDialogTest, YesDownloadsTheInstallerWithProgressAndStartsIt) {
    const QByteArray installer = InstallerBytes(4000);
    server.Serve(kVersionPath, VersionFile("1.0.6.0"));
    server.Serve(kInstallerPath, {.body = installer});
    auto dialog = Run();
    Click(*dialog, CAutoUpdate::kYesId);
    ASSERT_TRUE(Ends(*dialog));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Requests(), (kVersionPath + " " + kInstallerPath).toStdString());
    EXPECT_EQ(launched, QByteArrayList{installer});
    // The started installer stays; the version file does not.
    EXPECT_EQ(LeftBehind(), "setup.bin");
    auto* progress = qobject_cast<QProgressBar*>(dialog->Control(CAutoUpdate::kProgressId));
    EXPECT_EQ(progress->maximum(), 1000);
    EXPECT_EQ(progress->value(), 1000);
    EXPECT_TRUE(Shown(*dialog, CAutoUpdate::kDownloadId) && Shown(*dialog, CAutoUpdate::kCancelId));
    EXPECT_FALSE(Shown(*dialog, CAutoUpdate::kYesId) || Shown(*dialog, CAutoUpdate::kNoId));
    EXPECT_TRUE(qobject_cast<QPushButton*>(dialog->Control(CAutoUpdate::kCancelId))->isDefault());
}

TEST_F(UpdateDialogTest, CancelDuringASlowDownloadAbortsItAndRemovesThePartialFile) {
    server.Serve(kVersionPath, VersionFile("1.0.5.4"));
    // A quarter of the installer arrives, then the server goes quiet.
    server.Serve(kInstallerPath, {.body = InstallerBytes(1000), .announced = 4000});
    auto dialog = Run(60000);
    Click(*dialog, CAutoUpdate::kYesId);
    auto* progress = qobject_cast<QProgressBar*>(dialog->Control(CAutoUpdate::kProgressId));
    ASSERT_TRUE(QTest::qWaitFor([&] { return progress->value() == 250; }, 5000));
    EXPECT_EQ(LeftBehind(), "setup.bin");
    Click(*dialog, CAutoUpdate::kCancelId);
    ExpectQuietEnd(*dialog);
}

TEST_F(UpdateDialogTest, FailedDownloadsAndStartsLeaveNothingBehind) {
    server.Serve(kVersionPath, VersionFile("1.0.6.0"));
    const Response installers[] = {
        {.status = 404, .body = "missing"},
        {.body = InstallerBytes(1000), .announced = 4000, .hangUp = true},
        {.body = InstallerBytes(100)}};
    for (const Response& installer : installers) {
        server.Serve(kInstallerPath, installer);
        launchSucceeds = false; // matters for the last only
        auto dialog = Run();
        Click(*dialog, CAutoUpdate::kYesId);
        ASSERT_TRUE(Ends(*dialog));
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(LeftBehind(), "");
    }
    EXPECT_EQ(launched.size(), 1);
}

TEST_F(UpdateDialogTest, BadAnswersEndTheCheckQuietlyWithoutAskingForAnInstaller) {
    const QByteArray elsewhere =
        "Location: http://localhost:" + QByteArray::number(server.Folder().port()) +
        kVersionPath.toLatin1() + "\r\n";
    const struct {
        const char* what;
        Response response;
    } cases[] = {
        {"empty", {}},
        {"short", {.body = "1\n0\n6\n"}},
        {"binary", {.body = QByteArray("\x00\x01\xff\xfe\x7f", 5)}},
        {"10 MB without a line end", {.body = QByteArray(10 << 20, 'x')}},
        // Announces a gigabyte and stalls: only a check that stops reading ends in time.
        {"endless", {.body = QByteArray(200000, 'x'), .announced = qint64(1) << 30}},
        {"not found", {.status = 404, .body = VersionFile("2.0.0.0").body}},
        {"server error", {.status = 500, .body = VersionFile("2.0.0.0").body}},
        {"redirect to another host", {.status = 302, .headers = elsewhere}},
        {"silent", {.silent = true}},
        {"empty name", VersionFile("2.0.0.0", "")},
        {"name with a folder", VersionFile("2.0.0.0", "../setup.bin")},
        {"name with a backslash", VersionFile("2.0.0.0", "a\\setup.bin")},
        {"dot", VersionFile("2.0.0.0", ".")},
        {"dot dot", VersionFile("2.0.0.0", "..")},
        {"control character", VersionFile("2.0.0.0", "set\x01up.bin")},
    };
    server.Serve(kInstallerPath, {.body = InstallerBytes(100)});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        server.requests.clear();
        server.Serve(kVersionPath, c.response);
        // Long enough that only the silent server is given up on.
        auto dialog = Run(c.response.silent ? 300 : 60000);
        ExpectQuietEnd(*dialog);
        EXPECT_EQ(Requests(), kVersionPath.toStdString());
    }

    // A loopback port nobody listens on any more: the connection is refused.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress(QHostAddress::LocalHost), 0));
    folder = QUrl(QStringLiteral("http://127.0.0.1:%1/files/").arg(closed.serverPort()));
    closed.close();
    ExpectQuietEnd(*Run());
}

TEST_F(UpdateDialogTest, ALongAnswerIsReadOnlyAsFarAsItsFiveLines) {
    Response stalled = VersionFile("1.0.6.0");
    stalled.body += QByteArray(100000, 'x');
    stalled.announced = qint64(1) << 30;
    server.Serve(kVersionPath, stalled);
    EXPECT_TRUE(Offered(*Run(60000)));
    EXPECT_EQ(LeftBehind(), "");
}

} // namespace
