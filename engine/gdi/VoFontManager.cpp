#include "gdi/VoFontManager.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoFontImageScan.h"
#include "gdi/VoFontRaster.h"
#include "geometry/VoImage.h"
#include "memory/VoNew.h"
#include "stdlib/VoCleaner.h"

namespace {

constexpr int kHashShift = 7;
// A handful of fonts: the list starts small.
constexpr int kInitialCapacity = 16;

VoCleanerSingleton<VoFontManager> gInstance;

bool IsEnginePath(const VoString& aPath) {
    return aPath.GetLength() >= 2 && aPath.GetChars()[0] == u'/' && aPath.GetChars()[1] == u'/';
}

}  // namespace

VoFontManager* VoFontManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoFontManager(); }, kCreationFailure);
}

VoFontManager::VoFontManager() : fFonts(kHashShift, false, kInitialCapacity) {}

VoFontManager::~VoFontManager() {
    fFonts.ClearAndDelete<VoIFont>();
}

VoString VoFontManager::ToString() const {
    return VoDebugString("VoFontManager", this);
}

bool VoFontManager::SetRoot(const VoString& aRoot) {
    if (!IsEnginePath(aRoot)) {
        VO_ASSERT_FAILURE(kSetRootInvalid);
        return false;
    }
    VoString root(aRoot);
    root.Append(u"/");
    root.Replace(u"//", u"/", true);
    root.Prepend(u"/");
    fRoot = root;
    return true;
}

bool VoFontManager::CreateFonts(const VoString& aPath, const VoString& aRoot) {
    VoPropertyList list;
    VoPropertyList* fonts = LoadFontList(aPath, list);
    if (fonts == nullptr) {
        return false;
    }
    const VoString kept(fRoot);
    fRoot = aRoot;
    const bool result = CreateAll(fonts);
    fRoot = kept;
    return result;
}

bool VoFontManager::CreateFonts(const VoString& aPath) {
    VoPropertyList list;
    VoPropertyList* fonts = LoadFontList(aPath, list);
    return fonts != nullptr && CreateAll(fonts);
}

VoPropertyList* VoFontManager::LoadFontList(const VoString& aPath, VoPropertyList& aList) {
    if (!aList.Load(aPath, true)) {
        VO_ASSERT_FAILURE(kCreateFontsFailure);
        return nullptr;
    }
    VoPropertyList* fonts = aList.GetList(VoString(kFontsKey));
    if (fonts == nullptr) {
        VO_ASSERT_FAILURE(kFontsUndefined);
    }
    return fonts;
}

bool VoFontManager::CreateAll(VoPropertyList* apFonts) {
    bool result = true;
    for (int i = 0; i < apFonts->GetCount(); ++i) {
        result = CreateFont(apFonts->GetListAt(i)) && result;
    }
    return result;
}

bool VoFontManager::CreateFont(VoPropertyList* apEntry) {
    if (apEntry == nullptr) {
        VO_ASSERT_FAILURE(kCreateFontFailure);
        return false;
    }
    if (fRoot.GetLength() == 0) {
        VO_ASSERT_FAILURE(kRootUndefined);
        return false;
    }
    bool found = false;
    const VoString id = apEntry->GetString(VoString(kIdKey), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kIdNotFound);
    }
    const VoString texture = apEntry->GetString(VoString(kTextureKey), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kTextureNotFound);
    }
    const std::int32_t rowHeight = apEntry->GetInt(VoString(kRowHeightKey), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kRowHeightNotFound);
    }
    const VoString characters = apEntry->GetString(VoString(kCharactersKey), &found);
    return CreateFont(id, fRoot + texture, rowHeight, found ? &characters : nullptr);
}

bool VoFontManager::CreateFont(const VoString& aId, const VoString& aTexturePath, std::int32_t aRowHeight,
                               const VoString* apCharacters) {
    if (fFonts.IndexOf(aId) >= 0) {
        VO_ERROR(kDuplicateId, aId);
        return false;
    }
    // Without glyph lines the image cannot be cut, and the scan would never
    // move down a row.
    if (aRowHeight < VoFontImageScan::kMinRowHeight) {
        VO_ERROR(kInvalidRowHeight, aRowHeight, " (", aId, ")");
        return false;
    }
    VoImage* image = nullptr;
    if (!VoImage::CreateFromFile(aTexturePath, &image)) {
        return false;
    }
    VoIFont* font = VO_NEW VoFontRaster(aId, apCharacters, image, aRowHeight);
    delete image;
    if (font == nullptr) {
        return false;
    }
    if (fFonts.Add(aId, font, true) == 0) {
        VO_ERROR(kAddFailure);
        delete font;
        return false;
    }
    return true;
}

VoIFont* VoFontManager::GetFont(const VoString& aId) {
    VoIFont* font = static_cast<VoIFont*>(fFonts.Get(aId));
    if (font == nullptr) {
        VO_ERROR(kGetFontNotFound, aId);
    }
    return font;
}
