#pragma once
// The digit display of the combination lock: up to seven entered keys, key
// k at position p (1 to 7) shown by the member sprite "dsp_0" + p + "_" + k
// (a key without such a sprite leaves its position empty).
#include "container/VoVectorString.h"
#include "gdi/VoDisplayGroup.h"

class VoPropertyList;

class MGCombinationDisplay : public VoDisplayGroup {
public:
    static constexpr int kPositions = 7;
    static constexpr const char16_t* kSpritePrefix = u"dsp_0";

    MGCombinationDisplay();

    // Builds every sprite entry of the list, hidden, as a member; false for
    // a missing list.
    bool Create(VoPropertyList* apSprites);
    // Enters a key; an eighth key is ignored.
    void Append(const VoString& aKey);
    // The entered keys joined in order.
    VoString GetText() const;
    int GetKeyCount() const { return fKeys.GetCount(); }
    // Forgets the keys and hides what was shown.
    void Clear();
    // Shows the sprite of each entered key at its position.
    void Refresh();
    // The sprite shown at position 1 to 7, or null.
    VoIDisplayObject* GetShown(int aPosition) const;

    VoString ToString() const override;

private:
    void HideShown();

    VoVectorString fKeys;
    VoIDisplayObject* fpShown[kPositions];  // members, not owned here; null where empty
};
