#include "system/VoIFileSystem.h"

#include "container/VoLog.h"
#include "container/VoTableString.h"
#include "memory/VoNew.h"
#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoCleaner.h"

namespace {
VoCleanerSingleton<VoIFileSystem> gInstance;
}

int VoIFileSystem::sTemporaryMounts = 0;

VoIFileSystem* VoIFileSystem::GetInstance() {
    return gInstance.Get([] { return VoAPIObjectManager::CreateServiceAs<VoIFileSystem>(u"filesystem"); },
                         kCreationFailure);
}

VoIFileSystem::VoIFileSystem() : fpMounts(VO_NEW VoTableString(8)) {
    if (fpMounts == nullptr) {
        VO_ERROR("Could not allocate fpMounts.");
    }
}

VoIFileSystem::~VoIFileSystem() {
    ReleaseMounts();
}

void VoIFileSystem::ReleaseMounts() {
    if (fpMounts == nullptr) {
        return;
    }
    void** directories = nullptr;
    if (fpMounts->GetValues(&directories)) {
        const int count = fpMounts->GetCount();
        for (int i = 0; i < count; ++i) {
            delete static_cast<VoString*>(directories[i]);
        }
        delete[] directories;
    }
    delete fpMounts;
    fpMounts = nullptr;
}

bool VoIFileSystem::ResolvePath(const VoString& aPath, VoString& aNativePath) {
    enum class Form { kMounted, kCurrent, kParent };
    const char16_t* chars = aPath.GetChars();
    const int length = aPath.GetLength();
    Form form = Form::kCurrent;
    int restStart = 0;
    if (length >= 2 && chars[0] == u'/' && chars[1] == u'/') {
        form = Form::kMounted;
        restStart = aPath.Find(u"/", 2);
        if (restStart < 0) {
            // "//name" alone: the mount's directory itself.
            restStart = length;
        }
    } else if (length >= 1 && chars[0] == u'/') {
        restStart = 0;
    } else if (length >= 2 && chars[0] == u'.' && chars[1] == u'/') {
        restStart = 1;
    } else if (length >= 3 && chars[0] == u'.' && chars[1] == u'.' && chars[2] == u'/') {
        form = Form::kParent;
        restStart = 2;
    } else {
        VO_ERROR(kInvalidPath, aPath);
        return false;
    }

    aNativePath.Clear();
    if (form == Form::kMounted) {
        const VoString name = aPath.SubString(0, restStart, 0);
        void* directory = nullptr;
        if (fpMounts == nullptr || !fpMounts->Get(name, &directory)) {
            VO_ERROR(kMountUndefined, name);
            return false;
        }
        aNativePath.Append(*static_cast<VoString*>(directory));
    } else {
        aNativePath.Append(fBaseDirectory);
        aNativePath.Append(form == Form::kParent ? fParentSuffix : fCurrentSuffix);
    }
    if (restStart < length) {
        aNativePath.Append(aPath.SubString(restStart, length - restStart, 0));
    }
    aNativePath.Replace(VoString(u"/"), fNativeSeparator, true);
    MatchNativePath(aNativePath);
    return true;
}

void VoIFileSystem::MatchNativePath(VoString&) {}

bool VoIFileSystem::Mount(const VoString& aSymName, const VoString& aNativeDirectory) {
    const char16_t* chars = aSymName.GetChars();
    if (aSymName.GetLength() < 2 || chars[0] != u'/' || chars[1] != u'/') {
        VO_ERROR(kMountNotSymbolic, aSymName);
        return false;
    }
    if (aSymName.Find(u"/", 2) >= 0) {
        VO_ERROR(kMountInvalidName, aSymName);
        return false;
    }
    if (fpMounts == nullptr) {
        VO_ASSERT_FAILURE("");
        return false;
    }
    Unmount(aSymName);
    VoString* directory = VO_NEW VoString(aNativeDirectory);
    if (directory == nullptr || !fpMounts->Add(aSymName, directory)) {
        // The mount is not there, so the caller must not think it is.
        VO_ASSERT_FAILURE("");
        delete directory;
        return false;
    }
    return true;
}

bool VoIFileSystem::Unmount(const VoString& aSymName) {
    void* directory = nullptr;
    if (fpMounts == nullptr || !fpMounts->Remove(aSymName, &directory)) {
        return false;
    }
    delete static_cast<VoString*>(directory);
    return true;
}

bool VoIFileSystem::MountTemporary(const VoString& aNativeDirectory, VoString& aSymName) {
    while (sTemporaryMounts < kTemporaryMountLimit) {
        ++sTemporaryMounts;
        VoString name("//");
        name.Append(sTemporaryMounts);
        if (fpMounts != nullptr && fpMounts->Contains(name)) {
            continue;
        }
        if (!Mount(name, aNativeDirectory)) {
            return false;
        }
        aSymName.Assign(name);
        return true;
    }
    VO_ERROR(kNoTemporaryMounts);
    return false;
}
