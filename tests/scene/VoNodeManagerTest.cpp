#include "scene/VoNodeManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/VoNodeGroup.h"
#include "support/LogCapture.h"
#include "support/ScopedEngine.h"
#include "support/TestText.h"

namespace {

// A group that writes its id to a shared list when drawn and answers as told.
class ProbeGroup : public VoNodeGroup {
public:
    ProbeGroup(const char16_t* apId, std::vector<std::string>* apDrawn) : fpDrawn(apDrawn) {
        SetNodeId(VoString(apId));
    }
    bool Render() override {
        fpDrawn->push_back(Narrow(GetNodeId()));
        return fResult;
    }

    std::vector<std::string>* fpDrawn;
    bool fResult = true;
};

class VoNodeManagerTest : public ::testing::Test {
protected:
    ScopedEngine fEngine;
    VoNodeManager* fManager = VoNodeManager::GetInstance();
    std::vector<std::string> fDrawn;
};

}  // namespace

TEST_F(VoNodeManagerTest, GroupsRenderInTheOrderAddedAndTheResultsAreAnded) {
    ASSERT_NE(fManager, nullptr);
    EXPECT_EQ(VoNodeManager::GetInstance(), fManager);
    EXPECT_TRUE(fManager->Render());
    ProbeGroup scene(u"scenegroup", &fDrawn);
    ProbeGroup overlay(u"overlay", &fDrawn);
    ProbeGroup cast(u"cast", &fDrawn);
    for (ProbeGroup* group : {&scene, &overlay, &cast}) {
        ASSERT_TRUE(fManager->AddGroup(group));
    }
    overlay.fResult = false;
    EXPECT_FALSE(fManager->Render());
    EXPECT_EQ(fDrawn, (std::vector<std::string>{"scenegroup", "overlay", "cast"}));
    EXPECT_EQ(fManager->GetGroup(VoString(u"cast")), &cast);
    EXPECT_EQ(Narrow(fManager->ToString()), "[VoNodeManager <" + HexAddress(fManager) + ">]");
}

TEST_F(VoNodeManagerTest, AddGroupRefusesNullNamelessAndDuplicateIds) {
    LogCapture log;
    ProbeGroup nameless(u"", &fDrawn);
    ProbeGroup first(u"scenegroup", &fDrawn);
    ProbeGroup second(u"scenegroup", &fDrawn);
    EXPECT_FALSE(fManager->AddGroup(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoNodeManager::kAddGroupNull));
    EXPECT_FALSE(fManager->AddGroup(&nameless));
    EXPECT_TRUE(log.Logged("ERROR: ", VoNodeManager::kAddGroupNoId));
    ASSERT_TRUE(fManager->AddGroup(&first));
    EXPECT_FALSE(fManager->AddGroup(&second));
    EXPECT_TRUE(log.Logged("ERROR: ", "AddGroup failure. ID:scenegroup"));
    EXPECT_EQ(fManager->GetGroupCount(), 1);
}

TEST_F(VoNodeManagerTest, RemoveGroupHandsTheGroupOut) {
    LogCapture log;
    ProbeGroup scene(u"scenegroup", &fDrawn);
    fManager->AddGroup(&scene);
    VoNodeGroup* out = &scene;
    EXPECT_FALSE(fManager->RemoveGroup(VoString(u"scenegroup"), nullptr));
    EXPECT_FALSE(fManager->RemoveGroup(VoString(u"scenegroup"), &out));
    EXPECT_EQ(log.Count(VoNodeManager::kInvalidArg), 2);
    out = nullptr;
    EXPECT_TRUE(fManager->RemoveGroup(VoString(u"other"), &out));
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(fManager->GetGroupCount(), 1);
    EXPECT_TRUE(fManager->RemoveGroup(VoString(u"scenegroup"), &out));
    EXPECT_EQ(out, &scene);
    EXPECT_EQ(fManager->GetGroupCount(), 0);
}

TEST_F(VoNodeManagerTest, ADestroyedGroupLeavesTheManagerOnlyWhenItIsTheOneFiled) {
    ProbeGroup filed(u"scenegroup", &fDrawn);
    ASSERT_TRUE(fManager->AddGroup(&filed));
    {
        // Another group of the same id, never filed: its end leaves the filed one alone.
        ProbeGroup namesake(u"scenegroup", &fDrawn);
    }
    EXPECT_EQ(fManager->GetGroup(VoString(u"scenegroup")), &filed);
    {
        auto* passing = new ProbeGroup(u"passing", &fDrawn);
        ASSERT_TRUE(fManager->AddGroup(passing));
        delete passing;
    }
    EXPECT_EQ(fManager->GetGroup(VoString(u"passing")), nullptr);
    EXPECT_TRUE(fManager->Render());
    EXPECT_EQ(fDrawn, (std::vector<std::string>{"scenegroup"}));
}
