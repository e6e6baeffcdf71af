#include "geometry/VoLine3.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/GeometryTestSupport.h"

using testing::ElementsAre;

TEST(VoLine3, SegmentRayAndLineExtents) {
    VoLine3 line;
    ASSERT_TRUE(line.Set(VoVector3(0.0f, 0.0f, 0.0f), VoVector3(2.0f, 2.0f, 2.0f), VoLine3::kSegment));
    EXPECT_TRUE(line.IsInExtent(VoVector3(1.0f, 1.0f, 1.0f)));
    EXPECT_TRUE(line.IsInExtent(VoVector3(2.0f, 2.0f, 2.0f)));
    EXPECT_TRUE(line.IsInExtent(VoVector3(0.0f, 0.0f, 0.0f)));
    EXPECT_FALSE(line.IsInExtent(VoVector3(3.0f, 3.0f, 3.0f)));
    EXPECT_FALSE(line.IsInExtent(VoVector3(-1.0f, -1.0f, -1.0f)));
    line.type = VoLine3::kRay;
    EXPECT_TRUE(line.IsInExtent(VoVector3(3.0f, 3.0f, 3.0f)));
    EXPECT_FALSE(line.IsInExtent(VoVector3(-1.0f, -1.0f, -1.0f)));
    line.type = VoLine3::kLine;
    EXPECT_TRUE(line.IsInExtent(VoVector3(3.0f, 3.0f, 3.0f)));
    EXPECT_TRUE(line.IsInExtent(VoVector3(-1.0f, -1.0f, -1.0f)));
}

TEST(VoLine3, ZeroDirectionComponentCountsAsNonNegative) {
    VoLine3 line;
    line.Set(VoVector3(0.0f, 0.0f, 0.0f), VoVector3(2.0f, 0.0f, 2.0f), VoLine3::kSegment);
    EXPECT_TRUE(line.IsInExtent(VoVector3(1.0f, 0.0f, 1.0f)));
    EXPECT_FALSE(line.IsInExtent(VoVector3(1.0f, -0.5f, 1.0f)));
}

TEST(VoLine3, NegativeDirectionsTestAgainstTheirOwnSign) {
    VoLine3 line;
    line.Set(VoVector3(0.0f, 0.0f, 0.0f), VoVector3(-2.0f, 1.0f, 0.0f), VoLine3::kSegment);
    EXPECT_TRUE(line.IsInExtent(VoVector3(-1.0f, 0.5f, 0.0f)));
    EXPECT_FALSE(line.IsInExtent(VoVector3(1.0f, -0.5f, 0.0f)));
}

TEST(VoLine3, SetFromDirectionRefusesANearZeroDirection) {
    VoLine3 line;
    line.Set(VoVector3(1.0f, 1.0f, 1.0f), VoVector3(2.0f, 2.0f, 2.0f), VoLine3::kRay);
    EXPECT_FALSE(line.SetFromDirection(VoVector3(5.0f, 5.0f, 5.0f), VoVector3(0.0f, 0.00001f, 0.0f),
                                       VoLine3::kSegment));
    EXPECT_EQ(line.start, VoVector3());
    EXPECT_EQ(line.end, VoVector3());
    EXPECT_EQ(line.type, VoLine3::kRay);

    EXPECT_TRUE(line.SetFromDirection(VoVector3(5.0f, 5.0f, 5.0f), VoVector3(0.0f, 0.0001f, 0.0f),
                                      VoLine3::kSegment));
    EXPECT_EQ(line.start, VoVector3(5.0f, 5.0f, 5.0f));
    EXPECT_EQ(line.end, VoVector3(5.0f, 5.0f, 5.0f) + VoVector3(0.0f, 0.0001f, 0.0f));
    EXPECT_EQ(line.type, VoLine3::kSegment);
}

TEST(VoLine3, ReadAndWriteAreNotImplemented) {
    LogCapture log;
    VoLine3 line;
    EXPECT_FALSE(line.Read(nullptr));
    EXPECT_FALSE(line.Write(nullptr));
    EXPECT_THAT(log.Lines(), ElementsAre(IsAssertFailure("NYI."), IsAssertFailure("NYI.")));
}
