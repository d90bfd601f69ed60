#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "app/CVarnobelAdvDoc.h"
#include "app/CVarnobelApp.h"
#include "app/CVarnobelBasDoc.h"
#include "app/EditionChoice.h"
#include "app/ShellFixture.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/CVarnobelAdvFrame.h"
#include "app/frame/CVarnobelBasFrame.h"
#include "app/frame/CVarnobelStdFrame.h"
#include "platform/QtText.h"
#include "platform/RecentFileList.h"
#include "views/qt/CVarnobelAdvView.h"
#include "views/qt/CVarnobelBasView.h"

namespace {

using EditionChoice::FileArgument;
using EditionChoice::FromArguments;

TEST(StartupEditionTest, BareOrQuotedWordsNameTheEdition) {
    EXPECT_EQ(FromArguments({"Bas"}), Edition::Basic);
    EXPECT_EQ(FromArguments({"file.cfs", "Std"}), Edition::Standard);
    EXPECT_EQ(FromArguments({"\"Adv\""}), Edition::Advanced);
    // The quoted word anywhere inside an argument, as a raw command line holds it.
    EXPECT_EQ(FromArguments({"x \"Std\" y"}), Edition::Standard);
    EXPECT_EQ(FromArguments({}), std::nullopt);
}

TEST(StartupEditionTest, AWordWithoutItsQuotesInsideAnArgumentDoesNotCount) {
    EXPECT_EQ(FromArguments({"Standard"}), std::nullopt);
    EXPECT_EQ(FromArguments({"Std.cfs"}), std::nullopt);
    EXPECT_EQ(FromArguments({"\"Std"}), std::nullopt);
    EXPECT_EQ(FromArguments({"std"}), std::nullopt); // the words are case-sensitive
    EXPECT_EQ(FromArguments({"/home/Bas/Adv/forecast.cfs"}), std::nullopt);
}

TEST(StartupEditionTest, BasicThenStandardThenAdvancedAreSearchedWhateverTheOrder) {
    EXPECT_EQ(FromArguments({"\"Adv\"", "\"Std\""}), Edition::Standard);
    EXPECT_EQ(FromArguments({"\"Std\" \"Adv\""}), Edition::Standard);
    EXPECT_EQ(FromArguments({"Adv", "Std", "Bas"}), Edition::Basic);
    EXPECT_EQ(FromArguments({"\"Adv\"", "Bas"}), Edition::Basic);
}

TEST(StartupEditionTest, TheFileIsTheFirstArgumentThatIsNoEditionWord) {
    EXPECT_EQ(FileArgument({"Std", "a.cfs", "b.cfs"}), "a.cfs");
    EXPECT_EQ(FileArgument({"\"Bas\"", "", "c.cfb"}), "c.cfb");
    EXPECT_EQ(FileArgument({"Adv"}), "");
    // A file whose name merely contains an edition word is still the file.
    EXPECT_EQ(FileArgument({"Std.cfs", "Std"}), "Std.cfs");
}

class StartupTest : public ::testing::Test, public ShellFixture {
protected:
    // The mode question, answered as told; counts how often it was asked.
    CVarnobelApp::ModeChooser Answer(std::optional<Edition> answer) {
        return [this, answer] {
            ++asked;
            return answer;
        };
    }
    int asked = 0;
};

TEST_F(StartupTest, TheCommandLinesEditionSkipsTheQuestion) {
    const QString file = WriteForecast("plan.cfs");
    CVarnobelApp app({file, "\"Std\"", "\"Adv\""}, sink, Answer(Edition::Basic));
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(app.GetEdition(), Edition::Standard);
    ASSERT_NE(dynamic_cast<CVarnobelStdFrame*>(app.Frame()), nullptr);
    EXPECT_EQ(app.Frame()->PlacementSection(), "clientStd");
    EXPECT_EQ(app.Frame()->windowTitle(), "plan.cfs - Varnobel Viewer");
    EXPECT_TRUE(app.Frame()->isVisible());
    EXPECT_EQ(app.Document()->ViewCount(), 1);
    EXPECT_TRUE(sink.Empty());
}

TEST_F(StartupTest, TheAdvancedWordRunsTheAdvancedEditionUnderItsOwnKeys) {
    CVarnobelApp app({"\"Adv\""}, sink, Answer(Edition::Standard));
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(app.GetEdition(), Edition::Advanced);
    EXPECT_NE(dynamic_cast<CVarnobelAdvFrame*>(app.Frame()), nullptr);
    EXPECT_NE(dynamic_cast<CVarnobelAdvDoc*>(app.Document()), nullptr);
    EXPECT_NE(dynamic_cast<CVarnobelAdvView*>(app.Frame()->View()), nullptr);
    EXPECT_EQ(app.Frame()->PlacementSection(), "clientAdv");
    EXPECT_EQ(app.Frame()->ToolbarStateKey(), "ToolbarSettingsAdv");
    EXPECT_TRUE(app.Frame()->PrintAction()->isEnabled());
    EXPECT_TRUE(app.Frame()->PrintPreviewAction()->isEnabled());
    EXPECT_TRUE(sink.Empty());
}

TEST_F(StartupTest, WithoutAWordTheQuestionDecidesAndCancellingEndsTheStart) {
    {
        CVarnobelApp app({}, sink, Answer(Edition::Basic));
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(app.GetEdition(), Edition::Basic);
        EXPECT_NE(dynamic_cast<CVarnobelBasFrame*>(app.Frame()), nullptr);
        EXPECT_NE(dynamic_cast<CVarnobelBasDoc*>(app.Document()), nullptr);
        EXPECT_NE(dynamic_cast<CVarnobelBasView*>(app.Frame()->View()), nullptr);
        EXPECT_EQ(app.Frame()->ToolbarStateKey(), "ToolbarSettingsBas");
        // No file: an empty forecast.
        EXPECT_EQ(app.Frame()->windowTitle(), "Untitled - Varnobel Viewer");
    }
    CVarnobelApp app({}, sink, Answer(std::nullopt));
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(app.Frame(), nullptr);
}

TEST_F(StartupTest, AFileThatDoesNotOpenEndsTheStart) {
    const QString missing = QString::fromStdString((folder / "missing.cfs").string());
    CVarnobelApp app({missing, "Std"}, sink, Answer(std::nullopt));
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(sink.fileErrors.size(), 1u);
}

TEST_F(StartupTest, EachEditionKeepsItsOwnRecentFilesAndThePreviewSetting) {
    const QString first = WriteForecast("first.cfs");
    const QString second = WriteForecast("second.cfs");
    {
        QSettings settings(QStringLiteral("Varnobel Limited"), QStringLiteral("Varnobel Viewer"));
        settings.setValue("Recent File List Std/File1", QFileInfo(first).absoluteFilePath());
        settings.setValue("Recent File List Bas/File1", "/elsewhere/basic.cfb");
        settings.setValue("Settings/PreviewPages", 2);
    }
    {
        CVarnobelApp app({second, "Std"}, sink, Answer(std::nullopt));
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(app.PreviewPages(), 2);
        ASSERT_EQ(app.RecentFiles()->Files().size(), 2u);
        EXPECT_EQ(ToQString(app.RecentFiles()->Files()[0]), QFileInfo(second).absoluteFilePath());
        app.Frame()->close();
        app.ExitInstance();
    }
    QSettings settings(QStringLiteral("Varnobel Limited"), QStringLiteral("Varnobel Viewer"));
    EXPECT_EQ(settings.value("Recent File List Std/File1").toString(),
              QFileInfo(second).absoluteFilePath());
    EXPECT_EQ(settings.value("Recent File List Std/File2").toString(),
              QFileInfo(first).absoluteFilePath());
    EXPECT_EQ(settings.value("Recent File List Bas/File1").toString(), "/elsewhere/basic.cfb");
    EXPECT_EQ(settings.value("Settings/PreviewPages").toInt(), 2);
}

TEST_F(StartupTest, DamagedSettingsTakeTheirDefaults) {
    {
        QSettings settings(QStringLiteral("Varnobel Limited"), QStringLiteral("Varnobel Viewer"));
        settings.setValue("Settings/PreviewPages", "many");
    }
    CVarnobelApp app({"Std"}, sink, Answer(std::nullopt));
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.PreviewPages(), 0);

