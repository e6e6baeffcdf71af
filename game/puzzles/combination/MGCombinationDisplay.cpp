#include "puzzles/combination/MGCombinationDisplay.h"

#include "container/VoDebugString.h"
#include "container/VoPropertyList.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"

MGCombinationDisplay::MGCombinationDisplay() : fKeys(kPositions, 1), fpShown{} {}

bool MGCombinationDisplay::Create(VoPropertyList* apSprites) {
    fKeys.Clear();
    for (VoIDisplayObject*& shown : fpShown) {
        shown = nullptr;
    }
    if (apSprites == nullptr) {
        return false;
    }
    for (int i = 0; i < apSprites->GetCount(); ++i) {
        VoSprite* sprite = VoLayoutBuilder::BuildSprite(apSprites->GetListAt(i));
        if (sprite == nullptr) {
            continue;
        }
        sprite->SetVisible(false);
        if (!AddMember(sprite, true)) {
            delete sprite;
        }
    }
    return true;
}

void MGCombinationDisplay::Append(const VoString& aKey) {
    if (fKeys.GetCount() < kPositions) {
        fKeys.Add(aKey);
        Refresh();
    }
}

VoString MGCombinationDisplay::GetText() const {
    VoString text;
    for (int i = 0; i < fKeys.GetCount(); ++i) {
        text.Append(fKeys.GetAt(i));
    }
    return text;
}

void MGCombinationDisplay::HideShown() {
    for (VoIDisplayObject*& shown : fpShown) {
        if (shown != nullptr) {
            shown->SetVisible(false);
            shown = nullptr;
        }
    }
}

void MGCombinationDisplay::Clear() {
    fKeys.Clear();
    HideShown();
}

void MGCombinationDisplay::Refresh() {
    HideShown();
    for (int i = 0; i < fKeys.GetCount() && i < kPositions; ++i) {
        VoString id(kSpritePrefix);
        id.Append(i + 1);
        id.Append(u"_");
        id.Append(fKeys.GetAt(i));
        // The key is data: a "." in it must not make a path into a group.
        VoIDisplayObject* sprite = nullptr;
        const int index = GetMembers().IndexOf(id);
        if (index >= 0) {
            sprite = GetMemberAt(index);
        }
        if (sprite != nullptr) {
            sprite->SetVisible(true);
            fpShown[i] = sprite;
        }
    }
}

VoIDisplayObject* MGCombinationDisplay::GetShown(int aPosition) const {
    return aPosition >= 1 && aPosition <= kPositions ? fpShown[aPosition - 1] : nullptr;
}

VoString MGCombinationDisplay::ToString() const {
    return VoDebugString("MGCombinationDisplay", this);
}
