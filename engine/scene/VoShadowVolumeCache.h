#pragma once
// The shadow volumes of one model, one per skinned mesh, and the ".lisv"
// file that keeps them between runs: an i32 volume count, then each volume
// in its own form (VoShadowVolume). Load reads the file when it exists and
// fits the model; otherwise it builds the volumes from the skinned meshes
// and writes the file anew.
//
// The file is untrusted: a count beyond the bytes left, a record that does
// not read, a volume whose frame the model lacks or whose indices pass its
// mesh's vertices makes the whole file count as not fitting. It is then
// discarded with a warning, rebuilt and written back. A file is written only
// when every volume was built and there is at least one, so a failed build
// never leaves a cache that later runs would take.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoISerializable.h"
#include "container/VoString.h"

class VoDrawElement;
class VoIStream;
class VoShadowVolume;

class VoShadowVolumeCache : public VoBase, public VoISerializable {
public:
    // The fewest bytes one volume of the file takes: an empty name and two
    // zero counts.
    static constexpr std::uint32_t kMinVolumeSize = 14;

    static constexpr const char* kFileNotFound = "Shadow volume file not found. Creating *.lisv:";
    static constexpr const char* kCacheDiscarded =
        "Shadow volume file does not fit the model. Rebuilding *.lisv:";
    static constexpr const char* kNoSkinnedMeshes = "CreateShadow failure. No skinned meshes found.";
    static constexpr const char* kCreationFailure = "Shadow creation failure.";
    static constexpr const char* kSaveFailure = "Shadow save failure.";
    // Followed by the path.
    static constexpr const char* kFileCreationFailure = "File creation failure:";
    static constexpr const char* kNullElement = "NULL arg.";
    static constexpr const char* kReadRefused = "Read failure. Invalid shadow volume file.";
    static constexpr const char* kFrameNotFound = "Read failure. Shadow volume frame not found: ";

    // No volumes yet; the element (not owned) supplies the meshes.
    explicit VoShadowVolumeCache(VoDrawElement* apElement);
    // Deletes the volumes.
    ~VoShadowVolumeCache() override;
    VoShadowVolumeCache(const VoShadowVolumeCache&) = delete;
    VoShadowVolumeCache& operator=(const VoShadowVolumeCache&) = delete;

    // "[VoShadowVolumeCache <address>]".
    VoString ToString() const override;

    // The volumes from the file at the engine path, or built and written
    // there (see above). False when no volumes could be had; a file that
    // could not be written is logged and the volumes are kept.
    bool Load(const VoString& aPath);
    // One volume per skinned mesh of the element, in frame-list order, each
    // under its frame's name, in place of the old ones. False, asserted,
    // without skinned meshes or when one could not be built (the volumes
    // built are kept).
    bool Build();

    // The file's form. Read replaces the volumes only when the whole file
    // reads and every volume binds to the mesh of the element's frame of its
    // name (compared ignoring case); otherwise nothing changes.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

    std::int32_t GetCount() const { return fCount; }
    // Null outside 0..count - 1.
    VoShadowVolume* GetVolume(std::int32_t aIndex) const;

private:
    // Takes the array and its volumes (owned) in place of the old ones.
    void Adopt(VoShadowVolume** appVolumes, std::int32_t aCount);

    VoDrawElement* fpElement;  // not owned: the model whose meshes cast the shadows
    std::int32_t fCount = 0;
    VoShadowVolume** fppVolumes = nullptr;  // owned, with the volumes
};
