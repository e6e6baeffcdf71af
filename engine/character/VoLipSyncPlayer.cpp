#include "character/VoLipSyncPlayer.h"

#include "animation/VoAnimation.h"
#include "animation/VoAnimationTrack.h"
#include "animation/VoLipSyncData.h"
#include "animation/VoLipSyncTrack.h"
#include "container/VoLog.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoVector3.h"
#include "geometry/VoVector4.h"
#include "memory/VoNew.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "stdlib/VoStopWatch.h"

namespace {

constexpr float kRotationTolerance = 0.0001f;

}  // namespace

VoLipSyncPlayer::VoLipSyncPlayer()
    : fpClock(VO_NEW VoStopWatch()),
      fpData(nullptr),
      fPlaying(false),
      fPaused(false),
      fpCursors(nullptr),
      fpReported(nullptr),
      fCursorCount(0),
      fpElement(nullptr),
      fpPoses() {}

VoLipSyncPlayer::VoLipSyncPlayer(VoITimer* apTimer)
    : fpClock(VO_NEW VoStopWatch(apTimer)),
      fpData(nullptr),
      fPlaying(false),
      fPaused(false),
      fpCursors(nullptr),
      fpReported(nullptr),
      fCursorCount(0),
      fpElement(nullptr),
      fpPoses() {}

VoLipSyncPlayer::~VoLipSyncPlayer() {
    Stop();
    delete fpClock;
    fpClock = nullptr;
    delete fpData;
    fpData = nullptr;
    delete[] fpCursors;
    fpCursors = nullptr;
    delete[] fpReported;
    fpReported = nullptr;
    FreePoses();
    fpElement = nullptr;
}

void VoLipSyncPlayer::FreePoses() {
    for (VoAnimation*& pose : fpPoses) {
        delete pose;
        pose = nullptr;
    }
}

