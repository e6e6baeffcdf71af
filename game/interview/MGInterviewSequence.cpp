#include "interview/MGInterviewSequence.h"

#include <cmath>

#include "character/VoGesturePlayer.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "interview/MGISequenceListener.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGSubtitle.h"
#include "memory/VoNew.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "scene/MGCharacter.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "system/VoITimer.h"
#include "util/MGListening.h"
#include "util/MGOptions.h"

namespace {

const char16_t* const kBindings[] = {u"primary", u"secondary", u"tertiary"};

// Times of a data file: what is not a finite number of 0 or more plays at
// once, so every item fires some time.
float TimeOf(const VoVectorFloat& aTimes, int aIndex) {
    const float time = aTimes.GetAt(aIndex);
    return time >= 0.0f && std::isfinite(time) ? time : 0.0f;
}

}  // namespace

MGInterviewSequence::MGInterviewSequence()
    : fSoundIndex(0),
      fSubtitleIndex(0),
      fViewpointIndex(0),
      fNoSkip(false),
      fFinished(false),
      fBargain(false),
      fStartTime(0.0),
      fNextSoundTime(-1.0f),
      fNextSubtitleTime(-1.0f),
      fNextViewpointTime(-1.0f),
      fpTimer(VoITimer::GetInstance()),
      fpSoundPlayer(nullptr),
      fpGesturePlayer(nullptr),
      fpSubtitle(MGSubtitle::GetInstance()),
      fpLipSyncCharacter(nullptr),
      fpInterview(nullptr),
      fpListener(nullptr),
      fPlaying(false),
      fSoundPlaying(false),
      fListeningToFrames(false),
      fListeningToKeys(false) {
    if (fpSubtitle != nullptr) {
        fpSubtitle->SetPosition(kSubtitleX, kSubtitleY);
    }
}

MGInterviewSequence::~MGInterviewSequence() {
    Listen(false);
    StopVoice();
    for (int i = 0; i < fSubtitles.GetCount(); ++i) {
        delete static_cast<SubtitleRecord*>(fSubtitles.GetAt(i));
    }
    fSubtitles.Clear();
}

bool MGInterviewSequence::Create(const VoString& aDoneEvent, VoPropertyList* apNode, MGInterview* apInterview) {
    if (apInterview == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
    }
    fpInterview = apInterview;
    fDoneEvent = aDoneEvent;
    if (apNode == nullptr) {
        return true;
    }
    if (apNode->GetBool(VoString(u"noskip"), nullptr)) {
        fNoSkip = true;
    }
    if (apNode->GetBool(VoString(u"bargain"), nullptr)) {
        fBargain = true;
    }
    AddSounds(apNode);
    AddSubtitles(apNode);
    AddViewpoints(apNode);
    bool found = false;
    const VoString target = apNode->GetString(VoString(u"targetscene"), &found);
    if (found) {
        fTargetScene = target;
    }
    return true;
}

void MGInterviewSequence::AddSounds(VoPropertyList* apNode) {
    const VoVectorString sounds = apNode->GetVectorString(VoString(u"sounds"), nullptr);
    bool found = false;
    const VoVectorFloat times = apNode->GetVectorFloat(VoString(u"soundtimes"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoSoundTimes);
    }
    const VoVectorString characters = apNode->GetVectorString(VoString(u"characters"), nullptr);
    // Each node's sounds keep their own times and characters: a sound
    // without a time is never played, a time without a sound is dropped.
    for (int i = 0; i < sounds.GetCount() && i < times.GetCount(); ++i) {
        fSounds.Add(sounds.GetAt(i));
        fSoundTimes.Add(TimeOf(times, i));
        fCharacters.Add(i < characters.GetCount() ? characters.GetAt(i) : VoString(u""));
    }
}

