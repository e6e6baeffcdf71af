#pragma once
// Stand-ins that the fuzz targets register in place of the device's
// services: a texture that keeps only its size, a timer the target sets, a
// creator of any class and one that makes nothing; StartFuzzEngine, a fresh
// engine that makes such stand-ins; and FileTexture, which files such a
// texture of a given size under an id, so sprites that name it build
// without reading a file.
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "geometry/VoImage.h"
#include "memory/VoNew.h"
#include "object/VoIObjectCreator.h"
#include "object/VoRegistry.h"
#include "render/VoITexture.h"
#include "render/VoTextureManager.h"
#include "startup/VoStartupCreators.h"
#include "stdlib/VoCleaner.h"
#include "system/VoITimer.h"

// A texture without a device: keeps the size only.
class FuzzTexture : public VoITexture {
public:
    bool CreateTexture(VoImage* apImage) override {
        if (apImage == nullptr) {
            return false;
        }
        fWidth = static_cast<std::uint32_t>(apImage->GetWidth());
        fHeight = static_cast<std::uint32_t>(apImage->GetHeight());
        return true;
    }
    bool CreateTexture(std::uint32_t aWidth, std::uint32_t aHeight, std::int32_t) override {
        fWidth = aWidth;
        fHeight = aHeight;
        return true;
    }
    bool SetPriority(float aPriority) override {
        fPriority = aPriority;
        return true;
    }
};

// A timer that reads whatever the target sets.
class FuzzTimer : public VoITimer {
public:
    bool Initialize(std::uintptr_t) override { return true; }
    double GetTime() override { return fNow; }
    bool Reset() override { return true; }
    double fNow = 0.0;
};

// Makes nothing under the id: the service stands missing, as on a machine
// without a graphics device. (A "rasterizer" made there fails to start and is
// not given back by the object manager, so a target whose game makes scenes
// registers this in its place.)
class FuzzNullCreator : public VoIObjectCreator {
public:
    explicit FuzzNullCreator(const char16_t* apId) : VoIObjectCreator(VoString(apId)) {}
    VoBase* Create() override { return nullptr; }
};

// Makes a new T under the id.
template <typename T>
class FuzzCreator : public VoIObjectCreator {
public:
    explicit FuzzCreator(const char16_t* apId) : VoIObjectCreator(VoString(apId)) {}
    VoBase* Create() override { return VO_NEW T(); }
    void Discard(VoBase* apObject) override { delete apObject; }
};

// A fresh engine whose registry makes the given stand-ins (the registry's
// from then on) in place of the start-up creators of the same ids.
inline void StartFuzzEngine(std::initializer_list<VoIObjectCreator*> aCreators) {
    VoCleaner::ResetEngineForTests();
    VoCleaner::GetInstance();
    for (VoIObjectCreator* creator : aCreators) {
        if (creator != nullptr && !VoRegistry::Get()->AddCreator(creator)) {
            delete creator;
        }
    }
    VoStartupCreators::Register();
}

// A texture of aWidth x aHeight filed under the id.
inline void FileTexture(const char16_t* apId, std::int32_t aWidth, std::int32_t aHeight) {
    const std::int32_t size = aWidth * aHeight * 4;
    unsigned char* pixels = VO_NEW unsigned char[static_cast<std::size_t>(size)]();
    VoImage image;
    if (pixels != nullptr && image.Create(aWidth, aHeight, aWidth * 4, VoImage::kFormatBGRA, pixels, size)) {
        VoTextureManager::GetInstance()->CreateTexture(VoString(apId), &image);
    }
    delete[] pixels;
}
