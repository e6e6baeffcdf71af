#pragma once
// The profiler tests' game: a PDAGame (the sample tree, case 1, the scene
// "test/room" to open the profiler from) with the profiling computer made
// first, as the application's start-up makes it:
//
//     ProfilerGame game;
//     game.Enter();                  // the state set, the fades run out
//     game.Drop(u"brasskey");        // the item dropped on the slot
//     ProfilerGame::Analyze();
//     ProfilerGame::EndSound("analyze");
#include <gtest/gtest.h>

#include <string>

#include "MGScreenManager.h"
#include "event/VoEventManager.h"
#include "game/pda/PDATestGame.h"
#include "profiler/MGProfilingComputer.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"

class ProfilerGame : public PDAGame {
public:
    // A point inside the item slot.
    static constexpr float kSlotX = 300.0f;
    static constexpr float kSlotY = 70.0f;

    ProfilerGame() { EXPECT_NE(Profiler(), nullptr); }

    static MGProfilingComputer* Profiler() { return MGProfilingComputer::GetInstance(); }

    // "sta_profiler_active" set true, telling the listeners.
    static void SetActive() {
        VoStateManager::GetInstance()->SetState(VoString(MGProfilingComputer::kActiveState),
                                                VoString(u"boolean"), VoString(u"true"), true);
    }
    // The profiler opened over "test/room", its fades over.
    void Enter() {
        EnterScene();
        Open();
    }
    // The profiler opened over the scene entered, its fades over.
    void Open() {
        SetActive();
        RunFrames(1.0);
        ASSERT_EQ(MGScreenManager::GetInstance()->GetTopScreen(), Profiler());
        ASSERT_NE(Profiler()->GetRoot(), nullptr);
    }
    // The item taken into the cursor and let go with a click at the point,
    // a while after the last click (not a double click).
    void Drop(const char16_t* apItem, float aX = kSlotX, float aY = kSlotY) {
        RunFrames(0.3);
        MGCursor::GetInstance()->SetItemCursor(VoString(apItem));
        Click(aX, aY);
    }
    static void Analyze() { Profiler()->OnButtonEvent(VoString(u"analyze"), VoIButtonListener::kClick); }
    // Ends the newest sound of that stream name, as the library reports it.
    static void EndSound(const std::string& aName) {
        stubs::SoundPlayer* sound = stubs::SoundPlayer::Find(aName);
        ASSERT_NE(sound, nullptr) << aName;
        sound->End();
    }
    // The path of the sound playing now, "" for none.
    static std::string Playing() {
        VoISoundPlayer* player = Profiler()->GetSoundPlayer();
        auto* sound = dynamic_cast<stubs::SoundPlayer*>(player);
        return sound != nullptr ? sound->fPath : "";
    }
    // The event, added when the game clock reads aTime.
    static void AddEventAt(const VoString& aId, float aTime) {
        VoGameClock* clock = VoGameClock::GetInstance();
        clock->AdvanceTime(aTime - clock->GetTime(), false);
        VoEventManager::GetInstance()->AddEvent(aId, false);
    }
    static bool HasEvent(const char16_t* apId) {
        return VoEventManager::GetInstance()->HasEvent(VoString(apId));
    }
    static bool Visible(VoIDisplayObject* apObject) { return apObject != nullptr && apObject->GetVisible(); }
};
