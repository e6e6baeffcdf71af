#include "platform/VoNativePath.h"

#include <gtest/gtest.h>

#include <string>

TEST(VoNativePath, ToNarrowKeepsTheLowByteAndRefusesOneThatIsZero) {
    std::string narrow = "old";
    ASSERT_TRUE(VoNativePath::ToNarrow(VoString(u"a/\u00e9\u0141"), &narrow));
    EXPECT_EQ(narrow, std::string("a/\xe9\x41"));
    ASSERT_TRUE(VoNativePath::ToNarrow(VoString(), &narrow));
    EXPECT_EQ(narrow, "");
    // U+0100 would end the path at "a".
    EXPECT_FALSE(VoNativePath::ToNarrow(VoString(u"a\u0100b"), &narrow));
}
