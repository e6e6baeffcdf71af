#include "SampleClip.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "animation/VoAnimation.h"
#include "animation/VoAnimationTrack.h"
#include "container/VoString.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoVector3.h"
#include "stdlib/VoMemoryStream.h"

namespace sample {

float Degrees(float aDegrees) {
    return aDegrees * kPi / 180.0f;
}

VoMatrix RotationOf(const Turn& aTurn) {
    VoMatrix rx;
    VoMatrix ry;
    VoMatrix rz;
    MatrixRotationX(&rx, Degrees(aTurn.x));
    MatrixRotationY(&ry, Degrees(aTurn.y));
    MatrixRotationZ(&rz, Degrees(aTurn.z));
    VoMatrix xy;
    VoMatrix xyz;
    MatrixMultiply(&xy, &rx, &ry);
    MatrixMultiply(&xyz, &xy, &rz);
    return xyz;
}

VoQuaternion QuaternionOf(const Turn& aTurn) {
    const VoMatrix rotation = RotationOf(aTurn);
    VoQuaternion q;
    QuaternionRotationMatrix(&q, &rotation);
    return q;
}

float Wave(float aPhase, float aShift) {
    return std::sin(2.0f * kPi * (aPhase + aShift));
}

float Rise(float aPhase) {
    return std::sin(kPi * aPhase);
}

float PhaseOf(const Clip& aClip, std::int32_t aKey) {
    const std::int32_t span = aClip.loops ? aClip.frames : aClip.frames - 1;
    return span > 0 ? static_cast<float>(aKey) / static_cast<float>(span) : 0.0f;
}

bool Build(const Clip& aClip, VoAnimation* apAnimation) {
    const bool hasBiped = static_cast<bool>(aClip.bob);
    const auto trackCount = static_cast<std::int32_t>(aClip.bones.size() + (hasBiped ? 1 : 0));
    if (!apAnimation->Create(VoString(aClip.name.c_str()), trackCount, aClip.frames)) {
        return false;
    }
    std::int32_t index = 0;
    if (hasBiped) {
        VoAnimationTrack* biped = apAnimation->GetTrack(index++);
        if (!biped->Create(VoString(VoAnimationTrack::kBipedName), aClip.frames, false, true, true)) {
            return false;
        }
        for (std::int32_t k = 0; k < aClip.frames; ++k) {
            biped->GetPositionKeys()[k] = VoVector3(0.0f, kBipedHeight + aClip.bob(PhaseOf(aClip, k)), 0.0f);
        }
    }
    for (const BoneTrack& bone : aClip.bones) {
        VoAnimationTrack* track = apAnimation->GetTrack(index++);
        if (!track->Create(VoString(bone.name.c_str()), aClip.frames, false, true, false)) {
            return false;
        }
        for (std::int32_t k = 0; k < aClip.frames; ++k) {
            track->GetRotationKeys()[k] = QuaternionOf(bone.pose(PhaseOf(aClip, k)));
        }
    }
    return true;
}

Bytes Written(const Clip& aClip, bool aRaw) {
    VoAnimation animation;
    if (!Build(aClip, &animation)) {
        std::fprintf(stderr, "could not build an animation\n");
        return {};
    }
    VoMemoryStream stream(1024, VoMemoryStream::kGrowDouble);
    if (!(aRaw ? animation.WriteRaw(&stream) : animation.Write(&stream))) {
        std::fprintf(stderr, "the engine could not write an animation\n");
        return {};
    }
    return Bytes(stream.GetBuffer(), stream.GetBuffer() + stream.GetPosition());
}

std::string Narrow(const std::u16string& aText) {
    std::string text;
    for (char16_t unit : aText) {
        text.push_back(static_cast<char>(unit));
    }
    return text;
}

Clip Stride(const std::u16string& aName, std::int32_t aFrames, float aLeg, float aKnee, float aArm, float aElbow,
            float aLean, float aBob, float aLift, float aPhase) {
    Clip clip{aName, aFrames, {}, nullptr};
    const auto thigh = [aLeg, aLift](float aShift) {
        return [aLeg, aLift, aShift](float p) {
            const float swing = Wave(p, aShift);
            return Turn{aLeg * swing + aLift * std::max(0.0f, swing), 0, 0};
        };
    };
    const auto calf = [aKnee](float aShift) {
        // The knee bends (the shin swings back) while the leg comes forward.
        return [aKnee, aShift](float p) { return Turn{-aKnee * (0.5f + 0.5f * Wave(p, aShift + 0.25f)), 0, 0}; };
    };
    const auto foot = [aLeg](float aShift) {
        return [aLeg, aShift](float p) { return Turn{-0.3f * aLeg * Wave(p, aShift), 0, 0}; };
    };
    const auto upperArm = [aArm](float aShift, float aOut) {
        return [aArm, aShift, aOut](float p) { return Turn{aArm * Wave(p, aShift), 0, aOut}; };
    };
    const auto forearm = [aElbow](float aShift) {
        return [aElbow, aShift](float p) { return Turn{aElbow * (0.6f + 0.4f * Wave(p, aShift)), 0, 0}; };
    };
    const float left = aPhase;
    const float right = aPhase + 0.5f;
    clip.bones = {
        {u"Biped_Spine1", [aLean, left](float p) { return Turn{aLean, 3.0f * Wave(p, left), 0}; }},
        {u"BN_Head", [aLean, left](float p) { return Turn{-0.5f * aLean, -2.0f * Wave(p, left), 0}; }},
        {u"Biped_L_Thigh", thigh(left)},
        {u"Biped_L_Calf", calf(left)},
        {u"Biped_L_Foot", foot(left)},
        {u"Biped_R_Thigh", thigh(right)},
        {u"Biped_R_Calf", calf(right)},
        {u"Biped_R_Foot", foot(right)},
        // Each arm swings with the opposite leg, a little away from the body.
        {u"Biped_L_UpperArm", upperArm(right, 4.0f)},
        {u"Biped_L_Forearm", forearm(right)},
        {u"Biped_R_UpperArm", upperArm(left, -4.0f)},
        {u"Biped_R_Forearm", forearm(left)},
    };
    // Lowest with the legs spread, twice a cycle.
    clip.bob = [aBob, left](float p) { return aBob * (std::cos(4.0f * kPi * (p + left)) - 1.0f) * 0.5f; };
    return clip;
}

namespace {

float Ease(float aT) {
    const float t = std::min(1.0f, std::max(0.0f, aT));
    return t * t * (3.0f - 2.0f * t);
}

Turn TurnAt(const Key& aKey, const std::u16string& aBone) {
    for (const auto& turn : aKey.turns) {
        if (turn.first == aBone) {
            return turn.second;
        }
    }
    return Turn{};
}

// The key index before the frame and the eased weight of the next one.
std::pair<std::size_t, float> Between(const std::vector<Key>& aKeys, float aFrame) {
    if (aFrame <= aKeys.front().frame) {
        return {0, 0.0f};
    }
    for (std::size_t i = 0; i + 1 < aKeys.size(); ++i) {
        if (aFrame < aKeys[i + 1].frame) {
            return {i, Ease((aFrame - aKeys[i].frame) / (aKeys[i + 1].frame - aKeys[i].frame))};
        }
    }
    return {aKeys.size() - 1, 0.0f};
}

}  // namespace

Clip Keyed(const std::u16string& aName, std::int32_t aFrames, const std::vector<Key>& aKeys, bool aHips,
           bool aLoops) {
    Clip clip{aName, aFrames, {}, nullptr, aLoops};
    if (aKeys.empty()) {
        return clip;
    }
    auto keys = std::make_shared<const std::vector<Key>>(aKeys);
    const float span = static_cast<float>(aLoops ? aFrames : aFrames - 1);
    std::vector<std::u16string> bones;
    for (const Key& key : aKeys) {
        for (const auto& turn : key.turns) {
            if (std::find(bones.begin(), bones.end(), turn.first) == bones.end()) {
                bones.push_back(turn.first);
            }
        }
    }
    for (const std::u16string& bone : bones) {
        clip.bones.push_back({bone, [keys, bone, span](float p) {
                                  const auto at = Between(*keys, p * span);
                                  const Turn a = TurnAt((*keys)[at.first], bone);
                                  if (at.first + 1 >= keys->size()) {
                                      return a;
                                  }
                                  const Turn b = TurnAt((*keys)[at.first + 1], bone);
                                  const float t = at.second;
                                  return Turn{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
                              }});
    }
    if (aHips) {
        clip.bob = [keys, span](float p) {
            const auto at = Between(*keys, p * span);
            const float a = (*keys)[at.first].hips;
            if (at.first + 1 >= keys->size()) {
                return a;
            }
            return a + ((*keys)[at.first + 1].hips - a) * at.second;
        };
    }
    return clip;
}

}  // namespace sample
