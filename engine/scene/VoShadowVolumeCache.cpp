#include "scene/VoShadowVolumeCache.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoMesh.h"
#include "scene/VoShadowVolume.h"
#include "stdlib/VoFileStream.h"
#include "stdlib/VoIStream.h"
#include "stdlib/VoMemoryStream.h"
#include "system/VoIFileSystem.h"

namespace {

void DeleteVolumes(VoShadowVolume** appVolumes, std::int32_t aCount) {
    for (std::int32_t i = 0; appVolumes != nullptr && i < aCount; ++i) {
        delete appVolumes[i];
    }
    delete[] appVolumes;
}

}  // namespace

VoShadowVolumeCache::VoShadowVolumeCache(VoDrawElement* apElement) : fpElement(apElement) {}

VoShadowVolumeCache::~VoShadowVolumeCache() {
    DeleteVolumes(fppVolumes, fCount);
    fpElement = nullptr;
}

VoString VoShadowVolumeCache::ToString() const {
    return VoDebugString("VoShadowVolumeCache", this);
}

VoShadowVolume* VoShadowVolumeCache::GetVolume(std::int32_t aIndex) const {
    return aIndex >= 0 && aIndex < fCount ? fppVolumes[aIndex] : nullptr;
}

void VoShadowVolumeCache::Adopt(VoShadowVolume** appVolumes, std::int32_t aCount) {
    DeleteVolumes(fppVolumes, fCount);
    fppVolumes = appVolumes;
    fCount = aCount;
}

bool VoShadowVolumeCache::Load(const VoString& aPath) {
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    if (files != nullptr && files->FileExists(aPath, true)) {
        VoMemoryStream stream(VoMemoryStream::kMinCapacity, VoMemoryStream::kGrowDouble);
        // A file without volumes is never written: it does not fit either.
        if (stream.CreateFromFile(aPath, true) && Read(&stream) && fCount > 0) {
            return true;
        }
        VO_WARNING(kCacheDiscarded, aPath);
    } else {
        VO_ASSERT_FAILURE(kFileNotFound, aPath);
    }
    if (!Build()) {
        VO_ASSERT_FAILURE(kCreationFailure);
        return fCount > 0;
    }
    // The file is made first, so a place where none can be made is named.
    if (files == nullptr || !files->CreateFile(aPath, true)) {
        VO_ASSERT_FAILURE(kFileCreationFailure, aPath);
    }
    if (!VoFileStream::WriteFile(this, aPath, true)) {
        VO_ASSERT_FAILURE(kSaveFailure);
    }
    return true;
}

bool VoShadowVolumeCache::Build() {
    if (fpElement == nullptr) {
        VO_ASSERT_FAILURE(kNullElement);
        return false;
    }
    std::int32_t skinned = 0;
    for (std::int32_t i = 0; i < fpElement->GetFrameCount(); ++i) {
        const VoMesh* mesh = fpElement->GetFrame(i)->GetMesh();
        skinned += mesh != nullptr && mesh->GetMeshType() == VoMesh::kSkinnedMesh ? 1 : 0;
    }
    if (skinned == 0) {
        VO_ASSERT_FAILURE(kNoSkinnedMeshes);
        Adopt(nullptr, 0);
        return false;
    }
    VoShadowVolume** volumes = VO_NEW VoShadowVolume * [static_cast<std::size_t>(skinned)];
    if (volumes == nullptr) {
        Adopt(nullptr, 0);
        return false;
    }
    std::int32_t count = 0;
    bool built = true;
    for (std::int32_t i = 0; i < fpElement->GetFrameCount(); ++i) {
        VoFrame* frame = fpElement->GetFrame(i);
        VoMesh* mesh = frame->GetMesh();
        if (mesh == nullptr || mesh->GetMeshType() != VoMesh::kSkinnedMesh) {
            continue;
        }
        VoShadowVolume* volume = VO_NEW VoShadowVolume();
        if (volume != nullptr && volume->Create(frame->GetName(), mesh)) {
            volumes[count++] = volume;
        } else {
            delete volume;
            built = false;
        }
    }
    Adopt(volumes, count);
    return built;
}

bool VoShadowVolumeCache::Read(VoIStream* apStream) {
    if (apStream == nullptr || fpElement == nullptr) {
        VO_ERROR(kNullElement);
        return false;
    }
    std::int32_t count = 0;
    const std::int64_t remaining = apStream->GetRemaining();
    const std::int64_t limit =
        remaining >= 0 ? remaining : static_cast<std::int64_t>(VoIStream::kMaxUnsizedRead);
    if (!apStream->ReadInt(&count) || count < 0 ||
        static_cast<std::int64_t>(count) * kMinVolumeSize > limit) {
        VO_ERROR(kReadRefused);
        return false;
    }
    VoShadowVolume** volumes =
        count > 0 ? VO_NEW VoShadowVolume * [static_cast<std::size_t>(count)] : nullptr;
    if (count > 0 && volumes == nullptr) {
        VO_ERROR(kReadRefused);
        return false;
    }
    std::int32_t made = 0;
    bool read = true;
    while (read && made < count) {
        VoShadowVolume* volume = VO_NEW VoShadowVolume();
        if (volume == nullptr || !volume->Read(apStream)) {
            delete volume;
            read = false;
            break;
        }
        volumes[made++] = volume;
        VoFrame* frame = fpElement->FindFrame(volume->GetName(), true);
        if (frame == nullptr) {
            VO_ERROR(kFrameNotFound, volume->GetName());
            read = false;
        } else {
            read = volume->SetMesh(frame->GetMesh());
        }
    }
    if (!read) {
        DeleteVolumes(volumes, made);
        VO_ERROR(kReadRefused);
        return false;
    }
    Adopt(volumes, count);
    return true;
}

bool VoShadowVolumeCache::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    bool written = apStream->WriteInt(fCount);
    for (std::int32_t i = 0; i < fCount; ++i) {
        written = fppVolumes[i]->Write(apStream) && written;
    }
    return written;
}