bool VoLipSyncPlayer::ResetCursors() {
    delete[] fpCursors;
    fpCursors = nullptr;
    delete[] fpReported;
    fpReported = nullptr;
    fCursorCount = 0;
    const std::int32_t count = fpData != nullptr ? fpData->GetTrackCount() : 0;
    if (count <= 0) {
        return true;
    }
    fpCursors = VO_NEW std::int32_t[static_cast<std::size_t>(count)]();
    fpReported = VO_NEW std::uint8_t[static_cast<std::size_t>(count)]();
    if (fpCursors == nullptr || fpReported == nullptr) {
        delete[] fpCursors;
        fpCursors = nullptr;
        delete[] fpReported;
        fpReported = nullptr;
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    fCursorCount = count;
    return true;
}

bool VoLipSyncPlayer::LoadData(bool aSerialised, const VoString& aPath, bool aMapToNative) {
    delete fpData;
    fpData = VO_NEW VoLipSyncData();
    if (fpData == nullptr || !fpData->LoadFile(aSerialised, aPath, aMapToNative)) {
        delete fpData;
        fpData = nullptr;
        ResetCursors();
        return false;
    }
    return ResetCursors();
}

bool VoLipSyncPlayer::LoadAnimations(const VoString& aDirectory, bool aMapToNative) {
    FreePoses();
    for (std::int32_t channel = 0; channel < kPoseCount; ++channel) {
        VoString path(aDirectory);
        path.Append(aMapToNative ? u"/" : u"\\");
        path.Append(VoLipSyncTrack::GetChannelName(channel));
        path.Append(kPoseEnding);
        VoAnimation* pose = VO_NEW VoAnimation();
        if (pose == nullptr || !pose->Load(path, aMapToNative)) {
            delete pose;
            VO_ASSERT_FAILURE(kAnimationNotFound);
            return false;
        }
        fpPoses[channel] = pose;
    }
    return true;
}

bool VoLipSyncPlayer::SetData(VoLipSyncData* apData) {
    if (apData == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    if (apData != fpData) {
        delete fpData;
        fpData = apData;
    }
    return ResetCursors();
}

bool VoLipSyncPlayer::SetDrawElement(VoDrawElement* apElement) {
    if (apElement == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    fpElement = apElement;
    return true;
}

bool VoLipSyncPlayer::SetPose(std::int32_t aChannel, VoAnimation* apPose) {
    if (aChannel < 0 || aChannel >= kPoseCount) {
        return false;
    }
    if (apPose != fpPoses[aChannel]) {
        delete fpPoses[aChannel];
        fpPoses[aChannel] = apPose;
    }
    return true;
}

VoAnimation* VoLipSyncPlayer::GetPose(std::int32_t aChannel) const {
    return aChannel >= 0 && aChannel < kPoseCount ? fpPoses[aChannel] : nullptr;
}

std::int32_t VoLipSyncPlayer::GetCursor(std::int32_t aTrack) const {
    return aTrack >= 0 && aTrack < fCursorCount ? fpCursors[aTrack] : -1;
}

void VoLipSyncPlayer::Play() {
    if (fpData == nullptr) {
        VO_ASSERT_FAILURE(kNoData);
        return;
    }
    if (fpClock != nullptr) {
        if (!fPaused) {
            fpClock->Reset();
        }
        fpClock->Resume();
    }
    fPaused = false;
    fPlaying = true;
}

bool VoLipSyncPlayer::Pause() {
    if (!fPaused) {
        fPaused = true;
        if (fpClock != nullptr) {
            fpClock->Pause();
        }
    }
    return true;
}

bool VoLipSyncPlayer::Stop() {
    for (std::int32_t i = 0; i < fCursorCount; ++i) {
        fpCursors[i] = 0;
    }
    fPaused = false;
    fPlaying = false;
    return true;
}

bool VoLipSyncPlayer::Update() {
    if (!fPlaying || fPaused || fpData == nullptr) {
        return true;
    }
    const float now = fpClock != nullptr ? fpClock->GetElapsed() : 0.0f;
    for (std::int32_t j = 0; j < fCursorCount; ++j) {
        const VoLipSyncTrack* track = fpData->GetTrack(j);
        float weight = 0.0f;
        if (track == nullptr || !track->Sample(now, &fpCursors[j], &weight)) {
            continue;
        }
        const VoAnimation* pose = GetPose(track->GetChannel());
        if (pose == nullptr) {
            // Once per track: the line would otherwise repeat every frame.
            if (fpReported[j] == 0) {
                fpReported[j] = 1;
                VO_ASSERT_FAILURE(kNoPose);
            }
            continue;
        }
        if (fpElement != nullptr) {
            ApplyPose(pose, weight);
        }
    }
    return true;
}

void VoLipSyncPlayer::ApplyPose(const VoAnimation* apPose, float aWeight) {
    const std::uint32_t tracks = apPose->GetTrackCount();
    for (std::uint32_t t = 0; t < tracks; ++t) {
        const VoAnimationTrack* track = apPose->GetTrack(t);
        VoFrame* frame = track != nullptr ? fpElement->FindFrameByHash(track->GetHash()) : nullptr;
        if (frame == nullptr) {
            continue;
        }
        VoMatrix& relative = frame->RelativeMatrix();
        VoVector3 rows[3];
        float scale[3];
        VoMatrix rotation;
        MatrixIdentity(&rotation);
        for (int r = 0; r < 3; ++r) {
            rows[r].Set(relative.m[r][0], relative.m[r][1], relative.m[r][2]);
            scale[r] = rows[r].Length();
            rows[r].NormalizeInPlace(kRotationTolerance);
            rotation.m[r][0] = rows[r].x;
            rotation.m[r][1] = rows[r].y;
            rotation.m[r][2] = rows[r].z;
        }
        if (const VoQuaternion* key = track->GetRotationKey(0)) {
            VoQuaternion from;
            QuaternionRotationMatrix(&from, &rotation);
            from.NormalizeInPlace(kRotationTolerance);
            VoQuaternion to = *key;
            to.NormalizeInPlace(kRotationTolerance);
            VoQuaternion blended;
            QuaternionSlerp(&blended, &from, &to, aWeight);
            blended.NormalizeInPlace(kRotationTolerance);
            MatrixRotationQuaternion(&rotation, &blended);
        }
        VoVector3 translation(relative.m[3][0], relative.m[3][1], relative.m[3][2]);
        if (const VoVector3* position = track->GetPositionKey(0)) {
            translation = *position;
        }
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                relative.m[r][c] = scale[r] * rotation.m[r][c];
            }
            relative.m[r][3] = 0.0f;
        }
        relative.m[3][0] = translation.x;
        relative.m[3][1] = translation.y;
        relative.m[3][2] = translation.z;
        relative.m[3][3] = 1.0f;
    }
}
