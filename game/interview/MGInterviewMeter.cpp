#include "interview/MGInterviewMeter.h"

#include <initializer_list>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoRenderer.h"
#include "gdi/VoSprite.h"
#include "geometry/VoMatrix.h"
#include "interview/MGInterview.h"
#include "memory/VoNew.h"
#include "render/VoIRasterizer.h"
#include "render/VoTextureManager.h"
#include "render/VoVertexBuffer.h"
#include "system/VoITimer.h"
#include "util/MGListening.h"

namespace {

// One 9-degree slice in units of the radius, from 12 o'clock: the disc's
// piece (drawn as a strip, its second triangle repeats the first) and the
// ring's piece between 0.7 and 1. 0.156434 and 0.987688 are sin and cos of
// 9 degrees.
const float kPie[MGInterviewMeter::kVertexCount * 3] = {0.0f, 0.0f, 0.0f,       0.0f, 1.0f, 0.0f,
                                                        0.156434f, 0.987688f, 0.0f, 0.0f, 0.0f, 0.0f};
const float kRing[MGInterviewMeter::kVertexCount * 3] = {0.0f, 0.7f, 0.0f,       0.0f, 1.0f, 0.0f,
                                                         0.109504f, 0.691382f, 0.0f, 0.156434f, 0.987688f, 0.0f};

VoVertexBuffer* MakeBuffer(const float* apVertices) {
    VoVertexBuffer* buffer = VO_NEW VoVertexBuffer();
    if (buffer == nullptr ||
        !buffer->Create(MGInterviewMeter::kVertexFormat, apVertices, MGInterviewMeter::kVertexCount)) {
        VO_ASSERT_FAILURE("");
        delete buffer;
        return nullptr;
    }
    return buffer;
}

int SegmentCount(float aValue) {
    const int count = static_cast<int>(aValue * MGInterviewMeter::kSegmentsPerValue);
    return count < 0 ? 0 : (count > MGInterviewMeter::kMaxSegments ? MGInterviewMeter::kMaxSegments : count);
}

}  // namespace

MGInterviewMeter::MGInterviewMeter()
    : fpPie(nullptr),
      fpRing(nullptr),
      fGoodTexture(0),
      fBadTexture(0),
      fGoodValue(0.0f),
      fBadValue(0.0f),
      fGoodTarget(0.0f),
      fBadTarget(0.0f),
      fLastStep(0.0),
      fAnimatingSide(kGood),
      fpInterview(nullptr),
      fpBackground(nullptr),
      fpTop(nullptr),
      fpRedGlow(nullptr),
      fpGreenGlow(nullptr),
      fBadFull(false),
      fGoodFull(false),
      fBlinksLeft(0),
      fGlowOn(false),
      fListening(false) {}

MGInterviewMeter::~MGInterviewMeter() {
    Listen(false);
    delete fpPie;
    delete fpRing;
    delete fpBackground;
    delete fpTop;
    delete fpRedGlow;
    delete fpGreenGlow;
}

bool MGInterviewMeter::Setup(VoPropertyList* apLayout) {
    if (VoTextureManager* textures = VoTextureManager::GetInstance()) {
        fGoodTexture = textures->CreateTexture(VoString(kGoodTexture));
        fBadTexture = textures->CreateTexture(VoString(kBadTexture));
    }
    delete fpPie;
    fpPie = MakeBuffer(kPie);
    delete fpRing;
    fpRing = MakeBuffer(kRing);

    VoPropertyList* sprites = apLayout != nullptr ? apLayout->GetList(VoString(kSpritesPath)) : nullptr;
    if (sprites == nullptr) {
        VO_ASSERT_FAILURE(kNoSprites);
        return true;
    }
    struct Slot {
        const char16_t* id;
        VoSprite** sprite;
    };
    const Slot slots[] = {{kBackgroundId, &fpBackground},
                          {kTopId, &fpTop},
                          {kRedGlowId, &fpRedGlow},
                          {kGreenGlowId, &fpGreenGlow}};
    for (int i = 0; i < sprites->GetCount(); ++i) {
        VoPropertyList* entry = sprites->GetListAt(i);
        const VoString id = entry != nullptr ? entry->GetString(VoString(u"id"), nullptr) : VoString(u"");
        for (const Slot& slot : slots) {
            if (*slot.sprite == nullptr && id == VoString(slot.id)) {
                *slot.sprite = VoLayoutBuilder::BuildSprite(entry);
            }
        }
    }
    for (const Slot& slot : slots) {
        if (*slot.sprite == nullptr) {
            VO_ASSERT_FAILURE(kNoSprites);
        }
    }
    for (VoSprite* glow : {fpRedGlow, fpGreenGlow}) {
        if (glow != nullptr) {
            glow->SetVisible(false);
        }
    }
    return true;
}

float MGInterviewMeter::AddGood(float aStep) {
    return Add(kGood, aStep);
}

float MGInterviewMeter::AddBad(float aStep) {
    return Add(kBad, aStep);
}

float MGInterviewMeter::Add(int aSide, float aStep) {
    float& target = aSide == kGood ? fGoodTarget : fBadTarget;
    target = (aSide == kGood ? fGoodValue : fBadValue) + aStep;
    if (target >= kFullThreshold) {
        target = kFull;
    }
    fLastStep = Now();
    fAnimatingSide = aSide;
    Listen(true);
    return target;
}

