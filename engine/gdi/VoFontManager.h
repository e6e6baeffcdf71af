#pragma once
// Creates the fonts of the font list and hands them out by id.
//
// The font list is a property-list file (start-up reads
// "//dataroot/textures/fonts/fonts.txt" with the root
// "//dataroot/textures/fonts/"):
//
//     fonts
//         <any key>
//             id=tahoma10
//             texture=tahoma10.tga        (appended to the root)
//             rowheight=14                (pixel lines per row, guide line included)
//             characters=...              (optional; default kDefaultCharacters)
//
// The manager owns its fonts; they live until it is deleted. Font ids are
// case-sensitive and unique; each font files its image as a texture under
// its id.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoHashKeyList.h"
#include "container/VoString.h"

class VoIFont;
class VoPropertyList;

class VoFontManager : public VoBase {
public:
    static constexpr const char* kCreationFailure = "VoFontManager creation failure.";
    static constexpr const char* kSetRootInvalid = "SetRoot failure. Invalid arg.";
    static constexpr const char* kCreateFontsFailure = "CreateFonts failure.";
    static constexpr const char* kFontsUndefined = "'fonts' undefined.";
    static constexpr const char* kCreateFontFailure = "CreateFont failure.";
    static constexpr const char* kRootUndefined = "CreateFont failure. Root undefined.";
    static constexpr const char* kIdNotFound = "'id' not found.";
    static constexpr const char* kTextureNotFound = "'texture' not found.";
    static constexpr const char* kRowHeightNotFound = "'rowheight' not found.";
    static constexpr const char* kDuplicateId = "CreateFont failure. Duplicate id exists:";
    static constexpr const char* kInvalidRowHeight = "CreateFont failure. Invalid row height: ";
    static constexpr const char* kAddFailure = "Add failure.";
    static constexpr const char* kGetFontNotFound = "GetFont failure. ID not found:";

    static constexpr const char16_t* kFontsKey = u"fonts";
    static constexpr const char16_t* kIdKey = u"id";
    static constexpr const char16_t* kTextureKey = u"texture";
    static constexpr const char16_t* kRowHeightKey = u"rowheight";
    static constexpr const char16_t* kCharactersKey = u"characters";

    // The character set of a font entry without "characters": the 95
    // printable ASCII characters, space to tilde, in ascending order.
    static constexpr const char16_t* kDefaultCharacters =
        u" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static VoFontManager* GetInstance();

    VoFontManager(const VoFontManager&) = delete;
    VoFontManager& operator=(const VoFontManager&) = delete;
    // Deletes every font.
    ~VoFontManager() override;

    VoString ToString() const override;

    // Loads the font list at the engine path and creates every font in it,
    // taking texture names from aRoot (used as given) for the while. True
    // only when every font was created; a failed font does not stop the
    // others.
    bool CreateFonts(const VoString& aPath, const VoString& aRoot);
    // The same from the current root.
    bool CreateFonts(const VoString& aPath);
    // The root must begin with "//"; it is kept with its doubled slashes
    // made single and one "/" at its end ("//a//b" gives "//a/b/").
    bool SetRoot(const VoString& aRoot);
    const VoString& GetRoot() const { return fRoot; }
    // One font from one entry of the list. A missing key is reported and
    // the creation goes on with "" or 0 (which the row height check refuses).
    bool CreateFont(VoPropertyList* apEntry);
    // One font from values; characters null means the default set. A row
    // height below 2 leaves no glyph lines and is refused.
    bool CreateFont(const VoString& aId, const VoString& aTexturePath, std::int32_t aRowHeight,
                    const VoString* apCharacters);
    // Null, logged, for an id that is not in the list.
    VoIFont* GetFont(const VoString& aId);
    int GetFontCount() const { return fFonts.GetCount(); }

private:
    VoFontManager();

    // Loads the file into aList and gives its "fonts" section (owned by the
    // list); null, logged, when either is missing.
    static VoPropertyList* LoadFontList(const VoString& aPath, VoPropertyList& aList);
    // Runs CreateFont over every entry of the "fonts" section.
    bool CreateAll(VoPropertyList* apFonts);

    VoHashKeyList fFonts;  // id -> VoIFont (owned), in insertion order
    VoString fRoot;
};
