#pragma once
// The round gauge of the interview window: a ring of green segments for the
// good answers around a disc of red ones for the bad answers, each 9
// degrees wide, so a side of 100 shows 40 segments and closes its circle.
// After an answer the side's shown value grows toward its new target by 1.0
// every 0.02 s; a side that reaches 100 blinks its glow three times (half a
// second on, half off) and then tells the interview (OnMeterFull: 0 bad,
// 1 good). Nothing grows while a side is full.
//
//     idle -> AddGood/AddBad -> growing -> idle, or -> full (blinking) -> idle
//
// One meter, made by the interview manager from the shared layout, serves
// every regular interview; the interview sets both values to 0 on start.
// It draws itself: the sprites "bg" (at its position + (3, 3)), then the
// segments straight through the rasterizer (two shared four-vertex buffers,
// one transform per segment, at most 80), then "top" and the two glows.
#include <cstdint>

#include "gdi/VoIDisplayObject.h"
#include "stdlib/VoIFrameListener.h"

class MGInterview;
class VoPropertyList;
class VoSprite;
class VoVertexBuffer;

class MGInterviewMeter : public VoIDisplayObject, public VoIFrameListener {
public:
    static constexpr const char* kNoSprites = "'meter.sprites' not found.";
    static constexpr const char16_t* kSpritesPath = u"groups.meter.sprites";
    static constexpr const char16_t* kGoodTexture = u"meter_good.tga";
    static constexpr const char16_t* kBadTexture = u"meter_bad.tga";
    static constexpr const char16_t* kBackgroundId = u"bg";
    static constexpr const char16_t* kTopId = u"top";
    static constexpr const char16_t* kRedGlowId = u"redglow";
    static constexpr const char16_t* kGreenGlowId = u"greenglow";

    static constexpr int kBad = 0;
    static constexpr int kGood = 1;
    static constexpr float kFull = 100.0f;
    // A target of this or more is taken as full.
    static constexpr float kFullThreshold = 98.0f;
    static constexpr float kStepValue = 1.0f;
    static constexpr double kStepInterval = 0.02;
    static constexpr double kBlinkInterval = 0.5;
    static constexpr int kBlinks = 3;
    static constexpr float kSegmentsPerValue = 0.4f;
    static constexpr int kMaxSegments = 40;
    static constexpr float kSegmentDegrees = 9.0f;
    static constexpr float kGoodScale = 31.0f;
    static constexpr float kBadScale = 19.5f;
    static constexpr float kBackgroundOffset = 3.0f;
    static constexpr std::int32_t kVertexFormat = 1;
    static constexpr std::int32_t kVertexCount = 4;

    MGInterviewMeter();
    MGInterviewMeter(const MGInterviewMeter&) = delete;
    MGInterviewMeter& operator=(const MGInterviewMeter&) = delete;
    // Leaves the frame manager, deletes its buffers and sprites.
    ~MGInterviewMeter() override;

    // The two textures (under the texture root the caller has set) and
    // segment buffers, and the sprites of "groups.meter.sprites" of the
    // layout, glows hidden. Missing pieces are asserted and not drawn. True.
    bool Setup(VoPropertyList* apLayout);

    // A new target for the side: the shown value + aStep, 100 from 98 on;
    // the shown value starts growing toward it. Returns the target.
    float AddGood(float aStep);
    float AddBad(float aStep);
    // The interview told when a side is full (not owned).
    void SetInterview(MGInterview* apInterview) { fpInterview = apInterview; }
    // Both shown values and targets.
    void SetGoodValue(float aValue);
    void SetBadValue(float aValue);

    float GetGoodValue() const { return fGoodValue; }
    float GetBadValue() const { return fBadValue; }
    float GetGoodTarget() const { return fGoodTarget; }
    float GetBadTarget() const { return fBadTarget; }
    bool IsGoodFull() const { return fGoodFull; }
    bool IsBadFull() const { return fBadFull; }
    bool IsAnimating() const { return fListening; }
    VoSprite* GetSprite(const VoString& aId) const;

    bool Render(VoRenderer* apRenderer) override;
    void OnUpdate() override;

    VoString ToString() const override;

private:
    float Add(int aSide, float aStep);
    // One half of a blink of the full side: the glow shown, or hidden and a
    // blink used; true when the last was used and the interview told.
    bool Blink(int aSide);
    void Listen(bool aListen);
    // aCount segments of the buffer, each turned 9 degrees on from the last.
    bool DrawSegments(VoRenderer* apRenderer, VoVertexBuffer* apBuffer, std::uint32_t aTexture, float aScale,
                      int aCount, const VoVector2& aCentre);
    bool DrawSprite(VoRenderer* apRenderer, VoSprite* apSprite, const VoVector2& aPosition);
    double Now() const;

    VoVertexBuffer* fpPie;   // owned
    VoVertexBuffer* fpRing;  // owned
    std::uint32_t fGoodTexture;
    std::uint32_t fBadTexture;
    float fGoodValue;
    float fBadValue;
    float fGoodTarget;
    float fBadTarget;
    double fLastStep;
    int fAnimatingSide;
    MGInterview* fpInterview;  // not owned
    VoSprite* fpBackground;    // owned
    VoSprite* fpTop;           // owned
    VoSprite* fpRedGlow;       // owned
    VoSprite* fpGreenGlow;     // owned
    bool fBadFull;
    bool fGoodFull;
    int fBlinksLeft;
    bool fGlowOn;  // the full side's glow is shown
    bool fListening;
};