void MGInterviewSequence::AddSubtitles(VoPropertyList* apNode) {
    VoPropertyList* entries = apNode->GetList(VoString(u"subtitles"));
    if (entries == nullptr) {
        VO_ASSERT_FAILURE(kNoSubtitles);
    }
    bool found = false;
    const VoVectorFloat times = apNode->GetVectorFloat(VoString(u"subtitletimes"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoSubtitleTimes);
    }
    const int count = entries != nullptr ? entries->GetCount() : 0;
    for (int i = 0; i < count && i < times.GetCount(); ++i) {
        VoPropertyList* entry = entries->GetListAt(i);
        VoString fontKey;
        VoString textKey;
        VoString type;
        if (entry != nullptr) {
            fontKey = entry->GetString(VoString(u"font"), &found);
            if (!found) {
                VO_ASSERT_FAILURE(kNoFont);
            }
            textKey = entry->GetString(VoString(u"subtitle"), &found);
            if (!found) {
                VO_ASSERT_FAILURE(kNoSubtitle);
            }
            type = entry->GetString(VoString(u"type"), &found);
            if (!found) {
                VO_ASSERT_FAILURE(kNoType);
            }
        }
        SubtitleRecord* record = VO_NEW SubtitleRecord{nullptr, VoString(u""), type.EqualsNoCase(kReplace)};
        if (record == nullptr) {
            return;
        }
        if (fpInterview != nullptr) {
            record->fpFont = fpInterview->GetFont(fontKey);
            fpInterview->GetSubtitle(textKey, record->fText);
        }
        if (!fSubtitles.Add(record)) {
            delete record;
            return;
        }
        fSubtitleTimes.Add(TimeOf(times, i));
    }
}

void MGInterviewSequence::AddViewpoints(VoPropertyList* apNode) {
    const VoVectorString viewpoints = apNode->GetVectorString(VoString(u"viewpoints"), nullptr);
    if (viewpoints.GetCount() == 0 ||
        viewpoints.GetAt(0).SubString(0, VoString(kNoViewpoints).GetLength()).EqualsNoCase(kNoViewpoints)) {
        return;
    }
    const VoVectorFloat times = apNode->GetVectorFloat(VoString(u"viewpointtimes"), nullptr);
    for (int i = 0; i < viewpoints.GetCount() && i < times.GetCount(); ++i) {
        fViewpoints.Add(viewpoints.GetAt(i));
        fViewpointTimes.Add(TimeOf(times, i));
    }
}

bool MGInterviewSequence::Play(MGISequenceListener* apListener) {
    if (apListener == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
    }
    fpListener = apListener;
    fStartTime = Now();
    fSoundIndex = 0;
    fSubtitleIndex = 0;
    fViewpointIndex = 0;
    fFinished = false;
    fPlaying = true;
    fNextSoundTime = fSoundTimes.GetCount() > 0 ? fSoundTimes.GetAt(0) : -1.0f;
    fNextSubtitleTime = fSubtitleTimes.GetCount() > 0 ? fSubtitleTimes.GetAt(0) : -1.0f;
    fNextViewpointTime = fViewpointTimes.GetCount() > 0 ? fViewpointTimes.GetAt(0) : -1.0f;
    Listen(true);
    return true;
}

void MGInterviewSequence::OnUpdate() {
    if (!fPlaying) {
        return;
    }
    // Without sounds nothing else ends the sequence: it ends once every
    // subtitle and cut has had its frame.
    if (fSounds.GetCount() == 0 && fNextSubtitleTime < 0.0f && fNextViewpointTime < 0.0f) {
        End(true);
        return;
    }
    const double elapsed = Now() - fStartTime;
    if (fNextSoundTime >= 0.0f && fNextSoundTime <= elapsed && PlaySound()) {
        return;
    }
    if (fNextSubtitleTime >= 0.0f && fNextSubtitleTime <= elapsed) {
        PlaySubtitle();
    }
    if (fNextViewpointTime >= 0.0f && fNextViewpointTime <= elapsed) {
        PlayViewpoint();
    }
}

