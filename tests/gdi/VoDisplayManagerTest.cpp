#include "gdi/VoDisplayManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DisplayProbe.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoRenderer.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

using ::testing::ElementsAre;

class VoDisplayManagerTest : public ::testing::Test {
protected:
    VoDisplayManagerTest() : fManager(VoDisplayManager::GetInstance()) { EXPECT_NE(fManager, nullptr); }

    ProbeObject2D* Add(const char* apId, float aZ, bool* apDeleted = nullptr) {
        ProbeObject2D* probe = new ProbeObject2D(apId, &fJournal, apDeleted);
        probe->SetRelativeZ(aZ);
        EXPECT_TRUE(fManager->AddMember(probe));
        return probe;
    }

    RecordingEngine fEngine;
    VoDisplayManager* fManager;
    Journal fJournal;
};

// Asks for the display manager when it is deleted, as widgets that
// unregister themselves do.
class AsksOnTheWayOut : public ProbeObject2D {
public:
    AsksOnTheWayOut(bool* apAsked, VoDisplayManager** appSeen)
        : ProbeObject2D("asks"), fpAsked(apAsked), fppSeen(appSeen) {}
    ~AsksOnTheWayOut() override {
        *fpAsked = true;
        *fppSeen = VoDisplayManager::GetInstance();
    }

private:
    bool* fpAsked;
    VoDisplayManager** fppSeen;
};

}  // namespace

TEST_F(VoDisplayManagerTest, HoldsTheRootGroup) {
    EXPECT_EQ(VoDisplayManager::GetInstance(), fManager);
    ASSERT_NE(fManager->GetRootGroup(), nullptr);
    EXPECT_EQ(Narrow(fManager->GetRootGroup()->GetId()), "root");
    EXPECT_EQ(fManager->GetRenderer(), VoRenderer::GetInstance());
    EXPECT_EQ(Narrow(fManager->ToString()), "[VoDisplayManager <" + HexAddress(fManager) + ">]");
}

TEST_F(VoDisplayManagerTest, DrawsTheRootsMembersByZBetweenBeginAndEnd) {
    Add("ten", 10.0f);
    Add("five", 5.0f);
    RecordingRasterizer* raster = fEngine.Rasterizer();
    EXPECT_TRUE(fManager->Render());
    EXPECT_THAT(fJournal, ElementsAre("five", "ten"));
    // The renderer's first full-screen view, then BeginRender's eleven calls.
    EXPECT_EQ(raster->Calls().size(), 13u);
    EXPECT_EQ(raster->Calls()[2].Text(), "SetFillMode(2)");
}

TEST_F(VoDisplayManagerTest, RenderCallsAllThreeStepsAndAndsThem) {
    EXPECT_TRUE(fManager->Render());  // an empty root
    Add("a", 0.0f);
    fEngine.Rasterizer()->SetResult("SetFillMode", false);
    LogCapture log;
    EXPECT_FALSE(fManager->Render());
    EXPECT_THAT(fJournal, ElementsAre("a"));
    fEngine.Rasterizer()->SetResult("SetFillMode", true);
    static_cast<ProbeObject2D*>(fManager->GetRootGroup()->GetMember(VoString(u"a")))->fResult = false;
    EXPECT_FALSE(fManager->Render());
}

TEST_F(VoDisplayManagerTest, AddAndRemoveGoThroughTheRoot) {
    LogCapture log;
    EXPECT_FALSE(fManager->AddMember(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoDisplayManager::kAddNull));

    VoDisplayGroup unnamed;  // stays with the caller
    EXPECT_FALSE(fManager->AddMember(&unnamed));
    EXPECT_EQ(unnamed.GetGroup(), nullptr);

    ProbeObject2D* a = Add("a", 0.0f);
    ProbeObject2D* b = Add("b", 0.0f);
    EXPECT_TRUE(fManager->RemoveMember(a));
    VoIDisplayObject* removed = nullptr;
    EXPECT_TRUE(fManager->RemoveMember(VoString(u"b"), &removed));
    EXPECT_EQ(removed, b);
    EXPECT_EQ(fManager->GetRootGroup()->GetMemberCount(), 0);
    delete a;
    delete b;
}

TEST_F(VoDisplayManagerTest, ShutDownDeletesTheTreeAndLeavesNoManager) {
    bool deleted = false;
    bool asked = false;
    VoDisplayManager* seen = fManager;
    Add("a", 0.0f, &deleted);
    ASSERT_TRUE(fManager->AddMember(new AsksOnTheWayOut(&asked, &seen)));
    ASSERT_NE(fManager->GetRenderer(), nullptr);
    LogCapture log;
    fEngine.ShutDown();
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(asked);
    EXPECT_EQ(seen, nullptr);
    EXPECT_TRUE(log.Contains("~VoDisplayManager()"));
    EXPECT_TRUE(log.Contains("~VoRenderer()"));
    EXPECT_EQ(VoDisplayManager::GetInstance(), nullptr);
    EXPECT_EQ(VoRenderer::GetInstance(), nullptr);
}

TEST(VoDisplayManager, RenderWithoutARendererFails) {
    EngineWithoutRasterizer engine;
    VoDisplayManager* manager = VoDisplayManager::GetInstance();
    ASSERT_NE(manager, nullptr);
    LogCapture log;
    EXPECT_FALSE(manager->Render());
    EXPECT_TRUE(log.Logged("ERROR: ", VoDisplayManager::kNoRenderer));
    EXPECT_EQ(manager->GetRenderer(), nullptr);
    EXPECT_TRUE(log.Logged("ERROR: ", VoDisplayManager::kGetRendererFailure));
}
