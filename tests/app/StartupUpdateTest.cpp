#include <gtest/gtest.h>

#include "app/CVarnobelApp.h"
#include "app/LoopbackHttpServer.h"
#include "app/ShellFixture.h"

namespace {

class StartupUpdateTest : public ::testing::Test, public ShellFixture {
protected:
    static void Store(const QString& entry, const QVariant& value) {
        QSettings settings(QStringLiteral("Varnobel Limited"), QStringLiteral("Varnobel Viewer"));
        settings.setValue("Settings/" + entry, value);
    }
    static int StoredCount() {
        return QSettings(QStringLiteral("Varnobel Limited"), QStringLiteral("Varnobel Viewer"))
            .value("Settings/UpdateCount")
            .toInt();
    }
    // Starts the Standard edition on a forecast; the update check, when it runs, is `checker`.
    bool Start(CVarnobelApp::UpdateChecker checker = {}) {
        app = std::make_unique<CVarnobelApp>(QStringList{WriteForecast("plan.cfs"), "Std"}, sink);
        if (checker)
            app->SetUpdateChecker(std::move(checker));
        return app->InitInstance();
    }
    std::unique_ptr<CVarnobelApp> app;
};

TEST_F(StartupUpdateTest, EveryStartCountsAndTheRoundsFirstStartChecks) {
    const struct {
        QVariant stored; // invalid: absent
        int next;
        bool check;
    } cases[] = {{QVariant(), 0, true}, {0, 1, false}, {5, 6, false},      {6, 7, false},
                 {7, 0, true},          {42, 0, true}, {"seven", 0, true}, {"2", 3, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toString().toStdString());
        ClearSettings();
        if (c.stored.isValid())
            Store("UpdateCount", c.stored);
        int checks = 0;
        ASSERT_TRUE(Start([&](const Profile&) {
            ++checks;
            // Written through first, so that a run killed during the check still counts.
            EXPECT_EQ(StoredCount(), 0);
            return false;
        }));
        EXPECT_EQ(checks, c.check ? 1 : 0);
        EXPECT_EQ(StoredCount(), c.next);
    }
    // A started installer ends the start, successfully.
    ClearSettings();
    app = std::make_unique<CVarnobelApp>(QStringList{WriteForecast("plan.cfs"), "Std"}, sink);
    app->SetUpdateChecker([](const Profile&) { return true; });
    EXPECT_EQ(app->Run(), 0);
    EXPECT_EQ(app->Frame(), nullptr);
}

TEST_F(StartupUpdateTest, OnlyAUsableServerFolderIsAsked) {
    LoopbackHttpServer server;
    server.Serve("/files/Varnobel-View.ini", {.body = "1\n0\n5\n3\nsetup.bin\n"});
    const QString folder = server.Folder().toString();
    for (const QString& setting : {QString(), QString(folder).replace("http:", "ftp:"), folder}) {
        SCOPED_TRACE(setting.toStdString());
        Store("UpdateCount", 7);
        Store("UpdateBaseUrl", setting);
        // The current version ends the check by itself and the start goes on.
        ASSERT_TRUE(Start());
        EXPECT_EQ(StoredCount(), 0);
    }
    EXPECT_EQ(server.requests, QStringList{"/files/Varnobel-View.ini"});
}

} // namespace