bool MGInterviewSequence::PlaySound() {
    fNextSoundTime = -1.0f;
    StopVoice();
    const VoString* name = fSounds.PeekAt(fSoundIndex);
    if (name == nullptr) {
        return false;
    }
    const VoString sound = *name;
    SetPlayingState(sound, true);
    fSoundPlaying = true;
    VoISoundManager* sounds = VoISoundManager::GetInstance();
    if (sounds != nullptr) {
        fpSoundPlayer = sounds->CreateStream(VoString(kPlayerName), VoString(kSoundRoot) + sound + kSoundExtension);
        if (fpSoundPlayer == nullptr) {
            VO_ERROR(kUsingTempSound);
            fpSoundPlayer = sounds->CreateStream(VoString(kPlayerName), VoString(kTempSound));
        }
    }
    if (fpSoundPlayer == nullptr) {
        VO_ERROR(kSoundFailure);
        // Nothing will report this line's end: it is over at once.
        return SoundEnded();
    }
    fpSoundPlayer->SetListener(this);
    if (MGOptions* options = MGOptions::GetInstance()) {
        fpSoundPlayer->SetVolume(options->GetVolume());
    }
    const VoString keys = fCharacters.GetAt(fSoundIndex);
    StartGestures(sound, keys);
    StartLipSync(sound, keys);

    VoString pocketAnimation;
    VoString pocketObject;
    bool pocket = false;
    MGInterviewManager* manager = MGInterviewManager::GetInstance();
    if (VoPropertyList* pockets = manager != nullptr ? manager->GetPocketObjects() : nullptr) {
        if (VoPropertyList* entry = pockets->GetList(sound)) {
            bool hasAnimation = false;
            bool hasObject = false;
            pocketAnimation = entry->GetString(VoString(u"anim"), &hasAnimation);
            pocketObject = entry->GetString(VoString(u"object"), &hasObject);
            pocket = hasAnimation && hasObject;
        }
    }

    if (fpLipSyncCharacter != nullptr) {
        fpLipSyncCharacter->PlayLipSync();
    }
    fpSoundPlayer->Play();
    if (fpGesturePlayer != nullptr) {
        fpGesturePlayer->Play();
    }
    if (pocket) {
        MGScene* scene = MGSceneManager::GetCurrentScene();
        if (MGCharacter* player = scene != nullptr ? scene->GetPlayer() : nullptr) {
            player->SetPendingPocketAction(pocketAnimation, pocketObject == VoString(kBadge) ? 0 : 1);
        }
    }
    return false;
}

void MGInterviewSequence::StartGestures(const VoString& aSound, const VoString& aKeys) {
    if (aKeys.GetLength() == 0 || fpInterview == nullptr) {
        return;
    }
    fpGesturePlayer = VO_NEW VoGesturePlayer();
    if (fpGesturePlayer == nullptr) {
        return;
    }
    // Tertiary first, primary last, as the keys name them.
    const int count = aKeys.GetLength() < 3 ? aKeys.GetLength() : 3;
    for (int i = count - 1; i >= 0; --i) {
        if (MGCharacter* character = fpInterview->GetCharacter(aKeys.SubString(i, 1))) {
            fpGesturePlayer->SetCharacter(VoString(kBindings[i]), character);
        }
    }
    if (!fpGesturePlayer->Load(VoString(kGestureRoot) + aSound + kGestureExtension)) {
        delete fpGesturePlayer;
        fpGesturePlayer = nullptr;
    }
}

void MGInterviewSequence::StartLipSync(const VoString& aSound, const VoString& aKeys) {
    if (aKeys.GetLength() == 0 || fpInterview == nullptr) {
        return;
    }
    MGCharacter* speaker = fpInterview->GetCharacter(aKeys.SubString(0, 1));
    if (speaker != nullptr &&
        speaker->LoadLipSync(VoString(kLipSyncRoot) + aSound + kLipSyncExtension,
                             VoString(kPhonemeRoot) + speaker->GetHeadType())) {
        fpLipSyncCharacter = speaker;
    }
}

void MGInterviewSequence::StopVoice() {
    delete fpSoundPlayer;
    fpSoundPlayer = nullptr;
    delete fpGesturePlayer;
    fpGesturePlayer = nullptr;
    if (fpLipSyncCharacter != nullptr) {
        fpLipSyncCharacter->StopLipSync();
        fpLipSyncCharacter = nullptr;
    }
}

void MGInterviewSequence::SetPlayingState(const VoString& aSound, bool aPlaying) {
    VoStateManager* states = VoStateManager::GetInstance();
    if (states == nullptr) {
        return;
    }
    const VoString id = VoString(kPlayingStatePrefix) + aSound;
    if (!aPlaying) {
        states->SetState(id.ToLower(), &aPlaying, true);
        return;
    }
    VoIState* state = VO_NEW VoIState();
    if (state == nullptr || !state->Set(id, VoIState::kBoolean, &aPlaying) || !states->AddState(state, true, true)) {
        delete state;
    }
}

