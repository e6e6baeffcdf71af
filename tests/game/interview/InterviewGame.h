#pragma once
// A game for the interview tests: the sample tree with its fonts, the stub
// sound and movie managers and the timer the test sets (SceneGame), with
// "//interviews" moved to the scratch folder's "interviews", where each test
// writes the catalogue and the interview files it needs. The shared window's layout is
// the sample tree's.
//
//     InterviewGame game;
//     game.Write("t.txt", "...");
//     MGInterview* interview = game.MakeInterview("t.txt", "...", subtitles);
//     game.RunFrames(1.0);             // a second of frames
//     game.EndSound("t_line");         // the voice line "t_line" has ended
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "container/VoPropertyList.h"
#include "event/VoEvent.h"
#include "event/VoEventManager.h"
#include "event/VoIEventListener.h"
#include "game/support/SceneGame.h"
#include "interview/MGIInterviewListener.h"
#include "interview/MGISequenceListener.h"
#include "interview/MGInterview.h"
#include "memory/VoNew.h"
#include "state/VoIState.h"
#include "state/VoIStateListener.h"
#include "state/VoStateManager.h"
#include "support/PlatformTestFolder.h"
#include "system/VoIFileSystem.h"

using Journal = std::vector<std::string>;

// Writes down the events added, the states changed (id and value) and the
// ends of sequences and interviews it hears, in order.
class InterviewProbe : public VoIEventListener,
                       public VoIStateListener,
                       public MGISequenceListener,
                       public MGIInterviewListener {
public:
    InterviewProbe() {
        VoEventManager::GetInstance()->AddListener(this, 0.0f);
        VoStateManager::GetInstance()->AddListener(this, 0.0f);
    }
    ~InterviewProbe() override {
        if (VoEventManager* events = VoEventManager::GetInstance()) {
            events->RemoveListener(this);
        }
        if (VoStateManager* states = VoStateManager::GetInstance()) {
            states->RemoveListener(this);
        }
    }
    void OnEvent(VoEvent* apEvent) override { fJournal.push_back("event " + Narrow(apEvent->GetId())); }
    void OnStateChanged(VoIState* apState) override {
        std::string value;
        if (apState->GetType() == VoIState::kBoolean) {
            value = apState->GetBoolean() ? "true" : "false";
        } else if (apState->GetType() == VoIState::kNumber) {
            value = std::to_string(static_cast<int>(apState->GetNumber()));
        } else if (const VoString* text = static_cast<const VoString*>(apState->GetValue())) {
            value = Narrow(*text);
        }
        fJournal.push_back("state " + Narrow(apState->GetName()) + " " + value);
    }
    void OnSequenceEnd() override { fJournal.push_back("sequence end"); }
    void OnInterviewEvent(int aCode) override { fJournal.push_back("interview " + std::to_string(aCode)); }

    // The lines so far, forgotten.
    Journal Take() {
        Journal lines;
        lines.swap(fJournal);
        return lines;
    }
    // The lines so far without the voice lines' playing states and the game
    // clock's time, forgotten.
    Journal Facts() {
        Journal lines;
        for (const std::string& line : Take()) {
            if (line.rfind("state sta_interview_", 0) != 0 && line.rfind("state currenttime_clock_", 0) != 0) {
                lines.push_back(line);
            }
        }
        return lines;
    }
    // The lines that begin with aPrefix, in order.
    Journal With(const std::string& aPrefix) const {
        Journal lines;
        for (const std::string& line : fJournal) {
            if (line.compare(0, aPrefix.size(), aPrefix) == 0) {
                lines.push_back(line);
            }
        }
        return lines;
    }

    Journal fJournal;
};

class InterviewGame : public SceneGame {
public:
    InterviewGame() {
        fFolder.Write("interviews/.keep", "");
        EXPECT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//interviews"),
                                                         PlatformTestFolder::Wide(fFolder.Path("interviews"))));
    }

    // A file under "//interviews" (the scratch folder's "interviews").
    void Write(const std::string& aName, const std::string& aText) const {
        fFolder.Write("interviews/" + aName, aText);
    }

    static VoPropertyList* Parse(const std::string& aText) {
        VoPropertyList* list = VO_NEW VoPropertyList();
        EXPECT_TRUE(list->Parse(VoString(aText.c_str())));
        return list;
    }

    // A new interview made from the texts (the subtitle file is written as
    // aDataFile less ".txt" + "_subtitles.txt"); the caller deletes it.
    MGInterview* MakeInterview(const std::string& aDataFile, const std::string& aData,
                               const std::string& aSubtitles) const {
        const std::string subtitles = aDataFile.substr(0, aDataFile.size() - 4) + "_subtitles.txt";
        Write(subtitles, aSubtitles);
        MGInterview* interview = VO_NEW MGInterview();
        interview->Create(VoString(aDataFile.c_str()), Parse(aData), VoString(subtitles.c_str()));
        return interview;
    }

    // The live stub player of the voice line (its path "//sounds/" + name +
    // ".ogg"), or null.
    static stubs::SoundPlayer* Sound(const std::string& aLine) {
        const std::string path = "//sounds/" + aLine + ".ogg";
        for (stubs::SoundPlayer* player : stubs::Live<stubs::SoundPlayer>()) {
            if (player->fPath == path) {
                return player;
            }
        }
        return nullptr;
    }
    // The paths of the live stub players, oldest first.
    static std::vector<std::string> Playing() {
        std::vector<std::string> paths;
        for (stubs::SoundPlayer* player : stubs::Live<stubs::SoundPlayer>()) {
            paths.push_back(player->fPath);
        }
        return paths;
    }
    // Ends the voice line as the sound library does; false when it is not playing.
    static bool EndSound(const std::string& aLine) {
        stubs::SoundPlayer* player = Sound(aLine);
        if (player == nullptr) {
            return false;
        }
        player->End();
        return true;
    }
    // The stub players cannot open the voice line's file.
    static void Lose(const std::string& aLine) { stubs::Missing().insert("//sounds/" + aLine + ".ogg"); }

    // The clock to aSeconds with one frame.
    void At(double aSeconds) {
        fNow = aSeconds;
        FrameAt(fNow);
    }

    static bool HasEvent(const std::string& aId) { return VoEventManager::GetInstance()->HasEvent(VoString(aId.c_str())); }
    static const VoIState* State(const std::string& aId) {
        return VoStateManager::GetInstance()->GetState(VoString(aId.c_str()));
    }
    static void AddEvent(const std::string& aId) { VoEventManager::GetInstance()->AddEvent(VoString(aId.c_str()), true); }
    static void SetState(const std::string& aId, const std::string& aType, const std::string& aValue) {
        VoStateManager::GetInstance()->SetState(VoString(aId.c_str()), VoString(aType.c_str()),
                                                VoString(aValue.c_str()), false);
    }
};
