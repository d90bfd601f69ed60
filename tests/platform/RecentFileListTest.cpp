#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>

#include "platform/Profile.h"
#include "platform/QtText.h"
#include "platform/RecentFileList.h"

namespace {

bool HasUnpairedSurrogate(const Text& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
        const bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
        const bool nextLow = i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if ((high && !nextLow) ||
            (low && (i == 0 || text[i - 1] < 0xD800 || text[i - 1] > 0xDBFF))) {
            return true;
        }
    }
    return false;
}

TEST(RecentFileListTest, MostRecentFirstWithoutRepeatsAndAtMostFour) {
    RecentFileList list("Recent File List Std");
    for (const char16_t* path : {u"/f/a.cfs", u"/f/b.cfs", u"/f/c.cfs", u"/f/d.cfs", u"/f/e.cfs"}) {
        list.Add(path);
    }
    EXPECT_EQ(list.Files(),
              (std::vector<Text>{u"/f/e.cfs", u"/f/d.cfs", u"/f/c.cfs", u"/f/b.cfs"}));
    // Opening a listed file again moves it up; the same file written another way is the same.
    list.Add(u"/f/./x/../c.cfs");
    EXPECT_EQ(list.Files(),
              (std::vector<Text>{u"/f/c.cfs", u"/f/e.cfs", u"/f/d.cfs", u"/f/b.cfs"}));
    list.Add(u"");
    EXPECT_EQ(list.Files().size(), 4u);
    list.Remove(1);
    list.Remove(-1);
    list.Remove(3);
    EXPECT_EQ(list.Files(), (std::vector<Text>{u"/f/c.cfs", u"/f/d.cfs", u"/f/b.cfs"}));
    EXPECT_EQ(list.DisplayName(7), u"");
    // Menus show at most the list's display length.
    RecentFileList narrow("Recent File List Std", 4, 12);
    narrow.Add(u"/home/user/forecasts/2024/plan.cfs");
    EXPECT_EQ(narrow.DisplayName(0), u".../plan.cfs");
}

TEST(RecentFileListTest, RelativeNamesAreMadeAbsolute) {
    RecentFileList list("Recent File List Bas");
    list.Add(u"plan.cfb");
    EXPECT_EQ(list.Files().front(), ToText(QDir::currentPath()) + u"/plan.cfb");
}

TEST(RecentFileListTest, SavedAndLoadedPerEdition) {
    QSettings("Varnobel Limited", "Varnobel Viewer").clear();
    Profile profile;
    RecentFileList saved("Recent File List Std");
    saved.Add(u"/f/old.cfs");
    saved.Add(u"/f/new.cfs");
    saved.Save(profile);
    EXPECT_EQ(profile.GetProfileString("Recent File List Std", "File1"), u"/f/new.cfs");
    EXPECT_EQ(profile.GetProfileString("Recent File List Std", "File3", u"-"), u"");

    RecentFileList loaded("Recent File List Std");
    loaded.Add(u"/f/stale.cfs");
    loaded.Load(profile);
    EXPECT_EQ(loaded.Files(), (std::vector<Text>{u"/f/new.cfs", u"/f/old.cfs"}));
    RecentFileList other("Recent File List Adv");
    other.Load(profile);
    EXPECT_TRUE(other.Files().empty());

    // Gaps and repeats in the store are dropped, order kept.
    profile.WriteProfileString("Recent File List Adv", "File1", u"/f/a.cfa");
    profile.WriteProfileString("Recent File List Adv", "File3", u"/f/a.cfa");
    profile.WriteProfileString("Recent File List Adv", "File4", u"/f/b.cfa");
    other.Load(profile);
    EXPECT_EQ(other.Files(), (std::vector<Text>{u"/f/a.cfa", u"/f/b.cfa"}));
    QSettings("Varnobel Limited", "Varnobel Viewer").clear();
}

TEST(RecentFileListTest, ShortensLeadingFoldersFirst) {
    EXPECT_EQ(RecentFileList::Abbreviate(u"/home/ann/plan.cfs", 30), u"/home/ann/plan.cfs");
    const Text thirty = u"/home/ann/forecasts/p2024.cfs1";
    ASSERT_EQ(thirty.size(), 30u);
    EXPECT_EQ(RecentFileList::Abbreviate(thirty, 30), thirty);
    // 34 characters: "/" + "..." + "/user/forecasts/2024/plan.cfs" would be 33, so the next
    // folder goes too: 1 + 3 + 24 = 28.
    EXPECT_EQ(RecentFileList::Abbreviate(u"/home/user/forecasts/2024/plan.cfs", 30),
              u"/.../forecasts/2024/plan.cfs");
    // 45 characters: "C:\" kept; "\Forecasts\plan.cfs" (19) is the longest tail that fits.
    EXPECT_EQ(RecentFileList::Abbreviate(u"C:\\Users\\someone\\Documents\\Forecasts\\plan.cfs", 30),
              u"C:\\...\\Forecasts\\plan.cfs");
}

TEST(RecentFileListTest, ALongFileNameLosesItsMiddle) {
    // 26 + 10 + 4 = 40 characters; 27 kept around "...": 13 before, 14 after.
    const Text name = u"abcdefghijklmnopqrstuvwxyz0123456789.cfs";
    EXPECT_EQ(RecentFileList::Abbreviate(u"/data/" + name, 30), u"abcdefghijklm...0123456789.cfs");
    EXPECT_EQ(RecentFileList::Abbreviate(name, 30), u"abcdefghijklm...0123456789.cfs");
    // 32 characters; "C:\...\" + 25 would be 32, so the root goes as well: 4 + 25 = 29.
    EXPECT_EQ(RecentFileList::Abbreviate(u"C:\\dir\\" + name.substr(15), 30),
              u"...\\" + name.substr(15));
    // 34 characters; "...\" + 27 would be 31, so the name alone, whole as it fits.
    EXPECT_EQ(RecentFileList::Abbreviate(u"C:\\dir\\" + name.substr(13), 30), name.substr(13));
    // With a short root only the folders go: "/" + "..." + "/" + 20 characters.
    EXPECT_EQ(RecentFileList::Abbreviate(u"/a/very/long/path/of/folders/" + name.substr(20), 30),
              u"/.../" + name.substr(20));
}

TEST(RecentFileListTest, ShorteningNeverSplitsACharacter) {
    Text faces;
    for (int i = 0; i < 20; ++i) {
        faces += u"\U0001F600";
    }
    for (const Text& path : {u"/x/" + faces, faces, u"/\U0001F600/" + faces + u".cfs"}) {
        for (int limit : {0, 2, 3, 4, 29, 30}) {
            const Text shown = RecentFileList::Abbreviate(path, limit);
            EXPECT_LE(shown.size(), static_cast<std::size_t>(limit));
            EXPECT_FALSE(HasUnpairedSurrogate(shown)) << limit;
        }
    }
}

} // namespace
