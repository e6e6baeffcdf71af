// Reads arbitrary bytes as a layout file (single-byte text up to the first
// zero byte, as VoPropertyList::Load reads it) and builds every top-level
// section as each element kind: a group with its children (added to a
// root, as screens do), a sprite, a button and a shape; then the whole file
// as a scroll-bar description over the root. Two textures are filed
// beforehand ("a.tga" 4 x 4 and "b.tga" 300 x 2) so sprites that name them
// take texture coordinates from the data; other names find no file, since
// the texture root is not mounted.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "container/VoPropertyList.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoIShape.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoScrollBar.h"
#include "gdi/VoSprite.h"
#include "memory/VoNew.h"
#include "render/VoTextureManager.h"
#include "stdlib/VoCleaner.h"
#include "support/FuzzSupport.h"
#include "support/FuzzTexture.h"

namespace {

void StartEngine() {
    StartFuzzEngine({VO_NEW FuzzCreator<FuzzTexture>(u"texture")});
    VoTextureManager::GetInstance()->SetRoot(VoString(u"//fuzztextures"));
    FileTexture(u"a.tga", 4, 4);
    FileTexture(u"b.tga", 300, 2);
}

void BuildAll(VoPropertyList& aLayout) {
    VoDisplayGroup root;
    root.SetId(VoString(u"root"));
    for (int i = 0; i < aLayout.GetCount(); ++i) {
        VoPropertyList* section = aLayout.GetListAt(i);
        VoDisplayGroup* group = VoLayoutBuilder::BuildGroup(section, true);
        if (group != nullptr && !root.AddMember(group, true)) {
            delete group;
        }
        delete VoLayoutBuilder::BuildSprite(section);
        delete VoLayoutBuilder::BuildButton(section, nullptr);
        delete VoLayoutBuilder::BuildShape(section);
    }
    VoScrollBarDesc desc;
    if (VoLayoutBuilder::BuildScrollBar(&aLayout, &root, &desc) &&
        (desc.fpDownArrow == nullptr || desc.fpUpArrow == nullptr || desc.fpBar == nullptr)) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    if (aSize > 0x10000) {
        return 0;
    }
    char* bytes = VO_NEW char[aSize + 1];
    if (bytes == nullptr) {
        return 0;
    }
    if (aSize > 0) {
        std::memcpy(bytes, apData, aSize);
    }
    bytes[aSize] = '\0';
    const VoString text(bytes);
    delete[] bytes;

    // A fresh engine for every input: textures, the mouse and the script
    // builder as a screen finds them.
    StartEngine();
    {
        VoPropertyList layout;
        layout.Parse(text);
        BuildAll(layout);
    }
    delete VoCleaner::PeekInstance();
    return 0;
}
