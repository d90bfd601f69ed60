#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include "platform/Profile.h"

namespace {

// Every test starts from an empty store in Qt's test location.
class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override { Store().clear(); }
    void TearDown() override { Store().clear(); }
    static QSettings Store() { return QSettings("Varnobel Limited", "Varnobel Viewer"); }
};

TEST_F(ProfileTest, ValuesSurviveANewProfile) {
    {
        Profile profile;
        EXPECT_TRUE(profile.WriteProfileInt("Settings", "UpdateCount", 3));
        EXPECT_TRUE(profile.WriteProfileInt("clientStd", "left", -1200));
        EXPECT_TRUE(profile.WriteProfileString("Recent File List Std", "File1",
                                               u"/home/ann/Caf\u00e9 \u20ac.cfs"));
        EXPECT_TRUE(profile.WriteProfileBinary("Settings", "ToolbarSettingsStd",
                                               std::string("\0\x01\xff", 3)));
        profile.Flush();
    }
    Profile profile;
    EXPECT_EQ(profile.GetProfileInt("Settings", "UpdateCount", 7), 3);
    EXPECT_EQ(profile.GetProfileInt("clientStd", "left", 0), -1200);
    EXPECT_EQ(profile.GetProfileString("Recent File List Std", "File1"),
              u"/home/ann/Caf\u00e9 \u20ac.cfs");
    EXPECT_EQ(profile.GetProfileBinary("Settings", "ToolbarSettingsStd"),
              std::string("\0\x01\xff", 3));
    // The organisation and application name the store.
    EXPECT_EQ(Store().value("Settings/UpdateCount").toInt(), 3);
}

TEST_F(ProfileTest, MissingValuesGiveTheDefaults) {
    Profile profile;
    EXPECT_EQ(profile.GetProfileInt("Settings", "UpdateCount", 7), 7);
    EXPECT_EQ(profile.GetProfileString("Settings", "Nothing", u"none"), u"none");
    EXPECT_EQ(profile.GetProfileBinary("Settings", "Nothing"), "");
    // Sections are kept apart.
    profile.WriteProfileString("Recent File List Adv", "File1", u"/a.cfa");
    EXPECT_EQ(profile.GetProfileString("Recent File List Std", "File1"), u"");
}

TEST_F(ProfileTest, ValuesOfTheWrongShapeGiveTheDefaults) {
    QSettings store = Store();
    store.setValue("Settings/UpdateCount", "seven");
    store.setValue("Settings/PreviewPages", "99999999999");
    store.setValue("Settings/Spaced", " 12 ");
    store.setValue("Settings/List", QStringList{"a", "b"});
    store.setValue("Settings/Bytes", QByteArray("12"));
    store.setValue("Settings/Word", "text");
    store.sync();

    Profile profile;
    EXPECT_EQ(profile.GetProfileInt("Settings", "UpdateCount", 7), 7);
    EXPECT_EQ(profile.GetProfileInt("Settings", "PreviewPages", 0), 0);
    EXPECT_EQ(profile.GetProfileInt("Settings", "Spaced", 0), 12);
    EXPECT_EQ(profile.GetProfileInt("Settings", "List", 5), 5);
    EXPECT_EQ(profile.GetProfileString("Settings", "List", u"d"), u"d");
    EXPECT_EQ(profile.GetProfileInt("Settings", "Bytes", 5), 5);
    EXPECT_EQ(profile.GetProfileBinary("Settings", "Word"), "");
}

TEST_F(ProfileTest, ADamagedStoreFileGivesTheDefaults) {
    const QString path = Store().fileName();
    // The store's folder exists only once something has been saved in it.
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[Settings]\nUpdateCount=@Variant(\\0\\0\\0\\x7f\\xff\\xff)\n"
                   "PreviewPages=@ByteArray(2)\n\xff\xfe\0[[=\n=\nFile1=@Invalid()\n",
                   80);
    }
    Profile profile;
    EXPECT_EQ(profile.GetProfileInt("Settings", "UpdateCount", 7), 7);
    EXPECT_EQ(profile.GetProfileInt("Settings", "PreviewPages", 0), 0);
    EXPECT_EQ(profile.GetProfileString("Settings", "File1", u"-"), u"-");
}

} // namespace
