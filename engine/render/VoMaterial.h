#pragma once
// A mesh subset's material: the four lighting colours, a specular power and
// an optional texture from the texture manager. The rasterizer hands the
// colours and power to the device and binds the texture when there is one.
//
// The mesh file's material record: colour ambient, colour diffuse, colour
// emissive (each four floats R, G, B, A), f32 power, colour specular, then
// the texture file's name as a counted string (empty for none).
#include <cstdint>

#include "container/VoColor.h"
#include "container/VoStreamObject.h"
#include "container/VoString.h"

class VoMaterial : public VoStreamObject {
public:
    static constexpr const char* kTextureNotFound = "Texture not found:";
    static constexpr const char* kTextureCreationFailure = "Texture creation failure:";

    // White diffuse, ambient and specular, black emissive, power 0, no texture.
    VoMaterial();
    // Copies the flags, colours, power, texture handle (shared, not
    // duplicated) and file name.
    VoMaterial(const VoMaterial& aOther);
    VoMaterial& operator=(const VoMaterial& aOther);
    ~VoMaterial() override = default;

    // Destroys the texture held (unless its handle is locked), then takes
    // the texture of the file from the texture manager; false, logged, when
    // there is none.
    bool SetTexture(const VoString& aFile);

    const VoColor& GetDiffuse() const { return fDiffuse; }
    const VoColor& GetAmbient() const { return fAmbient; }
    const VoColor& GetSpecular() const { return fSpecular; }
    const VoColor& GetEmissive() const { return fEmissive; }
    float GetPower() const { return fPower; }
    std::uint32_t GetTextureHandle() const { return fTextureHandle; }
    const VoString& GetTextureFile() const { return fTextureFile; }
    void SetDiffuse(const VoColor& aColor) { fDiffuse = aColor; }
    void SetAmbient(const VoColor& aColor) { fAmbient = aColor; }
    void SetSpecular(const VoColor& aColor) { fSpecular = aColor; }
    void SetEmissive(const VoColor& aColor) { fEmissive = aColor; }
    void SetPower(float aPower) { fPower = aPower; }
    void SetTextureHandle(std::uint32_t aHandle) { fTextureHandle = aHandle; }
    // Names the texture file without loading it: what a writer of mesh files
    // stores, the texture being made when the file is read.
    void SetTextureFile(const VoString& aFile) { fTextureFile = aFile; }

    // The material record; a texture named there is taken from the texture
    // manager, and one that cannot be made fails the read.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

    VoString ToString() const override;

private:
    VoColor fDiffuse;
    VoColor fAmbient;
    VoColor fSpecular;
    VoColor fEmissive;
    float fPower = 0.0f;
    std::uint32_t fTextureHandle = 0;  // the texture manager's; 0 for none
    VoString fTextureFile;
};
