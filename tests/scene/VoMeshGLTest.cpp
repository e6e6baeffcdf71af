// Meshes drawn on a real (headless) GL context through the engine's own
// rasterizer: a lit, textured cube seen through a camera, and one triangle
// under each cull mode.
#include "scene/VoMesh.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "geometry/VoImage.h"
#include "platform/port/VoIRenderDevice.h"
#include "render/VoIRasterizer.h"
#include "render/VoLight.h"
#include "render/VoRenderDeviceSource.h"
#include "render/VoTextureManager.h"
#include "scene/VoCamera.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoMeshSubset.h"
#include "scene/VoNode.h"
#include "scene/VoNodeGroup.h"
#include "scene/VoNodeManager.h"
#include "support/GLTestContext.h"
#include "support/SceneTestSupport.h"
#include "support/ScopedEngine.h"

namespace {

using R = VoIRasterizer;

const Rgba kBlack = {0, 0, 0, 255};
const Rgba kWhite = {255, 255, 255, 255};
const Rgba kGrey = {64, 64, 64, 255};

// The six faces of the cube from -1 to 1: outward normal, and the right and
// up directions of the face as seen from outside.
struct Face {
    VoVector3 normal, right, up;
};
const Face kFaces[] = {
    {{0, 0, -1}, {1, 0, 0}, {0, 1, 0}}, {{0, 0, 1}, {-1, 0, 0}, {0, 1, 0}},
    {{1, 0, 0}, {0, 0, 1}, {0, 1, 0}},  {{-1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
    {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}},
};

// Corners top-left, top-right, bottom-left and bottom-right of each face, the
// texture across it; two triangles each, clockwise seen from outside (the
// front faces of the engine's convention).
void CubeGeometry(std::vector<MeshVertex>* apVertices, std::vector<std::uint16_t>* apIndices) {
    for (const Face& face : kFaces) {
        const std::uint16_t base = static_cast<std::uint16_t>(apVertices->size());
        const float corners[4][4] = {{-1, 1, 0, 0}, {1, 1, 1, 0}, {-1, -1, 0, 1}, {1, -1, 1, 1}};
        for (const auto& c : corners) {
            const VoVector3 p = face.normal + face.right * c[0] + face.up * c[1];
            apVertices->push_back({p.x, p.y, p.z, face.normal.x, face.normal.y, face.normal.z, c[2], c[3]});
        }
        for (int i : {0, 1, 2, 2, 1, 3}) {
            apIndices->push_back(static_cast<std::uint16_t>(base + i));
        }
    }
}

// One subset drawing every triangle of the mesh-wide indices, with the material.
VoMesh* IndexedMesh(const std::vector<MeshVertex>& aVertices, const std::vector<std::uint16_t>& aIndices,
                    const VoMaterial& aMaterial) {
    auto* mesh = new VoMesh();
    mesh->SetVertexBuffer(MeshVertices(aVertices));
    mesh->SetIndexBuffer(MeshIndices(aIndices));
    auto* subset = new VoMeshSubset();
    subset->SetTriangleCount(static_cast<std::uint32_t>(aIndices.size() / 3));
    subset->SetVertexCount(static_cast<std::uint32_t>(aVertices.size()));
    subset->SetIndexBuffer(MeshIndices(aIndices));
    subset->SetMaterial(aMaterial);
    mesh->AddSubset(subset);
    mesh->SetFlags(VoMesh::kIndexed);
    return mesh;
}

// An element of one frame, at the identity, carrying the mesh.
VoDrawElement* ElementOf(VoMesh* apMesh) {
    auto* frame = new VoFrame();
    frame->SetName(VoString(u"Model"));
    frame->SetMesh(apMesh);
    auto* element = new VoDrawElement();
    element->SetRootFrame(frame);
    element->Update(nullptr);
    return element;
}

// The drawing device over the test context, and an engine whose rasterizer
// and textures draw with it, seen through the default camera.
class VoMeshGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fGL.IsReady()) << fGL.Error();
        fDevice.reset(VoCreateRenderDevice());
        ASSERT_NE(fDevice, nullptr);
        VoRenderDeviceSource::Set(fDevice.get());
        fEngine = std::make_unique<ScopedEngine>();
        fRasterizer = R::Get();
        ASSERT_NE(fRasterizer, nullptr);
        ASSERT_TRUE(fCamera->Apply());
        fRasterizer->SetColorValues(1.0f, 0.25f, 0.25f, 0.25f);
        fRasterizer->Clear();
    }

    void TearDown() override {
        fCamera.reset();
        fEngine.reset();
        VoRenderDeviceSource::Set(nullptr);
        fDevice.reset();
    }

    void ExpectPixel(int aX, int aY, const Rgba& aExpected, int aTolerance = 3) {
        EXPECT_TRUE(fGL.PixelNear(aX, aY, aExpected, aTolerance))
            << "pixel " << aX << ", " << aY << " is " << ToText(fGL.Pixel(aX, aY)) << ", expected "
            << ToText(aExpected);
    }

    GLTestContext fGL;
    std::unique_ptr<VoIRenderDevice> fDevice;
    std::unique_ptr<ScopedEngine> fEngine;
    R* fRasterizer = nullptr;
    std::unique_ptr<VoCamera> fCamera = std::make_unique<VoCamera>();
};

}  // namespace

