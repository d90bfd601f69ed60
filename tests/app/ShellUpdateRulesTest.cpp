#include <gtest/gtest.h>

#include <climits>

#include "app/update/UpdateCheck.h"

namespace {

using namespace UpdateCheck;

TEST(UpdateRulesTest, TheVersionFileIsFourNumbersReadAsAtoiAndATrimmedName) {
    const struct {
        QByteArray bytes;
        int numbers[4];
        const char* name; // null: not a version file
    } cases[] = {
        {"1\r\n0\r\n6\r\n0\r\nsetup.bin\r\n", {1, 0, 6, 0}, "setup.bin"},
        {"2\n0\n0\n0\n \t Setup 2.bin  ", {2, 0, 0, 0}, "Setup 2.bin"},
        {"4abc\n  7x\n+3\n-2\n\n", {4, 7, 3, -2}, ""},
        {"x1\n\n.5\n- 4\nn\n", {0, 0, 0, 0}, "n"},
        // Only 19 characters count: the twentieth digit, or a digit after 19 blanks, is unseen.
        {"00000000000000000012\n                   5\n0\n0\nn\n", {1, 0, 0, 0}, "n"},
        {"99999999999\n-9999999999999999999\n2147483647\n-2147483648\nn\n",
         {INT_MAX, INT_MIN, INT_MAX, INT_MIN},
         "n"},
        {"", {}, nullptr},
        {"1\n0\n5\n4\n", {}, nullptr},
        {QByteArray("\x00\x01\x02\xff", 4), {}, nullptr},
        {"1\r0\r6\r0\rsetup.bin\r", {}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.left(40).toStdString());
        const std::optional<VersionFile> parsed = ParseVersionFile(c.bytes);
        ASSERT_EQ(parsed.has_value(), c.name != nullptr);
        if (!parsed)
            continue;
        EXPECT_EQ((std::vector{parsed->major, parsed->minor, parsed->build, parsed->revision}),
                  (std::vector(std::begin(c.numbers), std::end(c.numbers))));
        EXPECT_EQ(parsed->installer, c.name);
    }
    EXPECT_EQ(ParseVersionFile("1\n1\n0\n0\n" + QByteArray(300, 'a'))->installer,
              QString(254, u'a'));
}

TEST(UpdateRulesTest, OnlyABareFileNameIsFetchedAndKept) {
    for (const char* good : {"setup.bin", "Viewer Setup 1.0.6.exe", "...", "s\xc3\xa9tup.bin"})
        EXPECT_TRUE(IsBareFileName(QString::fromUtf8(good))) << good;
    for (const char* bad :
         {"", ".", "..", "../setup.bin", "/tmp/setup", "a\\setup", "set\tup", "setup\x7f",
          "a\xc2\x85"
          "b",
          "set\xffup.bin"})
        EXPECT_FALSE(IsBareFileName(QString::fromUtf8(bad))) << bad;
}

TEST(UpdateRulesTest, TheFirstNumberThatDiffersDecidesWithoutOverflow) {
    EXPECT_LT(CompareWithOwnVersion({1, 0, 4, 99, "n"}), 0);
    EXPECT_LT(CompareWithOwnVersion({1, -1, 9, 9, "n"}), 0);
    EXPECT_LT(CompareWithOwnVersion({INT_MIN, 0, 0, 0, "n"}), 0);
    EXPECT_GT(CompareWithOwnVersion({1, 0, 5, INT_MAX, "n"}), 0);
    EXPECT_EQ(VersionText({2, -1, 0, 12, "n"}), "V2.-1.0.12");
}

TEST(UpdateRulesTest, OnlyHttpsOrTheLoopbackServesUpdatesAndNamesStayInTheFolder) {
    const struct {
        const char* setting;
        const char* folder; // null: the check is off
    } cases[] = {
        {"", nullptr},
        {"https://updates.example/files", "https://updates.example/files/"},
        {"http://127.0.0.1:8080/files/", "http://127.0.0.1:8080/files/"},
        {"HTTP://LocalHost/files/", "http://localhost/files/"},
        {"http://updates.example/files/", nullptr},
        {"http://127.0.0.2/files/", nullptr},
        {"ftp://127.0.0.1/files/", nullptr},
        {"file:///tmp/files/", nullptr},
        {"files/", nullptr},
        {"https://exa mple/files/", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<QUrl> folder = ServerFolder(QString::fromLatin1(c.setting));
        ASSERT_EQ(folder.has_value(), c.folder != nullptr) << c.setting;
        if (folder) {
            EXPECT_EQ(folder->toString(), c.folder);
        }
    }
    const QUrl folder(QStringLiteral("https://updates.example/files/"));
    EXPECT_EQ(FileUrl(folder, QStringLiteral("a b#c?d:e.bin")).toString(QUrl::FullyEncoded),
              "https://updates.example/files/a%20b%23c%3Fd%3Ae.bin");
}

TEST(UpdateRulesTest, ProgressIsCountedInQuartersAndFitsAnInt) {
    EXPECT_FALSE(ProgressFor(100, -1).has_value());
    EXPECT_EQ(ProgressFor(1001, 4003)->maximum, 1000);
    EXPECT_EQ(ProgressFor(1001, 4003)->position, 250);
    EXPECT_EQ(ProgressFor(9000, 4000)->position, 1000);
    // 1 TiB: a quarter is 2^38, halved eight times to 2^30.
    EXPECT_EQ(ProgressFor(qint64(1) << 39, qint64(1) << 40)->maximum, 1 << 30);
    EXPECT_EQ(ProgressFor(qint64(1) << 39, qint64(1) << 40)->position, 1 << 29);
}

} // namespace
