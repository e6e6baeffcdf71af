// Reads arbitrary bytes as a gesture file (".gk": single-byte text up to the
// first zero byte, as VoPropertyList::Load reads it) into a gesture player
// with two characters bound, a man "a" and a woman "b", binds a third, "c",
// after the load, and plays it through a run of frames. The animation cache
// holds three animations filed in code beforehand (the cache's root is not
// mounted, so every other name finds no file). Whatever the file says, the
// keys, curves and started keys must stay within their arrays.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "animation/VoAnimation.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoAnimationTrack.h"
#include "animation/VoGestureAnimManager.h"
#include "character/VoCharacter.h"
#include "character/VoGestureCurve.h"
#include "character/VoGestureKey.h"
#include "character/VoGesturePlayer.h"
#include "container/VoPropertyList.h"
#include "memory/VoNew.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "startup/VoStartupCreators.h"
#include "stdlib/VoCleaner.h"
#include "stdlib/VoFrameManager.h"
#include "support/FuzzSupport.h"
#include "support/FuzzTexture.h"
#include "system/VoITimer.h"

namespace {

void Require(bool aCondition) {
    if (!aCondition) {
        std::abort();
    }
}

void FileAnimation(const char16_t* apId, std::int32_t aFrames) {
    VoAnimation* animation = VO_NEW VoAnimation();
    if (animation == nullptr) {
        return;
    }
    if (!animation->Create(VoString(apId), 1, aFrames) ||
        !animation->GetTrack(0)->Create(VoString(u"Biped"), aFrames, false, true, true) ||
        VoGestureAnimManager::GetInstance()->AddAnimation(VoString(apId), animation) == 0) {
        delete animation;
    }
}

VoCharacter* NewCharacter(bool aFemale, FuzzTimer* apTimer) {
    VoCharacter* character = VO_NEW VoCharacter();
    VoDrawElement* element = VO_NEW VoDrawElement();
    VoFrame* root = VO_NEW VoFrame();
    root->SetName(VoString(u"Biped"));
    element->SetRootFrame(root);
    element->SetAnimationCtrl(VO_NEW VoAnimationCtrl(apTimer));
    character->AddElement(element);
    character->SetFemale(aFemale);
    return character;
}

void CheckPlayer(const VoGesturePlayer& aPlayer) {
    Require(aPlayer.GetKeyCount() >= 0);
    Require(aPlayer.GetNextKey() >= 0 && aPlayer.GetNextKey() <= aPlayer.GetKeyCount());
    Require(aPlayer.GetActiveKeyCount() <= aPlayer.GetNextKey());
    for (std::int32_t i = 0; i < aPlayer.GetKeyCount(); ++i) {
        const VoGestureCurve* curve = aPlayer.GetCurve(i);
        Require(curve != nullptr && aPlayer.GetKey(i) != nullptr);
        Require(curve->GetCursor() >= 0 &&
                (curve->GetCursor() < curve->GetSampleCount() || curve->GetCursor() == 0));
        Require(curve->GetSampleCount() % 101 == 0);
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

    VoCleaner::ResetEngineForTests();
    VoCleaner::GetInstance();
    VoStartupCreators::Register();
    FileAnimation(u"/ma_M/ma_point.lia1", 45);
    FileAnimation(u"/ma_F/ma_point.lia1", 30);
    FileAnimation(u"//animations/still.lia1", 1);
    {
        FuzzTimer timer;
        VoCharacter* man = NewCharacter(false, &timer);
        VoCharacter* woman = NewCharacter(true, &timer);
        VoCharacter* late = NewCharacter(true, &timer);
        {
            VoPropertyList file;
            file.Parse(text);
            VoGesturePlayer player(&timer);
            player.SetCharacter(VoString(u"a"), man);
            player.SetCharacter(VoString(u"B"), woman);
            player.Load(&file);
            CheckPlayer(player);
            player.SetCharacter(VoString(u"c"), late);
            CheckPlayer(player);
            player.Play();
            for (double now : {0.0, 0.01, 0.5, 1.0, 1.5, 2.0, 3.0, 5.0, 10.0, 100.0, 1.0e6}) {
                timer.fNow = now;
                player.UpdateAnimation();
                man->Update(nullptr);
                woman->Update(nullptr);
                late->Update(nullptr);
                CheckPlayer(player);
            }
            player.Pause();
            player.Play();
            player.Stop();
            CheckPlayer(player);
        }
        delete man;
        delete woman;
        delete late;
    }
    delete VoCleaner::PeekInstance();
    return 0;
}