    QSettings settings(QStringLiteral("Varnobel Limited"), QStringLiteral("Varnobel Viewer"));
    settings.setValue("Settings/PreviewPages", -3);
    CVarnobelApp again({"Std"}, sink, Answer(std::nullopt));
    ASSERT_TRUE(again.InitInstance());
    EXPECT_EQ(again.PreviewPages(), 0);
}

TEST_F(StartupTest, TheSettingsFolderIsMadeAndASecondInstanceRunsAsWell) {
    QDir(CVarnobelApp::SettingsFolder()).removeRecursively();
    CVarnobelApp first({"Std"}, sink, Answer(std::nullopt));
    ASSERT_TRUE(first.InitInstance());
    EXPECT_TRUE(QFileInfo(CVarnobelApp::SettingsFolder()).isDir());
    EXPECT_TRUE(CVarnobelApp::SettingsFolder().endsWith("/Varnobel-View"));
    EXPECT_FALSE(first.AnotherInstanceRunning());

    CVarnobelApp second({"Std"}, sink, Answer(std::nullopt));
    ASSERT_TRUE(second.InitInstance());
    EXPECT_TRUE(second.AnotherInstanceRunning());
    EXPECT_TRUE(second.Frame()->isVisible());
    EXPECT_NE(first.Frame(), second.Frame());
}

} // namespace
