#pragma once
// The one place where textures are made, shared and destroyed. Every texture
// is filed under an id (for a texture from a file, the file name as the
// caller gave it) and a handle of the engine's object system, whose top 8
// bits are 120; asking twice for one id gives one texture. Relative file
// names are taken from the root path, which start-up sets to "//textures".
//
// Ids compare exactly: "shadow_circle.tga" and "//textures/shadow_circle.tga"
// file two textures. An id whose texture was destroyed or taken out is made
// anew by the next CreateTexture rather than answered with a handle that
// holds nothing. Handles freed through the manager forget their ids.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoHashList.h"
#include "container/VoString.h"
#include "object/VoObjectManager.h"

class VoITexture;
class VoImage;

class VoTextureManager : public VoBase {
public:
    static constexpr const char* kCreationFailure = "VoTextureManager creation failure.";
    static constexpr const char16_t* kId = u"texturemanager";
    static constexpr std::uint32_t kHandleIndex = 120;
    static constexpr const char16_t* kTextureCreatorId = u"texture";

    static constexpr const char* kSetRootInvalid = "SetRoot failure. Invalid arg.";
    static constexpr const char* kRootUndefined = "CreateTexture failure. Root undefined.";
    static constexpr const char* kCreateFailure = "CreateTexture failure.";
    static constexpr const char* kInvalidArg = "Invalid arg.";
    static constexpr const char* kIdExists = "CreateTexture failure. Texture id exists: ";

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static VoTextureManager* GetInstance();

    // Deletes every texture still filed, then the ids.
    ~VoTextureManager() override;

    // The path must begin with "//"; it is kept with one "/" at its end.
    bool SetRoot(const VoString& aPath);
    VoString GetRoot() const { return fRoot; }

    // The texture of an image file, filed under the name given: one that
    // begins with "//" is a path of its own, any other is taken from the
    // root. 0 when the file gives no image (the reader logs why).
    std::uint32_t CreateTexture(const VoString& aFile);
    // A new texture ("texture" creator) from the image, which stays the
    // caller's; the handle filed under the id if there is one already.
    std::uint32_t CreateTexture(const VoString& aId, VoImage* apImage);
    // Files a texture object (owned from then on when a handle is returned
    // for it). An id filed already is warned about and its handle returned;
    // the object stays the caller's.
    std::uint32_t CreateTexture(const VoString& aId, VoITexture* apTexture);

    // 0 when the id is not filed.
    std::uint32_t GetHandle(const VoString& aId);
    VoITexture* GetTexture(std::uint32_t aHandle);
    VoITexture* GetTexture(const VoString& aId);
    // False when the handle was not made here.
    bool GetTextureId(std::uint32_t aHandle, VoString& aOut);

    // Deletes the texture and frees its handle and id; a locked handle is
    // refused with a warning.
    bool DestroyTexture(std::uint32_t aHandle);
    bool DestroyTexture(const VoString& aId);
    // Deletes the texture and frees handle and id unless the handle is
    // locked (then nothing happens, silently).
    bool TryDestroyTexture(std::uint32_t aHandle);
    // While locked the texture is not destroyed; the last unlock (or the
    // unlock of a handle never locked) destroys it. The flag is not used.
    bool LockHandle(std::uint32_t aHandle);
    bool UnlockHandle(std::uint32_t aHandle, std::uint32_t aFlag = 0);
    // Frees a handle whose texture is already gone.
    bool RemoveHandle(std::uint32_t aHandle);
    bool RemoveHandle(const VoString& aId);
    // Hands the texture to the caller without deleting it (*oppTexture must
    // hold null); the next CreateTexture of its id makes a new one.
    bool RemoveTexture(std::uint32_t aHandle, VoITexture** oppTexture);
    bool RemoveTexture(const VoString& aId, VoITexture** oppTexture);
    // Deletes every id string and empties the id table.
    void ClearIds();

    VoString ToString() const override;

private:
    VoTextureManager();
    VoTextureManager(const VoTextureManager&) = delete;
    VoTextureManager& operator=(const VoTextureManager&) = delete;

    // The handle filed under the id when it still holds a texture; a handle
    // left without one is freed first. 0 otherwise.
    std::uint32_t Filed(const VoString& aId);
    // Files the texture and its id; 0, logged, when the object manager refuses.
    std::uint32_t File(const VoString& aId, VoITexture* apTexture);
    // Drops the id of a handle that the object manager no longer knows.
    void ForgetIfFreed(std::uint32_t aHandle);

    VoObjectManager fObjects;
    VoString fRoot;
    VoHashList fIds;  // handle -> VoString (owned copy of the id)
};
