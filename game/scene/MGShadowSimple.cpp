#include "scene/MGShadowSimple.h"

#include "container/VoLog.h"
#include "geometry/VoImage.h"
#include "geometry/VoMatrix.h"
#include "memory/VoNew.h"
#include "render/VoIRasterizer.h"
#include "render/VoIndexBuffer.h"
#include "render/VoMaterial.h"
#include "render/VoTextureManager.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshSubset.h"

namespace {

constexpr std::int32_t kVertexFormat = 3;  // position, texture coordinates
constexpr std::int32_t kVertexCount = 4;
constexpr std::uint32_t kTriangleCount = 2;

const float kVertices[kVertexCount * 5] = {
    -MGShadowSimple::kHalfSize, 0.0f, MGShadowSimple::kHalfSize,  0.0f, 0.0f,
    MGShadowSimple::kHalfSize,  0.0f, MGShadowSimple::kHalfSize,  1.0f, 0.0f,
    -MGShadowSimple::kHalfSize, 0.0f, -MGShadowSimple::kHalfSize, 0.0f, 1.0f,
    MGShadowSimple::kHalfSize,  0.0f, -MGShadowSimple::kHalfSize, 1.0f, 1.0f,
};
const std::uint32_t kIndices[kTriangleCount * 3] = {0, 3, 2, 1, 3, 0};

}  // namespace

MGShadowSimple::MGShadowSimple() : MGShadowSimple(VoIRasterizer::Get()) {}

MGShadowSimple::MGShadowSimple(VoIRasterizer* apRasterizer) : fpRasterizer(apRasterizer) {
    VoTextureManager* textures = VoTextureManager::GetInstance();
    if (textures != nullptr) {
        textures->SetRoot(VoString(kTextureRoot));
        fTexture = textures->CreateTexture(VoString(kTextureFile));
    }
    fpMesh = BuildMesh();
}

MGShadowSimple::~MGShadowSimple() {
    VoTextureManager* textures = fTexture != 0 ? VoTextureManager::GetInstance() : nullptr;
    if (textures != nullptr) {
        textures->DestroyTexture(fTexture);
    }
    delete fpMesh;
}

std::uint32_t MGShadowSimple::MaterialTexture() {
    VoTextureManager* textures = VoTextureManager::GetInstance();
    if (textures == nullptr) {
        return 0;
    }
    const VoString id(kMaterialTextureId);
    std::uint32_t handle = textures->GetHandle(id);
    if (handle != 0) {
        return handle;
    }
    VoImage* image = nullptr;
    if (VoImage::CreateFromFile(VoString(kImagePath), &image)) {
        handle = textures->CreateTexture(id, image);
    }
    delete image;
    return handle;
}

VoMesh* MGShadowSimple::BuildMesh() {
    VoMesh* mesh = VO_NEW VoMesh();
    VoVertexBuffer* vertices = VO_NEW VoVertexBuffer();
    VoIndexBuffer* indices = VO_NEW VoIndexBuffer();
    VoIndexBuffer* subsetIndices = VO_NEW VoIndexBuffer();
    VoMeshSubset* subset = VO_NEW VoMeshSubset();
    const bool made = mesh != nullptr && vertices != nullptr && indices != nullptr &&
                      subsetIndices != nullptr && subset != nullptr &&
                      vertices->Create(kVertexFormat, kVertices, kVertexCount) &&
                      indices->Create(VoIndexBuffer::kFormat32, kIndices, kTriangleCount * 3) &&
                      subsetIndices->Create(VoIndexBuffer::kFormat32, kIndices, kTriangleCount * 3);
    if (!made) {
        VO_ERROR(kNoMesh);
        delete mesh;
        delete vertices;
        delete indices;
        delete subsetIndices;
        delete subset;
        return nullptr;
    }
    mesh->SetVertexBuffer(vertices);
    mesh->SetIndexBuffer(indices);
    subset->SetTriangleCount(kTriangleCount);
    subset->SetVertexCount(kVertexCount);
    subset->SetStartIndex(0);
    subset->SetIndexBuffer(subsetIndices);
    // Without the image the material has no texture; the square is still made.
    VoMaterial material;
    material.SetTextureHandle(MaterialTexture());
    subset->SetMaterial(material);
    mesh->AddSubset(subset);
    mesh->SetFlags(VoMesh::kIndexed);
    mesh->ClearFlags(VoMesh::kWireframe);
    return mesh;
}

bool MGShadowSimple::Update(const VoVector3& aPlayerPosition) {
    if (fTexture == 0) {
        return false;
    }
    fPosition = aPlayerPosition;
    fPosition.y += kHeightAbovePlayer;
    return true;
}

bool MGShadowSimple::Render() {
    if (fpMesh == nullptr || fpRasterizer == nullptr) {
        return false;
    }
    VoMatrix world;
    MatrixIdentity(&world);
    world.m[3][0] = fPosition.x;
    world.m[3][1] = fPosition.y;
    world.m[3][2] = fPosition.z;
    bool result = fpRasterizer->SetTransform(VoIRasterizer::kWorld, &world);
    result = fpRasterizer->SetAlphaBlending(true) && result;
    result =
        fpRasterizer->SetBlendFunction(VoIRasterizer::kBlendSrcAlpha, VoIRasterizer::kBlendInvSrcAlpha) &&
        result;
    result = fpRasterizer->SetTextureFactor(kTextureFactor) && result;
    result = fpMesh->Render() && result;
    result = fpRasterizer->SetTextureFactor(1.0f) && result;
    return result;
}