void MGInterviewMeter::SetGoodValue(float aValue) {
    fGoodValue = aValue;
    fGoodTarget = aValue;
}

void MGInterviewMeter::SetBadValue(float aValue) {
    fBadValue = aValue;
    fBadTarget = aValue;
}

VoSprite* MGInterviewMeter::GetSprite(const VoString& aId) const {
    VoSprite* sprites[] = {fpBackground, fpTop, fpRedGlow, fpGreenGlow};
    const char16_t* ids[] = {kBackgroundId, kTopId, kRedGlowId, kGreenGlowId};
    for (int i = 0; i < 4; ++i) {
        if (aId == VoString(ids[i])) {
            return sprites[i];
        }
    }
    return nullptr;
}

void MGInterviewMeter::OnUpdate() {
    const double now = Now();
    if (!fBadFull && !fGoodFull && now - fLastStep > kStepInterval) {
        float& value = fAnimatingSide == kGood ? fGoodValue : fBadValue;
        const float target = fAnimatingSide == kGood ? fGoodTarget : fBadTarget;
        value += kStepValue;
        if (value >= target) {
            value = target;
            if (target == kFull) {
                (fAnimatingSide == kGood ? fGoodFull : fBadFull) = true;
                fBlinksLeft = kBlinks;
                fGlowOn = false;
            } else {
                Listen(false);
            }
        }
        fLastStep = now;
    }
    if (fBadFull && now - fLastStep > kBlinkInterval && Blink(kBad)) {
        return;
    }
    if (fGoodFull && now - fLastStep > kBlinkInterval) {
        Blink(kGood);
    }
}

bool MGInterviewMeter::Blink(int aSide) {
    fLastStep = Now();
    VoSprite* glow = aSide == kGood ? fpGreenGlow : fpRedGlow;
    fGlowOn = !fGlowOn;
    if (glow != nullptr) {
        glow->SetVisible(fGlowOn);
    }
    if (fGlowOn || --fBlinksLeft > 0) {
        return false;
    }
    (aSide == kGood ? fGoodFull : fBadFull) = false;
    Listen(false);
    if (fpInterview != nullptr) {
        // May start another sequence, or anything else of the interview's.
        fpInterview->OnMeterFull(aSide);
    }
    return true;
}

bool MGInterviewMeter::Render(VoRenderer* apRenderer) {
    if (apRenderer == nullptr) {
        return false;
    }
    Validate();
    if (!GetEffectiveActive() || !GetEffectiveVisible()) {
        return true;
    }
    VoVector2 centre;
    GetWorldPosition(centre);
    bool result = DrawSprite(apRenderer, fpBackground,
                             VoVector2(centre.x + kBackgroundOffset, centre.y + kBackgroundOffset));
    VoIRasterizer* rasterizer = apRenderer->GetRasterizer();
    if (rasterizer != nullptr) {
        result = rasterizer->SetTextureFactor(GetEffectiveBlend()) && result;
    }
    result = DrawSegments(apRenderer, fpRing, fGoodTexture, kGoodScale, SegmentCount(fGoodValue), centre) && result;
    result = DrawSegments(apRenderer, fpPie, fBadTexture, kBadScale, SegmentCount(fBadValue), centre) && result;
    for (VoSprite* sprite : {fpTop, fpRedGlow, fpGreenGlow}) {
        result = DrawSprite(apRenderer, sprite, centre) && result;
    }
    return result;
}

bool MGInterviewMeter::DrawSegments(VoRenderer* apRenderer, VoVertexBuffer* apBuffer, std::uint32_t aTexture,
                                    float aScale, int aCount, const VoVector2& aCentre) {
    VoIRasterizer* rasterizer = apRenderer->GetRasterizer();
    if (aCount == 0 || apBuffer == nullptr || rasterizer == nullptr) {
        return true;
    }
    // The frame of the matrices has y up; the renderer's offset puts its
    // origin on the screen's top-left corner.
    const VoVector2& offset = apRenderer->GetCurrentOffset();
    VoMatrix scale;
    MatrixScaling(&scale, aScale, aScale, 1.0f);
    VoMatrix place;
    MatrixTranslation(&place, aCentre.x + offset.x, -aCentre.y + offset.y, 0.0f);
    bool result = rasterizer->SetTexture(aTexture);
    result = rasterizer->SetVertexBuffer(apBuffer) && result;
    for (int k = 0; k < aCount; ++k) {
        VoMatrix turn;
        MatrixRotationZ(&turn, kSegmentDegrees * static_cast<float>(k) * kDegreesToRadians);
        VoMatrix world;
        MatrixMultiply(&world, &scale, &turn);
        MatrixMultiply(&world, &world, &place);
        result = rasterizer->SetTransform(VoIRasterizer::kWorld, &world) && result;
        result = rasterizer->Draw(VoIRasterizer::kTriangleStrip, 0, 2) && result;
    }
    return result;
}

bool MGInterviewMeter::DrawSprite(VoRenderer* apRenderer, VoSprite* apSprite, const VoVector2& aPosition) {
    if (apSprite == nullptr) {
        return true;
    }
    apSprite->SetPosition(aPosition);
    return apSprite->Render(apRenderer);
}

void MGInterviewMeter::Listen(bool aListen) {
    MGListenToFrames(this, 0.0f, aListen, &fListening);
}

double MGInterviewMeter::Now() const {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

VoString MGInterviewMeter::ToString() const {
    return VoDebugString("MGInterviewMeter", this);
}
