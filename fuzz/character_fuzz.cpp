// Reads arbitrary bytes as a game character's file (single-byte text up to
// the first zero byte, as VoPropertyList::Load reads it): the game keys
// (interview pose, ambient gestures and their weights, seated idle, name)
// and, from the same list, a scene's footstep regions. No data folder is
// mounted, so every file the keys name is missing. Whatever the file says,
// the chosen gesture stays within the list, and turns, actions and head
// tracking run without a model.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "container/VoPropertyList.h"
#include "geometry/VoVector2.h"
#include "geometry/VoVector3.h"
#include "memory/VoNew.h"
#include "scene/MGCharacter.h"
#include "startup/VoStartupCreators.h"
#include "stdlib/VoCleaner.h"
#include "support/FuzzSupport.h"
#include "util/MGCleaner.h"

namespace {

void Require(bool aCondition) {
    if (!aCondition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    VoPropertyList file;
    if (!ParseFuzzPropertyList(apData, aSize, 0x10000, &file)) {
        return 0;
    }
    VoCleaner::ResetEngineForTests();
    VoCleaner::GetInstance();
    VoStartupCreators::Register();
    {
        MGCharacter character;
        character.Create(&file, nullptr);
        Require(character.GetGestureCount() >= 0 && character.GetWeightSum() >= 0);
        for (int r : {0, 1, 2, 7, 100, 32767}) {
            const int chosen = character.ChooseAmbientGesture(r);
            Require(chosen >= -1 && chosen < character.GetGestureCount());
            Require(chosen >= 0 || character.GetWeightSum() == 0 || character.GetGestureCount() == 0);
        }
        character.LoadFootsteps(&file);
        Require(character.GetFootstepCount() >= 0);

        MGCharacter other;
        other.Create(&file, nullptr);
        character.SetLookAtTarget(&other);
        character.SetHeadTracking(true);
        character.SetInterviewPose(true, nullptr);
        character.TurnTo(VoVector3(3.0f, 0.0f, -4.0f), nullptr);
        for (int code = 0; code <= 11; ++code) {
            character.PlayAction(code, nullptr);
            character.UpdateTransform();
        }
        character.ShowHandProp(VoString(u"x"), 1);
        character.TurnAndWalk(VoVector2(-5.0f, 1.0f), 1);
        character.SetInterviewPose(false, nullptr);
        character.SetAmbientSuspended(false);
        for (int i = 0; i < 3; ++i) {
            character.UpdateTransform();
            other.UpdateTransform();
        }
        character.SetHeadTracking(false);
        character.UpdateTransform();
    }
    delete MGCleaner::PeekInstance();
    delete VoCleaner::PeekInstance();
    return 0;
}