TEST_F(VoMeshGLTest, ALitTexturedCubeShowsItsFrontFaceThroughTheCamera) {
    // 2 x 2, B, G, R, A: red, green / blue, white.
    const std::vector<unsigned char> texels = {0,   0, 255, 255, 0,   255, 0,   255,
                                               255, 0, 0,   255, 255, 255, 255, 255};
    VoImage image;
    ASSERT_TRUE(image.Create(2, 2, 8, VoImage::kFormatBGRA, texels.data(), 16));
    const std::uint32_t texture = VoTextureManager::GetInstance()->CreateTexture(VoString(u"cube"), &image);
    ASSERT_NE(texture, 0u);

    VoMaterial material;
    material.SetAmbient(VoColor(1.0f, 0.0f, 0.0f, 0.0f));
    material.SetTextureHandle(texture);
    std::vector<MeshVertex> vertices;
    std::vector<std::uint16_t> indices;
    CubeGeometry(&vertices, &indices);

    // A white light from the front and to the left: 0.6 on the front face,
    // nothing on the back faces.
    VoLight light(VoLight::kDirectional);
    light.fDiffuse = VoColor(1.0f, 1.0f, 1.0f, 1.0f);
    light.fDirection = VoVector3(0.8f, 0.0f, 0.6f);
    ASSERT_TRUE(fRasterizer->SetLighting(true));
    ASSERT_TRUE(fRasterizer->SetLight(0, &light));
    ASSERT_TRUE(fRasterizer->EnableLight(0, true));
    ASSERT_TRUE(fRasterizer->SetCullMode(R::kCullCounterClockwise));

    auto* node = new VoNode();
    node->SetNodeId(VoString(u"cube"));
    node->AddElement(ElementOf(IndexedMesh(vertices, indices, material)));
    VoNodeGroup group;
    group.SetNodeId(VoString(u"scenegroup"));
    group.AddMember(node);
    ASSERT_TRUE(VoNodeManager::GetInstance()->AddGroup(&group));
    EXPECT_TRUE(VoNodeManager::GetInstance()->Render());

    // The front face, 9 units ahead, covers 161 pixels around the centre;
    // each quarter shows one texel at 0.6 of its colour.
    ExpectPixel(360, 260, {153, 0, 0, 255});
    ExpectPixel(440, 260, {0, 153, 0, 255});
    ExpectPixel(360, 340, {0, 0, 153, 255});
    ExpectPixel(440, 340, {153, 153, 153, 255});
    ExpectPixel(300, 300, kGrey);
    ExpectPixel(400, 200, kGrey);
    delete node;
}

TEST_F(VoMeshGLTest, CullModesRemoveTheFacesTheirWindingNamesOnScreen) {
    // Top-left, top-right, bottom-left on screen is clockwise; the other
    // order counter-clockwise.
    const MeshVertex tl{-1, 1, 0, 0, 0, -1, 0, 0}, tr{1, 1, 0, 0, 0, -1, 0, 0}, bl{-1, -1, 0, 0, 0, -1, 0, 0};
    const struct {
        const char* name;
        std::vector<MeshVertex> triangle;
        R::CullMode mode;
        bool shown;
    } cases[] = {
        {"clockwise, cull counter-clockwise", {tl, tr, bl}, R::kCullCounterClockwise, true},
        {"clockwise, cull clockwise", {tl, tr, bl}, R::kCullClockwise, false},
        {"clockwise, cull none", {tl, tr, bl}, R::kCullNone, true},
        {"counter-clockwise, cull counter-clockwise", {tl, bl, tr}, R::kCullCounterClockwise, false},
        {"counter-clockwise, cull clockwise", {tl, bl, tr}, R::kCullClockwise, true},
    };
    ASSERT_TRUE(fRasterizer->SetLighting(false));
    fRasterizer->SetColorValues(1.0f, 0.0f, 0.0f, 0.0f);
    for (const auto& c : cases) {
        fRasterizer->Clear();
        ASSERT_TRUE(fRasterizer->SetCullMode(c.mode));
        std::unique_ptr<VoDrawElement> element(ElementOf(IndexedMesh(c.triangle, {0, 1, 2}, VoMaterial())));
        element->Render();
        // World (-0.5, 0.5, 0), inside the triangle, lands on pixel (364, 264).
        EXPECT_TRUE(fGL.PixelNear(364, 264, c.shown ? kWhite : kBlack)) << c.name;
        EXPECT_TRUE(fGL.PixelNear(436, 336, kBlack)) << c.name;
    }
}
