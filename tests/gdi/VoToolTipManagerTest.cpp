#include "gdi/VoToolTipManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FontProbe.h"
#include "WidgetProbes.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoTextArea.h"
#include "gdi/VoToolTip.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

using ::testing::IsEmpty;

class VoToolTipManagerTest : public ::testing::Test {
protected:
    VoDisplayGroup* Root() { return fDisplay->GetRootGroup(); }

    RecordingEngine fEngine;
    VoDisplayManager* fDisplay = VoDisplayManager::GetInstance();
    VoToolTipManager* fManager = VoToolTipManager::GetInstance();
    FixedFont fFont;
};

}  // namespace

TEST_F(VoToolTipManagerTest, CreatesTooltipsInTheRootAndRefusesADuplicateId) {
    ASSERT_NE(fManager, nullptr);
    EXPECT_EQ(VoToolTipManager::GetInstance(), fManager);
    VoToolTip* tip = fManager->CreateToolTip(&fFont, VoString(u"tip"), 50.0f);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(Narrow(tip->GetId()), "tip");
    EXPECT_FLOAT_EQ(tip->GetRelativeZ(), 50.0f);
    EXPECT_EQ(tip->GetGroup(), Root());
    EXPECT_EQ(tip->GetTextArea()->GetFont(), &fFont);
    EXPECT_EQ(fManager->GetToolTip(VoString(u"tip")), tip);
    EXPECT_EQ(fManager->GetToolTip(VoString(u"Tip")), nullptr);

    LogCapture log;
    EXPECT_EQ(fManager->CreateToolTip(&fFont, VoString(u"tip"), 0.0f), nullptr);
    EXPECT_TRUE(log.Logged("ERROR: ", "CreateToolTip failure. Duplicate id:tip"));
    EXPECT_EQ(Root()->GetMemberCount(), 1);
}

// The root holds another "taken": the new tooltip is not listed and is deleted.
TEST_F(VoToolTipManagerTest, ATooltipTheRootRefusesIsDeletedAndUnlisted) {
    VoDisplayGroup* taken = new VoDisplayGroup();
    taken->SetId(VoString(u"taken"));
    ASSERT_TRUE(fDisplay->AddMember(taken));

    LogCapture log;
    EXPECT_EQ(fManager->CreateToolTip(&fFont, VoString(u"taken"), 0.0f), nullptr);
    EXPECT_TRUE(log.Logged("ERROR: ", "AddGroup failure:taken"));
    EXPECT_FALSE(log.Contains("ASSERT FAILURE"));
    EXPECT_EQ(fManager->GetToolTipCount(), 0);
    EXPECT_EQ(Root()->GetMember(VoString(u"taken")), taken);
    EXPECT_EQ(Root()->GetMemberCount(), 1);
}

TEST_F(VoToolTipManagerTest, RemoveHandsTheTooltipBackOutOfTheRoot) {
    VoToolTip* tip = fManager->CreateToolTip(&fFont, VoString(u"tip"), 0.0f);
    ASSERT_NE(tip, nullptr);
    EXPECT_FALSE(fManager->RemoveToolTip(VoString(u"other"), nullptr));

    VoToolTip* out = nullptr;
    ASSERT_TRUE(fManager->RemoveToolTip(VoString(u"tip"), &out));
    EXPECT_EQ(out, tip);
    EXPECT_EQ(tip->GetGroup(), nullptr);
    EXPECT_EQ(Root()->GetMemberCount(), 0);
    EXPECT_EQ(fManager->GetToolTip(VoString(u"tip")), nullptr);
    EXPECT_FALSE(fManager->RemoveToolTip(VoString(u"tip"), nullptr));

    LogCapture log;
    delete tip;
    EXPECT_THAT(log.Lines(), IsEmpty());
    // The id is free again.
    EXPECT_NE(fManager->CreateToolTip(&fFont, VoString(u"tip"), 0.0f), nullptr);
}

TEST_F(VoToolTipManagerTest, ADeletedTooltipLeavesTheListButOnlyItsOwnEntry) {
    VoToolTip* tip = fManager->CreateToolTip(&fFont, VoString(u"tip"), 0.0f);
    ASSERT_NE(tip, nullptr);
    // A tooltip of the same id made outside the manager.
    {
        VoToolTip stranger;
        stranger.SetId(VoString(u"tip"));
    }
    EXPECT_EQ(fManager->GetToolTip(VoString(u"tip")), tip);
    EXPECT_EQ(tip->GetGroup(), Root());

    LogCapture log;
    delete tip;
    EXPECT_EQ(fManager->GetToolTipCount(), 0);
    EXPECT_EQ(Root()->GetMemberCount(), 0);
    EXPECT_THAT(log.Lines(), IsEmpty());
}

TEST_F(VoToolTipManagerTest, ShutDownWithLiveTooltipsLogsNoError) {
    ASSERT_NE(fManager->CreateToolTip(&fFont, VoString(u"a"), 0.0f), nullptr);
    ASSERT_NE(fManager->CreateToolTip(&fFont, VoString(u"b"), 0.0f), nullptr);
    LogCapture log;
    fEngine.ShutDown();
    EXPECT_FALSE(log.Contains("ERROR"));
    EXPECT_FALSE(log.Contains("ASSERT"));
    EXPECT_EQ(VoToolTipManager::GetInstance(), nullptr);
}
