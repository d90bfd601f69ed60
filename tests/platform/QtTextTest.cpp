#include <gtest/gtest.h>

#include "platform/QtText.h"

namespace {

// Names read from a file may hold anything UTF-16 can: characters beyond the first plane, a
// surrogate without its partner, a NUL in the middle. None of it may be lost or cut short.
TEST(QtText, EveryCodeUnitCrossesBothWays) {
    const Text text{u'C', u'a', u'f', 0x00E9, 0xD83D, 0xDE00, 0xDC00, 0, u'x'};
    const QString converted = ToQString(text);
    ASSERT_EQ(converted.size(), 9);
    EXPECT_EQ(converted.at(3), QChar(0x00E9));
    EXPECT_EQ(converted.at(6), QChar(0xDC00));
    EXPECT_EQ(converted.at(8), QChar(u'x'));
    EXPECT_EQ(ToText(converted), text);
    EXPECT_TRUE(ToQString(Text()).isEmpty());
    EXPECT_TRUE(ToText(QString()).empty());
}

} // namespace
