#include "render/VoMaterial.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "render/VoTextureDX9.h"
#include "render/VoTextureManager.h"
#include "support/RenderTestSupport.h"
#include "support/ScopedEngine.h"
#include "support/TestStream.h"

namespace {

void PutFloat(Bytes& aOut, float aValue) {
    unsigned char bytes[4];
    std::memcpy(bytes, &aValue, 4);
    aOut.insert(aOut.end(), bytes, bytes + 4);
}

void PutColor(Bytes& aOut, float aR, float aG, float aB, float aA) {
    for (float value : {aR, aG, aB, aA}) {
        PutFloat(aOut, value);
    }
}

// The material record: ambient, diffuse, emissive, power, specular, file.
Bytes Record(const std::u16string& aFile) {
    Bytes out;
    PutColor(out, 0.25f, 0.5f, 0.75f, 1.0f);
    PutColor(out, 1.0f, 0.0f, 0.5f, 0.5f);
    PutColor(out, 0.0f, 0.0f, 0.0f, 1.0f);
    PutFloat(out, 8.0f);
    PutColor(out, 0.5f, 0.5f, 0.5f, 1.0f);
    const std::uint32_t length = static_cast<std::uint32_t>(aFile.size());
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<unsigned char>(length >> (8 * i)));
    }
    for (char16_t unit : aFile + u'\0') {
        out.push_back(static_cast<unsigned char>(unit & 0xFF));
        out.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return out;
}

// A texture filed under the id, as a loaded file would be.
std::uint32_t FileTexture(const char16_t* apId) {
    VoTextureDX9* texture = new VoTextureDX9();
    texture->Initialize(0);
    texture->CreateTexture(1, 1, VoImage::kFormatBGRA);
    return VoTextureManager::GetInstance()->CreateTexture(VoString(apId), texture);
}

}  // namespace

TEST(VoMaterial, ANewMaterialIsWhiteWithoutTexture) {
    VoMaterial material;
    EXPECT_EQ(material.GetDiffuse(), VoColor(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_EQ(material.GetAmbient(), VoColor(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_EQ(material.GetSpecular(), VoColor(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_EQ(material.GetEmissive(), VoColor(1.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(material.GetPower(), 0.0f);
    EXPECT_EQ(material.GetTextureHandle(), 0u);
    EXPECT_EQ(Narrow(material.ToString()), "[VoMaterial <" + HexAddress(&material) + ">]");
}

TEST(VoMaterial, TheRecordRoundTripsAndAnEmptyFileMeansNoTexture) {
    const Bytes record = Record(u"");
    TestStream in(record);
    VoMaterial material;
    material.SetTextureHandle(77);
    ASSERT_TRUE(material.Read(&in));
    EXPECT_EQ(material.GetTextureHandle(), 0u);
    EXPECT_EQ(material.GetAmbient(), VoColor(1.0f, 0.25f, 0.5f, 0.75f));
    EXPECT_EQ(material.GetDiffuse(), VoColor(0.5f, 1.0f, 0.0f, 0.5f));
    EXPECT_EQ(material.GetPower(), 8.0f);
    TestStream out;
    ASSERT_TRUE(material.Write(&out));
    EXPECT_EQ(out.Bytes(), record);

    VoMaterial copy(material);
    VoMaterial assigned;
    assigned = material;
    EXPECT_EQ(copy.GetDiffuse(), material.GetDiffuse());
    EXPECT_EQ(assigned.GetPower(), 8.0f);
}

TEST(VoMaterial, ANamedTextureComesFromTheTextureManager) {
    RecordedDevice device;
    ScopedEngine engine;
    const std::uint32_t handle = FileTexture(u"wood.tga");
    ASSERT_NE(handle, 0u);
    const Bytes record = Record(u"wood.tga");
    TestStream in(record);
    VoMaterial material;
    ASSERT_TRUE(material.Read(&in));
    EXPECT_EQ(material.GetTextureHandle(), handle);
    EXPECT_EQ(Narrow(material.GetTextureFile()), "wood.tga");
    TestStream out;
    ASSERT_TRUE(material.Write(&out));
    EXPECT_EQ(out.Bytes(), record);
}

TEST(VoMaterial, ATextureThatCannotBeMadeFailsTheRead) {
    ScopedEngine engine;
    LogCapture log;
    TestStream in(Record(u"nowhere.tga"));
    VoMaterial material;
    EXPECT_FALSE(material.Read(&in));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoMaterial::kTextureCreationFailure) + "nowhere.tga"));
    EXPECT_EQ(material.GetTextureHandle(), 0u);

    Bytes cut = Record(u"");
    cut.resize(cut.size() - 3);
    TestStream short_(cut);
    log.Clear();
    EXPECT_FALSE(material.Read(&short_));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
}

TEST(VoMaterial, SetTextureGivesUpTheTextureHeldUnlessItIsLocked) {
    RecordedDevice device;
    ScopedEngine engine;
    VoTextureManager* textures = VoTextureManager::GetInstance();
    const std::uint32_t first = FileTexture(u"first.tga");
    const std::uint32_t second = FileTexture(u"second.tga");
    VoMaterial material;
    material.SetTextureHandle(first);
    EXPECT_TRUE(material.SetTexture(VoString(u"second.tga")));
    EXPECT_EQ(material.GetTextureHandle(), second);
    EXPECT_EQ(textures->GetHandle(VoString(u"first.tga")), 0u);

    textures->LockHandle(second);
    LogCapture log;
    EXPECT_FALSE(material.SetTexture(VoString(u"missing.tga")));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoMaterial::kTextureNotFound) + "missing.tga"));
    EXPECT_EQ(material.GetTextureHandle(), 0u);
    EXPECT_NE(textures->GetTexture(second), nullptr);
}
