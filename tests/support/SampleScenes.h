#pragma once
// The case's scenes of the data tree (data/scenes/case01/..., written by
// tools/make_case_scenes.cpp and by hand) as the scene and navigation tests
// read them: their files through the engine's readers, each viewpoint's
// camera made as the scene makes it, and world points taken to the screen.
// The engine must be running (a ScopedEngine or one of its kind) before
// any of these are used.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoVector3.h"
#include "scene/VoCamera.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "support/TestStream.h"
#include "support/TestText.h"
#include "system/VoIFileSystem.h"

struct SampleViewpoint {
    std::string scene;      // "case01/lobby"
    std::string viewpoint;  // "vp_entrance"
    std::string camera;     // "cam_entrance"
};

inline std::vector<SampleViewpoint> SampleViewpoints() {
    return {{"case01/lobby", "vp_entrance", "cam_entrance"},
            {"case01/lobby", "vp_desk", "cam_desk"},
            {"case01/office", "vp_office", "cam_office"}};
}

inline std::vector<std::string> SampleSceneIds() {
    return {"case01/lobby", "case01/office"};
}

// Mounts "//scenes" on the data tree's scenes.
inline void MountSampleScenes() {
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    ASSERT_NE(fileSystem, nullptr);
    ASSERT_TRUE(fileSystem->Mount(VoString(u"//scenes"), VoString(VO_SOURCE_DIR "/data/scenes")));
}

inline VoString ScenePath(const std::string& aScene, const std::string& aFile) {
    return VoString(("//scenes/" + aScene + "/" + aFile).c_str());
}

// A file of the scene's folder as a property list; empty (and a failure)
// when it does not load.
inline std::unique_ptr<VoPropertyList> SceneFile(const std::string& aScene, const std::string& aFile) {
    auto list = std::make_unique<VoPropertyList>();
    EXPECT_TRUE(list->Load(ScenePath(aScene, aFile), true)) << aScene << "/" << aFile;
    return list;
}

inline std::vector<unsigned char> SceneFileBytes(const std::string& aScene, const std::string& aFile) {
    std::ifstream in(std::string(VO_SOURCE_DIR "/data/scenes/") + aScene + "/" + aFile, std::ios::binary);
    EXPECT_TRUE(in.good()) << aScene << "/" << aFile;
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The viewpoint's depth mesh, loaded as the scene loads it: the raw form in
// render mode 0, placed.
inline std::unique_ptr<VoDrawElement> DepthMeshOf(const SampleViewpoint& aView) {
    auto scene = SceneFile(aView.scene, "scene.txt");
    const VoString name =
        scene->GetString(VoString(("viewpoints." + aView.viewpoint + ".depthmesh").c_str()), nullptr);
    auto element = std::make_unique<VoDrawElement>();
    TestStream in(SceneFileBytes(aView.scene, Narrow(name)));
    EXPECT_TRUE(element->Load(&in, VoDrawElement::kRenderList)) << Narrow(name);
    element->Update(nullptr);
    return element;
}

inline VoVector3 PointOf(VoPropertyList& aList, const std::string& aPath) {
    const VoVectorFloat values = aList.GetVectorFloat(VoString(aPath.c_str()), nullptr);
    EXPECT_EQ(values.GetCount(), 3) << aPath;
    return values.GetCount() == 3 ? VoVector3(values.GetAt(0), values.GetAt(1), values.GetAt(2)) : VoVector3();
}

// The viewpoint's camera as the scene sets it up: eye and target from
// "cameras.txt" taken through the depth mesh's root transform, the
// projection by the horizontal field of view, the up vector.
inline void SetUpSampleCamera(const SampleViewpoint& aView, const VoDrawElement& aDepthMesh, VoCamera* apCamera) {
    auto cameras = SceneFile(aView.scene, "cameras.txt");
    const VoMatrix& root = aDepthMesh.GetRootFrame()->GetAbsoluteMatrix();
    const VoVector3 position = PointOf(*cameras, aView.camera + ".position");
    const VoVector3 target = PointOf(*cameras, aView.camera + ".target");
    VoVector3 eye;
    VoVector3 at;
    TransformCoord(&eye, &root, &position);
    TransformCoord(&at, &root, &target);
    apCamera->SetName(VoString(aView.camera.c_str()));
    apCamera->SetPosition(eye.x, eye.y, eye.z);
    apCamera->SetTarget(at.x, at.y, at.z);
    const VoVector3 up = PointOf(*cameras, aView.camera + ".upvector");
    apCamera->SetUp(up.x, up.y, up.z);
    bool found[3] = {false, false, false};
    apCamera->SetProjectionFovX(cameras->GetFloat(VoString((aView.camera + ".fovx").c_str()), &found[0]),
                                cameras->GetFloat(VoString((aView.camera + ".znear").c_str()), &found[1]),
                                cameras->GetFloat(VoString((aView.camera + ".zfar").c_str()), &found[2]));
    EXPECT_TRUE(found[0] && found[1] && found[2]) << aView.camera;
}

// Where a world point falls on the 800 x 600 screen, in pixels from the top
// left; z is the depth 0..1 between the clip planes.
inline VoVector3 ScreenPoint(VoCamera& aCamera, const VoVector3& aWorld) {
    VoMatrix viewProjection;
    MatrixMultiply(&viewProjection, aCamera.GetViewMatrix(), aCamera.GetProjectionMatrix());
    VoVector3 device;
    TransformCoord(&device, &viewProjection, &aWorld);
    return VoVector3((device.x + 1.0f) * 400.0f, (1.0f - device.y) * 300.0f, device.z);
}

inline bool OnScreen(const VoVector3& aScreen, float aMargin = 0.0f) {
    return aScreen.x >= aMargin && aScreen.x <= 800.0f - aMargin && aScreen.y >= aMargin &&
           aScreen.y <= 600.0f - aMargin && aScreen.z > 0.0f && aScreen.z < 1.0f;
}