void MGInterviewSequence::PlaySubtitle() {
    fNextSubtitleTime = -1.0f;
    const SubtitleRecord* record = fSubtitleIndex < fSubtitles.GetCount()
                                       ? static_cast<SubtitleRecord*>(fSubtitles.GetAt(fSubtitleIndex))
                                       : nullptr;
    if (record == nullptr) {
        VO_ERROR(kSubtitleNotFound, fSubtitleIndex);
    } else if (fpSubtitle != nullptr) {
        if (record->fReplace) {
            fpSubtitle->SetText(record->fText, record->fpFont);
        } else {
            fpSubtitle->AppendText(record->fText, record->fpFont);
        }
        if (!fpSubtitle->IsVisible()) {
            fpSubtitle->Show();
        }
    }
    ++fSubtitleIndex;
    if (fSubtitleIndex < fSubtitleTimes.GetCount()) {
        fNextSubtitleTime = fSubtitleTimes.GetAt(fSubtitleIndex);
    }
}

void MGInterviewSequence::PlayViewpoint() {
    fNextViewpointTime = -1.0f;
    if (const VoString* cut = fViewpoints.PeekAt(fViewpointIndex)) {
        CutTo(*cut);
    }
    ++fViewpointIndex;
    if (fViewpointIndex < fViewpointTimes.GetCount()) {
        fNextViewpointTime = fViewpointTimes.GetAt(fViewpointIndex);
    }
}

void MGInterviewSequence::OnSoundEnd(const VoString&) {
    if (!fPlaying || !fSoundPlaying) {
        return;
    }
    SoundEnded();
}

bool MGInterviewSequence::SoundEnded() {
    StopVoice();
    if (fSoundPlaying) {
        fSoundPlaying = false;
        if (const VoString* sound = fSounds.PeekAt(fSoundIndex)) {
            SetPlayingState(*sound, false);
        }
    }
    ++fSoundIndex;
    if (fSoundIndex < fSoundTimes.GetCount()) {
        fNextSoundTime = fSoundTimes.GetAt(fSoundIndex);
        return false;
    }
    End(true);
    return true;
}

void MGInterviewSequence::OnKeyDown(int aKey) {
    if (aKey != kSkipKey || fNoSkip || !fPlaying) {
        return;
    }
    StopVoice();
    if (fViewpoints.GetCount() > 0) {
        CutTo(fViewpoints.GetAt(fViewpoints.GetCount() - 1));
    }
    if (fSoundPlaying) {
        fSoundPlaying = false;
        if (const VoString* sound = fSounds.PeekAt(fSoundIndex)) {
            SetPlayingState(*sound, false);
        }
    }
    End(false);
}

void MGInterviewSequence::OnKeyUp(int aKey) {
    VO_NOTE(kKeyLine, aKey);
}

void MGInterviewSequence::End(bool aNatural) {
    fpSubtitle = nullptr;
    Listen(false);
    fPlaying = false;
    if (fDoneEvent.GetLength() > 0) {
        if (VoEventManager* events = VoEventManager::GetInstance()) {
            events->AddEvent(fDoneEvent, true);
        }
    }
    fFinished = true;
    if (fBargain) {
        if (fpInterview != nullptr) {
            fpInterview->LeaveForBargain(false);
        }
        return;
    }
    if (aNatural && fViewpoints.GetCount() > 0) {
        CutTo(fViewpoints.GetAt(fViewpoints.GetCount() - 1));
    }
    if (fpListener != nullptr) {
        // May delete this sequence.
        fpListener->OnSequenceEnd();
    }
}

void MGInterviewSequence::CutTo(const VoString& aCut) {
    if (MGScene* scene = MGSceneManager::GetCurrentScene()) {
        scene->SetCut(aCut);
    }
}

void MGInterviewSequence::Listen(bool aListen) {
    MGListenToFrames(this, kListenerOrder, aListen, &fListeningToFrames);
    MGListenToKeys(this, kListenerOrder, aListen, &fListeningToKeys);
}

double MGInterviewSequence::Now() const {
    return fpTimer != nullptr ? fpTimer->GetTime() : 0.0;
}

VoString MGInterviewSequence::ToString() const {
    return VoDebugString("MGInterviewSequence", this);
}
