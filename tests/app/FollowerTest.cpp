#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QFileSystemWatcher>
#include <QSignalSpy>
#include <QTest>

#include "app/frame/FileFollower.h"
#include "document/SmallForecast.h"

namespace {

constexpr int kWaitMs = 5000;

// A follower of one file in a fresh folder that records what every read found.
class FollowerTest : public ::testing::Test {
protected:
    FollowerTest()
        : follower([this](const QString& path) { reads.push_back(ReadText(path)); },
                   [this] {
                       ++busyAsked;
                       return busy;
                   }) {
        follower.SetQuietInterval(100);
        Write("one");
        follower.Follow(Path());
    }

    static std::string ReadText(const QString& path) {
        std::ifstream in(path.toStdString(), std::ios::binary);
        if (!in)
            return "<missing>";
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    QString Path() const { return QString::fromStdString(file.string()); }

    // Writes in place, as a plain save does.
    void Write(const std::string& text) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << text;
    }

    // Writes a new file and renames it over the followed one, as careful editors save.
    void Replace(const std::string& text) {
        const auto temporary = folder / "forecast.cfs.tmp";
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out << text;
        }
        std::filesystem::rename(temporary, file);
    }

    bool WaitForReads(std::size_t count) {
        return QTest::qWaitFor([&] { return reads.size() >= count && !follower.Pending(); },
                               kWaitMs);
    }

    SmallForecast::TempFolder folder;
    std::filesystem::path file = folder / "forecast.cfs";
    std::vector<std::string> reads;
    bool busy = false;
    int busyAsked = 0;
    FileFollower follower;
};

TEST_F(FollowerTest, ReadsTheFileAfterEachSaveInPlaceOrByRename) {
    EXPECT_EQ(follower.Path(), QString::fromStdString(file.string()));
    EXPECT_FALSE(follower.Pending());

    Write("two");
    ASSERT_TRUE(WaitForReads(1));
    EXPECT_EQ(reads.back(), "two");

    Replace("three");
    ASSERT_TRUE(WaitForReads(2));
    EXPECT_EQ(reads.back(), "three");

    // The file renamed into place is the one watched now.
    Write("four");
    ASSERT_TRUE(WaitForReads(3));
    EXPECT_EQ(reads, (std::vector<std::string>{"two", "three", "four"}));
}

TEST_F(FollowerTest, AFileWrittenInTwoStepsIsReadOnceWhole) {
    follower.SetQuietInterval(FileFollower::kDefaultQuietMs);
    Write("half");
    ASSERT_TRUE(QTest::qWaitFor([&] { return follower.Pending(); }, kWaitMs));
    EXPECT_TRUE(reads.empty());
    Write("half and the rest");
    ASSERT_TRUE(WaitForReads(1));
    EXPECT_EQ(reads, std::vector<std::string>{"half and the rest"});
}

TEST_F(FollowerTest, ARemovedFileIsTriedOnceAndFollowedAgainWhenItReturns) {
    std::filesystem::remove(file);
    ASSERT_TRUE(WaitForReads(1));
    EXPECT_EQ(reads.back(), "<missing>");

    // Other files coming and going in the folder are no reason to try again.
    auto* watcher = follower.findChild<QFileSystemWatcher*>();
    ASSERT_NE(watcher, nullptr);
    QSignalSpy folderChanges(watcher, &QFileSystemWatcher::directoryChanged);
    std::ofstream(folder / "other.txt") << "x";
    ASSERT_TRUE(folderChanges.wait(kWaitMs));
    EXPECT_FALSE(follower.Pending());

    Write("back");
    ASSERT_TRUE(WaitForReads(2));
    EXPECT_EQ(reads, (std::vector<std::string>{"<missing>", "back"}));
}

TEST_F(FollowerTest, WaitsWhileBusyAndReadsOnceFree) {
    busy = true;
    Write("during a print");
    ASSERT_TRUE(QTest::qWaitFor([&] { return busyAsked >= 2; }, kWaitMs));
    EXPECT_TRUE(reads.empty());
    EXPECT_TRUE(follower.Pending());

    busy = false;
    ASSERT_TRUE(WaitForReads(1));
    EXPECT_EQ(reads, std::vector<std::string>{"during a print"});
}

TEST_F(FollowerTest, SwitchedOffItReadsNothingUntilSwitchedOnAgain) {
    follower.SetEnabled(false);
    EXPECT_FALSE(follower.IsEnabled());
    Write("while off");
    auto* watcher = follower.findChild<QFileSystemWatcher*>();
    ASSERT_NE(watcher, nullptr);
    EXPECT_TRUE(watcher->files().isEmpty() && watcher->directories().isEmpty());
    EXPECT_FALSE(follower.Pending());

    // What changed meanwhile is read once it is switched on.
    follower.SetEnabled(true);
    ASSERT_TRUE(WaitForReads(1));
    EXPECT_EQ(reads, std::vector<std::string>{"while off"});

    // Nothing changed since: switching off and on reads nothing.
    follower.SetEnabled(false);
    follower.SetEnabled(true);
    EXPECT_FALSE(follower.Pending());

    // Following nothing watches nothing.
    follower.Stop();
    EXPECT_TRUE(follower.Path().isEmpty());
    EXPECT_TRUE(watcher->files().isEmpty() && watcher->directories().isEmpty());
}

} // namespace
