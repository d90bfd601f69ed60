#include <gtest/gtest.h>

#include <string>

#include "core/BaseStruct.h"

using BaseStruct::Currency;
using BaseStruct::List;
using BaseStruct::Object;
using BaseStruct::String;

namespace {

// Records its own deletion, so a test can see when the last reference went.
class Probe : public Object {
  public:
    explicit Probe(bool& deleted) : deleted_(deleted) {}
    ~Probe() override { deleted_ = true; }

  private:
    bool& deleted_;
};

} // namespace

TEST(BaseStructString, HashIsFnv1aOverSignExtendedBytes) {
    EXPECT_EQ(String().Hash(), 0x811C9DC5u);
    EXPECT_EQ(String("a", -1).Hash(), 0xE40C292Cu); // the published FNV-1a value of "a"

    // 0xE9 enters as 0xFFFFFFE9: 0x811C9DC5 ^ 0xFFFFFFE9 = 0x7EE3622C;
    // × 16777619 = × 0x01000193 = 0x7EE3622C × 0x193 + (0x7EE3622C << 24)
    //   = 0xC7'BFF38B44 + 0x7EE3622C'000000 → low word 0xBFF38B44 + 0x2C000000 = 0xEBF38B44.
    EXPECT_EQ(String("\xE9", -1).Hash(), 0xEBF38B44u);
}

TEST(BaseStructString, EqualityNeedsTheSameBytesAndLength) {
    const String abc("abc", -1);
    const String ab("abc", 2);
    EXPECT_TRUE(abc.Equals(String("abc", 3)));
    EXPECT_FALSE(abc.Equals(ab)); // a prefix is not equal
    EXPECT_FALSE(ab.Equals(abc));
    EXPECT_FALSE(abc.Equals(String("abC", -1))); // case counts
    EXPECT_FALSE(String().Equals(Currency(0)));
}

TEST(BaseStructString, AssignAndAppendTakeALengthOrTheWholeText) {
    String s("hello world", 5);
    EXPECT_STREQ(s.Raw(), "hello");
    EXPECT_EQ(s.Length(), 5);
    s.Append(" there", -1);
    EXPECT_STREQ(s.Raw(), "hello there");
    s.Append("!?", 1);
    EXPECT_STREQ(s.Raw(), "hello there!");
    s.Assign("xyz", 2);
    EXPECT_STREQ(s.Raw(), "xy");
    EXPECT_EQ(s.Length(), 2);
    // Assigning part of its own text is safe.
    s.Assign(s.Raw() + 1, -1);
    EXPECT_STREQ(s.Raw(), "y");
    s.Assign(nullptr, -1);
    EXPECT_EQ(s.Length(), 0);
}

TEST(BaseStructString, WideTextUsesTheWestern1252CodePage) {
    // é is 0xE9 and € is 0x80 in Windows-1252; one byte per wide character.
    const String s(Text(u"Caf\u00E9 \u20AC"));
    EXPECT_EQ(s.Length(), 6);
    EXPECT_EQ(std::string(s.Raw()), "Caf\xE9 \x80");
    EXPECT_EQ(s.Wide(), u"Caf\u00E9 \u20AC");
    EXPECT_EQ(String(Text(u"\u4E2D")).Length(), 1); // outside the code page: still one byte
}

TEST(BaseStructCurrency, SameLowWordHashesAlikeButDiffers) {
    const Currency zero(0);
    const Currency high(0x100000000LL);
    // 0x811C9DC5 × 16777619 mod 2^32: FNV-1a of one zero byte, 0x050C5D1F.
    EXPECT_EQ(zero.Hash(), 0x050C5D1Fu);
    EXPECT_EQ(high.Hash(), zero.Hash());
    EXPECT_FALSE(zero.Equals(high));
    EXPECT_TRUE(high.Equals(Currency(0x100000000LL)));
    EXPECT_FALSE(zero.Equals(String()));
}

TEST(BaseStructObject, ReleaseOfTheLastReferenceDeletes) {
    bool deleted = false;
    auto* probe = new Probe(deleted);
    EXPECT_EQ(probe->RefCount(), 1);
    probe->AddRef();
    probe->Release();
    EXPECT_FALSE(deleted);
    probe->Release();
    EXPECT_TRUE(deleted);
}

TEST(BaseStructList, EachListHoldsOneReference) {
    bool deleted = false;
    auto* element = new Probe(deleted);
    auto* first = new List;
    auto* second = new List;
    first->Append(element);
    second->Append(element);
    EXPECT_EQ(element->RefCount(), 3);

    first->Clear();
    EXPECT_EQ(first->Count(), 0);
    second->Release(); // deleting a list releases its elements too
    EXPECT_EQ(element->RefCount(), 1);
    EXPECT_FALSE(deleted);

    first->Append(element);
    element->Release();
    EXPECT_FALSE(deleted); // the list keeps it alive
    first->Release();
    EXPECT_TRUE(deleted);
}

TEST(BaseStructList, ElementAtWalksFromTheHeadAndAddsAReference) {
    List list;
    String* texts[3] = {new String("a", -1), new String("b", -1), new String("c", -1)};
    for (String* text : texts) {
        list.Append(text);
        text->Release();
    }
    ASSERT_EQ(list.Count(), 3);

    Object* second = list.At(1);
    ASSERT_EQ(second, texts[1]);
    EXPECT_EQ(second->RefCount(), 2);
    second->Release();

    EXPECT_EQ(list.At(3), nullptr); // index = count
    EXPECT_EQ(list.At(-1), nullptr);

    List::Iterator it(list);
    std::string order;
    while (Object* object = it.Next())
        order += static_cast<String*>(object)->Raw();
    EXPECT_EQ(order, "abc");
}
