#include "render/VoMaterial.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "render/VoTextureManager.h"
#include "stdlib/VoIStream.h"

VoMaterial::VoMaterial()
    : fDiffuse(1.0f, 1.0f, 1.0f, 1.0f),
      fAmbient(1.0f, 1.0f, 1.0f, 1.0f),
      fSpecular(1.0f, 1.0f, 1.0f, 1.0f),
      fEmissive(1.0f, 0.0f, 0.0f, 0.0f) {}

VoMaterial::VoMaterial(const VoMaterial& aOther)
    : VoStreamObject(aOther),
      fDiffuse(aOther.fDiffuse),
      fAmbient(aOther.fAmbient),
      fSpecular(aOther.fSpecular),
      fEmissive(aOther.fEmissive),
      fPower(aOther.fPower),
      fTextureHandle(aOther.fTextureHandle),
      fTextureFile(aOther.fTextureFile) {}

VoMaterial& VoMaterial::operator=(const VoMaterial& aOther) {
    if (this != &aOther) {
        VoStreamObject::operator=(aOther);
        fDiffuse = aOther.fDiffuse;
        fAmbient = aOther.fAmbient;
        fSpecular = aOther.fSpecular;
        fEmissive = aOther.fEmissive;
        fPower = aOther.fPower;
        fTextureHandle = aOther.fTextureHandle;
        fTextureFile = aOther.fTextureFile;
    }
    return *this;
}

bool VoMaterial::SetTexture(const VoString& aFile) {
    VoTextureManager* textures = VoTextureManager::GetInstance();
    if (fTextureHandle != 0 && textures != nullptr) {
        textures->TryDestroyTexture(fTextureHandle);
    }
    fTextureHandle = textures != nullptr ? textures->CreateTexture(aFile) : 0;
    fTextureFile = aFile;
    if (fTextureHandle == 0) {
        VO_ERROR(kTextureNotFound, aFile);
        return false;
    }
    return true;
}

bool VoMaterial::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    bool read = fAmbient.Read(apStream);
    read = fDiffuse.Read(apStream) && read;
    read = fEmissive.Read(apStream) && read;
    read = apStream->ReadFloat(&fPower) && read;
    read = fSpecular.Read(apStream) && read;
    VoString file;
    if (!apStream->ReadString(&file)) {
        VO_ASSERT_FAILURE("");
        return false;
    }
    fTextureFile = file;
    if (file.GetLength() == 0) {
        fTextureHandle = 0;
        return read;
    }
    VoTextureManager* textures = VoTextureManager::GetInstance();
    fTextureHandle = textures != nullptr ? textures->CreateTexture(file) : 0;
    if (fTextureHandle == 0) {
        VO_ERROR(kTextureCreationFailure, file);
        return false;
    }
    return read;
}

bool VoMaterial::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    bool written = fAmbient.Write(apStream);
    written = fDiffuse.Write(apStream) && written;
    written = fEmissive.Write(apStream) && written;
    written = apStream->WriteFloat(fPower) && written;
    written = fSpecular.Write(apStream) && written;
    written = apStream->WriteString(fTextureFile) && written;
    return written;
}

VoString VoMaterial::ToString() const {
    return VoDebugString("VoMaterial", this);
}
