#include "stdlib/VoEndian.h"

#include <gtest/gtest.h>

#include <cstring>

#include "container/VoString.h"
#include "stdlib/VoCleaner.h"
#include "support/ScopedEngine.h"

namespace {

std::uint32_t Bits(float aValue) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &aValue, sizeof bits);
    return bits;
}

}  // namespace

TEST(VoEndian, DetectsTheHostOrder) {
    const std::uint32_t probe = 0x01020304u;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    ScopedEngine engine;
    ASSERT_NE(VoEndian::GetInstance(), nullptr);
    EXPECT_EQ(VoEndian::GetInstance()->IsLittleEndian(), first == 0x04);
}

TEST(VoEndian, ConversionsFollowTheHostOrder) {
    ScopedEngine engine;
    VoEndian* endian = VoEndian::GetInstance();
    ASSERT_NE(endian, nullptr);
    const std::int32_t value = 0x01020304;
    const std::int32_t swapped = 0x04030201;
    const std::int16_t shortValue = 0x0102;
    const std::int16_t shortSwapped = 0x0201;
    const bool little = endian->IsLittleEndian();
    EXPECT_EQ(endian->fpIntToLittleEndian(value), little ? value : swapped);
    EXPECT_EQ(endian->fpIntToBigEndian(value), little ? swapped : value);
    EXPECT_EQ(endian->fpShortToLittleEndian(shortValue), little ? shortValue : shortSwapped);
    EXPECT_EQ(endian->fpShortToBigEndian(shortValue), little ? shortSwapped : shortValue);
    const float one = 1.0f;
    EXPECT_EQ(Bits(endian->fpFloatToLittleEndian(one)), little ? 0x3F800000u : 0x0000803Fu);
    EXPECT_EQ(Bits(endian->fpFloatToBigEndian(one)), little ? 0x0000803Fu : 0x3F800000u);
}

TEST(VoEndian, TheInstanceBelongsToTheEngineCleaner) {
    VoCleaner::ResetEngineForTests();
    ASSERT_NE(VoCleaner::GetInstance(), nullptr);
    VoEndian* endian = VoEndian::GetInstance();
    ASSERT_NE(endian, nullptr);
    EXPECT_EQ(VoEndian::GetInstance(), endian);
    EXPECT_EQ(endian->ToString().Find(u"[VoEndian <"), 0);
    delete VoCleaner::PeekInstance();
    EXPECT_EQ(VoEndian::GetInstance(), nullptr);
    // Gone for the rest of the run, even for a new engine cleaner; only a
    // new start of the engine makes one again.
    ASSERT_NE(VoCleaner::GetInstance(), nullptr);
    EXPECT_EQ(VoEndian::GetInstance(), nullptr);
    VoCleaner::ResetEngineForTests();
    EXPECT_NE(VoEndian::GetInstance(), nullptr);
    delete VoCleaner::PeekInstance();
}
