#include "game/support/ScreenTexts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "container/VoPropertyList.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoIFont.h"
#include "gdi/VoIShape.h"
#include "gdi/VoRenderer.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "geometry/VoRectangle.h"
#include "geometry/VoVector2.h"
#include "render/VoIRasterizer.h"
#include "render/VoTextureManager.h"
#include "support/RecordedScreen.h"
#include "support/RecordingRasterizer.h"
#include "support/TestText.h"

namespace {

constexpr float kLeastContrast = 4.5f;
// The share of a box's pixels that must reach it.
constexpr float kContrastShare = 0.9f;
// Pixels count as painted by a draw from half its opacity on; a text counts
// as over the 3D scene when less than this share of its box is painted.
constexpr float kLeastCover = 0.5f;
constexpr float kLeastPainted = 0.5f;
constexpr float kMostHidden = 0.02f;
// A letter's colour this bright or darker gives no measure of how much of
// a pixel its letter covers (see LetterShare).
constexpr float kDarkLetters = 0.1f;
constexpr int kSlack = 1;
constexpr const char16_t* kCursorGroup = u"cursorgroup";
// The font list, where the game reads it (by "//textures", which tests that
// move "//dataroot" keep on the sample tree).
constexpr const char16_t* kFontList = u"//textures/fonts/fonts.txt";

float Linear(float aChannel) {
    return aChannel <= 0.04045f ? aChannel / 12.92f : std::pow((aChannel + 0.055f) / 1.055f, 2.4f);
}

float Luminance(const ScreenColour& aColour) {
    return 0.2126f * Linear(aColour.r) + 0.7152f * Linear(aColour.g) + 0.0722f * Linear(aColour.b);
}

float Contrast(const ScreenColour& aA, const ScreenColour& aB) {
    const float a = Luminance(aA);
    const float b = Luminance(aB);
    return (std::max(a, b) + 0.05f) / (std::min(a, b) + 0.05f);
}

float Brightest(const ScreenColour& aColour) {
    return std::max(aColour.r, std::max(aColour.g, aColour.b));
}

ScreenColour Mix(const ScreenColour& aTop, const ScreenColour& aUnder, float aAlpha) {
    return {aTop.r * aAlpha + aUnder.r * (1.0f - aAlpha), aTop.g * aAlpha + aUnder.g * (1.0f - aAlpha),
            aTop.b * aAlpha + aUnder.b * (1.0f - aAlpha)};
}

// The contrast that the share of the pixels asked for reaches (the rest
// left free); the contrasts are sorted. At least one.
float ReachedByShare(std::vector<float>& aContrasts) {
    std::sort(aContrasts.begin(), aContrasts.end());
    const std::size_t free =
        static_cast<std::size_t>(static_cast<float>(aContrasts.size()) * (1.0f - kContrastShare));
    return aContrasts[std::min(free, aContrasts.size() - 1)];
}

std::string Figure(float aValue) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", aValue);
    return text;
}

std::string Hex(const ScreenColour& aColour) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<int>(std::lround(aColour.r * 255.0f)),
                  static_cast<int>(std::lround(aColour.g * 255.0f)),
                  static_cast<int>(std::lround(aColour.b * 255.0f)));
    return text;
}

std::string BoxText(const ScreenBox& aBox) {
    return "(" + std::to_string(aBox.x0) + ", " + std::to_string(aBox.y0) + ")-(" + std::to_string(aBox.x1) +
           ", " + std::to_string(aBox.y1) + ")";
}

// A font of the font list: its texture's handle and the colour of its glyphs
// (the most opaque texel off the guide lines).
struct FontInfo {
    std::string id;
    std::uint32_t handle = 0;
    ScreenColour colour;
};

std::map<const VoIFont*, FontInfo> Fonts() {
    std::map<const VoIFont*, FontInfo> fonts;
    VoPropertyList list;
    VoFontManager* manager = VoFontManager::GetInstance();
    VoTextureManager* textures = VoTextureManager::GetInstance();
    VoPropertyList* entries =
        list.Load(VoString(kFontList), true) ? list.GetList(VoString(u"fonts")) : nullptr;
    for (int i = 0;
         entries != nullptr && manager != nullptr && textures != nullptr && i < entries->GetCount(); ++i) {
        VoPropertyList* entry = entries->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        const VoString id = entry->GetString(VoString(u"id"), nullptr);
        const int rowHeight = entry->GetInt(VoString(u"rowheight"), nullptr);
        const VoIFont* font = manager->GetFont(id);
        FontInfo info;
        info.id = Narrow(id);
        info.handle = textures->GetHandle(id);
        auto* texture = dynamic_cast<RecordingTexture*>(textures->GetTexture(info.handle));
        if (font == nullptr || texture == nullptr || rowHeight < 2) {
            continue;
        }
        ScreenTexels texels;
        texels.width = static_cast<int>(texture->GetWidth());
        texels.height = static_cast<int>(texture->GetHeight());
        texels.format = texture->GetFormat();
        texels.bytes = texture->GetTexels();
        // The letters' colour: the texel off the guide lines that shows the
        // most of its colour (alpha x its brightest channel), so the
        // letter's own and not the black of an outline (a plain font has
        // one colour in every texel, its most opaque shows it best).
        float best = -1.0f;
        for (int y = 0; y < texels.height; ++y) {
            for (int x = 0; y % rowHeight != 0 && x < texels.width; ++x) {
                ScreenColour colour;
                float alpha = 0.0f;
                texels.At(x, y, &colour, &alpha);
                const float shown = alpha * (Brightest(colour) + 1.0f);
                if (shown > best) {
                    best = shown;
                    info.colour = colour;
                }
            }
        }
        fonts[font] = info;
    }
    return fonts;
}

struct FoundText {
    VoTextArea* area;
    std::string path;
};

// What the tree holds: its texts, its buttons, and which display object
// each vertex buffer draws.
struct TreeContents {
    std::vector<FoundText> texts;
    std::vector<VoButton*> buttons;
    std::map<const void*, VoIDisplayObject*> drawers;
};

void Collect(VoDisplayGroup* apGroup, const std::string& aPath, TreeContents* apOut) {
    for (int i = 0; i < apGroup->GetMemberCount(); ++i) {
        VoIDisplayObject* member = apGroup->GetMemberAt(i);
        if (member == nullptr) {
            continue;
        }
        const std::string path = aPath + "." + Narrow(member->GetId());
        if (auto* text = dynamic_cast<VoTextArea*>(member)) {
            apOut->texts.push_back({text, path});
        } else if (auto* sprite = dynamic_cast<VoSprite*>(member)) {
            apOut->drawers[sprite->GetVertexBuffer()] = sprite;
            VoDisplayGroup* tiles = sprite->GetTileGroup();
            for (int t = 0; tiles != nullptr && t < tiles->GetMemberCount(); ++t) {
                if (auto* tile = dynamic_cast<VoSprite*>(tiles->GetMemberAt(t))) {
                    apOut->drawers[tile->GetVertexBuffer()] = sprite;
                }
            }
        }
        if (auto* shape = dynamic_cast<VoIShape*>(member)) {
            apOut->drawers[shape->GetFillVertexBuffer()] = shape;
            apOut->drawers[shape->GetStrokeVertexBuffer()] = shape;
        }
        if (auto* group = dynamic_cast<VoDisplayGroup*>(member)) {
            if (auto* button = dynamic_cast<VoButton*>(group)) {
                apOut->buttons.push_back(button);
            }
            Collect(group, path, apOut);
        }
    }
    apOut->drawers.erase(nullptr);
}

std::string TextureName(std::uint32_t aHandle) {
    VoTextureManager* textures = VoTextureManager::GetInstance();
    VoString id;
    if (aHandle != 0 && textures != nullptr && textures->GetTextureId(aHandle, id)) {
        return Narrow(id);
    }
    return aHandle != 0 ? "texture " + std::to_string(aHandle) : "a shape";
}

// Whether the text belongs to the disabled look of a button.
bool InDisabledLook(VoIDisplayObject* apText) {
    for (VoIDisplayObject* child = apText; child != nullptr && child->GetGroup() != nullptr;
         child = child->GetGroup()) {
        auto* button = dynamic_cast<VoButton*>(child->GetGroup());
        if (button != nullptr && button->GetStateObject(XBTNSTATE_DISABLED) == child) {
            return true;
        }
    }
    return false;
}

// Whether the line holds a character that inks: anything but spaces and
// control characters.
bool HasInk(const VoString& aLine) {
    const char16_t* characters = aLine.GetChars();
    for (int i = 0; i < aLine.GetLength(); ++i) {
        const char16_t c = characters[i];
        if (c > u' ' && c != u'\x7F' && !(c >= u'\x80' && c <= u'\xA0')) {
            return true;
        }
    }
    return false;
}

// The rectangle the renderer lets the text draw in: the screen, or the
// world rectangle of the nearest group that has one (VoDisplayGroup::Render
// makes it the viewport, its numbers cut to whole pixels).
ScreenBox ClipOf(VoIDisplayObject* apText) {
    const ScreenBox screen{0, 0, static_cast<int>(VoRenderer::kScreenWidth),
                           static_cast<int>(VoRenderer::kScreenHeight)};
    for (VoDisplayGroup* group = apText->GetGroup(); group != nullptr; group = group->GetGroup()) {
        VoRectangle rectangle;
        if (group->GetWorldRectangle(rectangle)) {
            const auto whole = [](float aValue) { return aValue > 0.0f ? static_cast<int>(aValue) : 0; };
            const int x = whole(rectangle.x);
            const int y = whole(rectangle.y);
            return screen.Intersect({x, y, x + whole(rectangle.width), y + whole(rectangle.height)});
        }
    }
    return screen;
}

// Judges one text; its faults are appended.
class TextJudge {
public:
    TextJudge(const RecordedScreen& aScreen, const std::set<std::uint32_t>& aGlyphTextures,
              const std::map<const void*, VoIDisplayObject*>& aDrawers, const FoundText& aFound,
              const FontInfo& aFont, ScreenTextReport* apReport)
        : fScreen(aScreen),
          fGlyphTextures(aGlyphTextures),
          fDrawers(aDrawers),
          fFound(aFound),
          fFont(aFont),
          fReport(*apReport) {}

    // Judges the text if the display shows it (see ScreenTexts.h): the
    // lines it shows are judged, those that cannot be are named in
    // Unjudged().
    void Judge() {
        VoTextArea* area = fFound.area;
        area->LayoutLines();
        const VoVectorString& lines = area->GetLines();
        VoIFont* font = area->GetFont();
        const VoRectangle bounds = area->GetWorldBounds();
        const ScreenBox clip = ClipOf(area);
        VoVector2 scale;
        font->GetScale(scale);
        std::string shown;
        for (int i = 0; i < lines.GetCount(); ++i) {
            const VoString line = lines.GetAt(i);
            const float top = bounds.y + area->GetLineHeight() * static_cast<float>(i);
            // The whole glyph row for now; FindGlyphs narrows it to the ink.
            const ScreenBox row{static_cast<int>(std::floor(bounds.x)), static_cast<int>(std::floor(top)),
                                static_cast<int>(std::ceil(bounds.x + font->GetTextWidth(line))),
                                static_cast<int>(std::ceil(top + font->GetCharacterHeight() * scale.y))};
            fLines.push_back(row);
            const ScreenBox inside = row.Intersect(clip);
            fInView.push_back(HasInk(line) && !inside.IsEmpty());
            fCut.push_back(inside.x0 != row.x0 || inside.y0 != row.y0 || inside.x1 != row.x1 ||
                           inside.y1 != row.y1);
            shown += (i > 0 ? " / " : "") + Narrow(line);
        }
        fName = fFound.path + " \"" + shown + "\" (" + fFont.id + ")";
        FindGlyphs();
        if (fShown.empty()) {
            return;
        }
        fReport.texts.push_back(fName);
        JudgeContrast();
        JudgeFit();
        JudgeHidden();
    }

    const std::string& Name() const { return fName; }
    // Whether the display shows the text (see Judge).
    bool Shown() const { return fShowsAny; }
    // Why lines it shows were not judged, one clause a line; empty when
    // every line it shows was.
    const std::string& Unjudged() const { return fUnjudged; }
    // The draws of its glyphs, whether judged or not.
    const std::set<int>& Own() const { return fOwn; }

private:
    bool IsGlyph(int aDraw) const { return fGlyphTextures.count(fScreen.GetDraw(aDraw).handle) > 0; }

    // The draws of the text's glyphs: of its font, their middles inside a
    // line's glyph row. Each line's box is then cut down to the rows its
    // glyphs ink (as opaque as half the text's blend or more) and to the
    // clip rectangle they were drawn in.
    void FindGlyphs() {
        std::vector<ScreenBox> clips(fLines.size());
        std::vector<std::set<int>> glyphs(fLines.size());
        for (int i = 0; fFont.handle != 0 && i < fScreen.GetDrawCount(); ++i) {
            const ScreenDraw& draw = fScreen.GetDraw(i);
            if (draw.handle != fFont.handle) {
                continue;
            }
            const float x = (draw.left + draw.right) / 2.0f;
            const float y = (draw.top + draw.bottom) / 2.0f;
            for (std::size_t l = 0; l < fLines.size(); ++l) {
                const ScreenBox& box = fLines[l];
                if (x >= static_cast<float>(box.x0 - 2) && x <= static_cast<float>(box.x1 + 2) &&
                    y >= static_cast<float>(box.y0 - 2) && y <= static_cast<float>(box.y1 + 2)) {
                    fFirst = fFirst < 0 ? i : std::min(fFirst, i);
                    fLast = std::max(fLast, i);
                    clips[l] = draw.clip;
                    glyphs[l].insert(i);
                    fOwn.insert(i);
                    break;
                }
            }
        }
        const float least = kLeastCover * fFound.area->GetEffectiveBlend();
        const VoVectorString& lines = fFound.area->GetLines();
        for (std::size_t l = 0; l < fLines.size(); ++l) {
            if (!fInView[l]) {
                continue;
            }
            const std::set<int>& own = glyphs[l];
            const int characters = lines.GetAt(static_cast<int>(l)).GetLength();
            std::string fault;
            if (fFont.handle == 0) {
                fault = "its font is not in the font list, or its texture was not recorded";
            } else if (own.empty()) {
                fault = "no glyph of " + fFont.id + " is drawn where its layout puts the line";
            } else if (fScreen.GetDraw(*own.begin()).texels == nullptr) {
                fault = "the texture of its glyphs (" + fFont.id + ") was not recorded";
            } else if (static_cast<int>(own.size()) != characters) {
                fault = std::to_string(own.size()) + " glyphs of " + fFont.id +
                        " are drawn where its layout puts its " + std::to_string(characters) + " characters";
            }
            ScreenBox shown;
            if (fault.empty()) {
                const ScreenBox row{fLines[l].x0 - 4, fLines[l].y0 - 4, fLines[l].x1 + 4, fLines[l].y1 + 4};
                const ScreenPatch ink =
                    fScreen.Paint(row, *own.rbegin() + 1, [&own](int aDraw) { return own.count(aDraw) > 0; },
                                  {0.0f, 0.0f, 0.0f});
                int top = row.y1;
                int bottom = row.y0;
                for (int y = ink.box.y0; y < ink.box.y1; ++y) {
                    for (int x = ink.box.x0; x < ink.box.x1; ++x) {
                        if (ink.CoverAt(x, y) >= least) {
                            top = std::min(top, y);
                            bottom = std::max(bottom, y + 1);
                        }
                    }
                }
                const ScreenBox line{fLines[l].x0, std::min(top, bottom), fLines[l].x1, bottom};
                shown = line.Intersect(clips[l]);
                if (!shown.IsEmpty()) {
                    fShown.push_back(shown);
                    fShownLines.push_back(line);
                } else if (!fCut[l]) {
                    fault = "its glyphs ink nothing";
                }
            }
            // A line cut by its clip down to rows its glyphs do not ink
            // shows nothing.
            fShowsAny = fShowsAny || !fault.empty() || !shown.IsEmpty();
            if (!fault.empty()) {
                fUnjudged += std::string(fUnjudged.empty() ? "" : "; ") + "line " + std::to_string(l + 1) +
                             " \"" + Narrow(lines.GetAt(static_cast<int>(l))) + "\": " + fault;
            }
        }
    }

    void JudgeContrast() {
        // Inactive controls need no contrast (WCAG 1.4.3).
        const bool exempt = InDisabledLook(fFound.area);
        const auto before = [this](int aDraw) { return !IsGlyph(aDraw); };
        const float blend = fFound.area->GetEffectiveBlend();
        std::vector<float> worst;
        int covered = 0;
        ScreenColour worstGround;
        float least = 1e9f;
        for (const ScreenBox& box : fShown) {
            const ScreenPatch black = fScreen.Paint(box, fFirst, before, {0.0f, 0.0f, 0.0f});
            const ScreenPatch white = fScreen.Paint(box, fFirst, before, {1.0f, 1.0f, 1.0f});
            for (int y = box.y0; y < box.y1; ++y) {
                for (int x = box.x0; x < box.x1; ++x) {
                    covered += black.CoverAt(x, y) >= kLeastCover ? 1 : 0;
                    float contrast = 1e9f;
                    for (const ScreenPatch* ground : {&black, &white}) {
                        const ScreenColour& under = ground->At(x, y);
                        const float c = Contrast(Mix(fFont.colour, under, blend), under);
                        if (c < contrast) {
                            contrast = c;
                            if (c < least) {
                                least = c;
                                worstGround = under;
                            }
                        }
                    }
                    worst.push_back(contrast);
                }
            }
        }
        if (worst.empty()) {
            return;
        }
        if (static_cast<float>(covered) < static_cast<float>(worst.size()) * kLeastPainted) {
            fReport.texts.pop_back();
            fReport.overScene.push_back(fName);
            JudgeOverScene();
            return;
        }
        if (exempt) {
            return;
        }
        const float judged = ReachedByShare(worst);
        if (judged < kLeastContrast) {
            fReport.faults.push_back(fName + ": contrast " + Figure(judged) + ":1 for " +
                                     std::to_string(static_cast<int>(kContrastShare * 100.0f)) +
                                     " in a hundred pixels, below 4.5:1 (text " + Hex(fFont.colour) +
                                     ", worst ground " + Hex(worstGround) + " at " + Figure(least) + ":1)");
        }
    }

    // How much of the pixel the letters themselves cover, apart from any
    // outline, the blend included: painted alone over black, a letter
    // leaves its colour x that share, and a black outline adds nothing.
    float LetterShare(const ScreenPatch& aLetters, int aX, int aY) const {
        const float full = Brightest(fFont.colour);
        if (full <= kDarkLetters) {
            return aLetters.CoverAt(aX, aY);
        }
        return std::min(1.0f, Brightest(aLetters.At(aX, aY)) / full);
    }

    // Over the 3D scene the ground may be anything: the text, as drawn with
    // the pictures under it, is painted over a white scene and over a black
    // one, and the worse counts. What the eye reads a letter against is the
    // ground right round it: at each pixel that the letters cover less than
    // half, next to one (of its eight neighbours) that they cover half or
    // more, the colour under the letter's share of the pixel (the painted
    // colour less the letter's part: the text's own outline where its font
    // has one, else the pictures and the scene). That ground must keep the
    // contrast of 4.5:1 with the text's colour for 90 in a hundred such
    // pixels.
    void JudgeOverScene() {
        const auto seen = [this](int aDraw) { return !IsGlyph(aDraw) || fOwn.count(aDraw) > 0; };
        const auto letters = [this](int aDraw) { return fOwn.count(aDraw) > 0; };
        const float blend = fFound.area->GetEffectiveBlend();
        float judged = 1e9f;
        std::string where;
        for (const ScreenColour& scene : {ScreenColour{0.0f, 0.0f, 0.0f}, ScreenColour{1.0f, 1.0f, 1.0f}}) {
            std::vector<float> ring;
            for (const ScreenBox& box : fShown) {
                const ScreenBox region{box.x0 - 1, box.y0 - 1, box.x1 + 1, box.y1 + 1};
                const ScreenPatch picture = fScreen.Paint(region, fLast + 1, seen, scene);
                const ScreenPatch alone = fScreen.Paint(region, fLast + 1, letters, {0.0f, 0.0f, 0.0f});
                const auto letter = [&](int aX, int aY) {
                    return region.Contains(aX, aY) && LetterShare(alone, aX, aY) >= kLeastCover;
                };
                for (int y = region.y0; y < region.y1; ++y) {
                    for (int x = region.x0; x < region.x1; ++x) {
                        bool next = false;
                        for (int dy = -1; dy <= 1; ++dy) {
                            for (int dx = -1; dx <= 1; ++dx) {
                                next = next || letter(x + dx, y + dy);
                            }
                        }
                        if (letter(x, y) || !next) {
                            continue;
                        }
                        const float share = LetterShare(alone, x, y);
                        const ScreenColour& shown = picture.At(x, y);
                        const auto less = [&](float aShown, float aLetter) {
                            return std::clamp((aShown - aLetter * share) / (1.0f - share), 0.0f, 1.0f);
                        };
                        const ScreenColour under{less(shown.r, fFont.colour.r), less(shown.g, fFont.colour.g),
                                                 less(shown.b, fFont.colour.b)};
                        ring.push_back(Contrast(Mix(fFont.colour, under, blend), under));
                    }
                }
            }
            if (ring.empty()) {
                continue;
            }
            const float contrast = ReachedByShare(ring);
            if (contrast < judged) {
                judged = contrast;
                where = scene.r > 0.5f ? "white" : "black";
            }
        }
        if (judged < kLeastContrast) {
            fReport.faults.push_back(fName + ": over a " + where + " scene, contrast " + Figure(judged) +
                                     ":1 against the ground round its letters for " +
                                     std::to_string(static_cast<int>(kContrastShare * 100.0f)) +
                                     " in a hundred pixels, below 4.5:1 (text " + Hex(fFont.colour) + ")");
        }
    }

    void JudgeFit() {
        VoTextArea* area = fFound.area;
        if (area->GetWordWrap() && !area->GetMultiLine() && area->GetLines().GetCount() > 0) {
            const VoString text = area->GetText();
            if (Narrow(area->GetLines().GetAt(0)) != Narrow(text)) {
                fReport.faults.push_back(fName + ": cut short, the whole text is \"" + Narrow(text) + "\"");
            }
        }
        const ScreenBox& first = fShownLines.front();
        const int x = first.x0;
        const int y = (first.y0 + first.y1) / 2;
        int plate = -1;
        for (int i = fFirst - 1; i >= 0 && plate < 0; --i) {
            if (IsPicture(i) && fScreen.GetDraw(i).Covered().Contains(x, y)) {
                plate = i;
            }
        }
        if (plate < 0) {
            return;
        }
        // The plate, and what its group draws after it before the text
        // reaching out of it (a button's right cap beside its middle). Any
        // other picture drawn after the plate under the text (a mark on a
        // button, an icon) is one the text runs over.
        const ScreenBox plateBox = fScreen.GetDraw(plate).Covered();
        std::vector<ScreenBox> reach{Widened(plateBox)};
        const VoIDisplayObject* owner = Drawer(plate);
        for (int i = plate + 1; i < fFirst; ++i) {
            if (!IsPicture(i) || fScreen.GetDraw(i).Covered().IsEmpty()) {
                continue;
            }
            const ScreenBox box = fScreen.GetDraw(i).Covered();
            const VoIDisplayObject* drawer = Drawer(i);
            const bool extends = box.Intersect(plateBox).x0 != box.x0 ||
                                 box.Intersect(plateBox).x1 != box.x1 ||
                                 box.Intersect(plateBox).y0 != box.y0 || box.Intersect(plateBox).y1 != box.y1;
            if (extends && owner != nullptr && drawer != nullptr && drawer->GetGroup() == owner->GetGroup()) {
                reach.push_back(Widened(box));
                continue;
            }
            for (const ScreenBox& line : fShownLines) {
                if (Inks(i, line.Intersect(box))) {
                    fReport.faults.push_back(fName + ": runs over " + TextureName(fScreen.GetDraw(i).handle) +
                                             " " + BoxText(box) + ", the line takes " + BoxText(line));
                    return;
                }
            }
        }
        for (const ScreenBox& line : fShownLines) {
            if (!Within(line, reach)) {
                fReport.faults.push_back(fName + ": runs out of its plate " +
                                         TextureName(fScreen.GetDraw(plate).handle) + " " +
                                         BoxText(plateBox) + ", the line takes " + BoxText(line));
                return;
            }
        }
    }

    // Whether the draw paints the box, shrunk by the slack on each side, at
    // half opacity or more anywhere.
    bool Inks(int aDraw, const ScreenBox& aBox) const {
        const ScreenBox inner{aBox.x0 + kSlack, aBox.y0 + kSlack, aBox.x1 - kSlack, aBox.y1 - kSlack};
        if (inner.IsEmpty()) {
            return false;
        }
        const ScreenPatch patch = fScreen.Paint(
            inner, aDraw + 1, [aDraw](int aIndex) { return aIndex == aDraw; }, {0.0f, 0.0f, 0.0f});
        for (float cover : patch.cover) {
            if (cover >= kLeastCover) {
                return true;
            }
        }
        return false;
    }

    // A draw of a picture: no glyph, no outline, not faded out.
    bool IsPicture(int aDraw) const {
        const ScreenDraw& draw = fScreen.GetDraw(aDraw);
        return !IsGlyph(aDraw) && draw.type != VoIRasterizer::kLineStrip && draw.factor > 0.0f;
    }
    const VoIDisplayObject* Drawer(int aDraw) const {
        const auto found = fDrawers.find(fScreen.GetDraw(aDraw).buffer);
        return found != fDrawers.end() ? found->second : nullptr;
    }
    static ScreenBox Widened(const ScreenBox& aBox) {
        return {aBox.x0 - kSlack, aBox.y0 - kSlack, aBox.x1 + kSlack, aBox.y1 + kSlack};
    }
    // Whether every pixel of the box lies in one of the rectangles.
    static bool Within(const ScreenBox& aBox, const std::vector<ScreenBox>& aRectangles) {
        for (int y = aBox.y0; y < aBox.y1; ++y) {
            for (int x = aBox.x0; x < aBox.x1; ++x) {
                bool inside = false;
                for (const ScreenBox& rectangle : aRectangles) {
                    inside = inside || rectangle.Contains(x, y);
                }
                if (!inside) {
                    return false;
                }
            }
        }
        return true;
    }

    void JudgeHidden() {
        const int last = fLast;
        const auto after = [this, last](int aDraw) { return aDraw > last && !IsGlyph(aDraw); };
        int pixels = 0;
        int hidden = 0;
        std::uint32_t cover = 0;
        for (const ScreenBox& box : fShown) {
            const ScreenPatch patch = fScreen.Paint(box, fScreen.GetDrawCount(), after, {0.0f, 0.0f, 0.0f});
            for (int y = box.y0; y < box.y1; ++y) {
                for (int x = box.x0; x < box.x1; ++x) {
                    ++pixels;
                    hidden += patch.CoverAt(x, y) >= kLeastCover ? 1 : 0;
                }
            }
        }
        if (static_cast<float>(hidden) <= static_cast<float>(pixels) * kMostHidden) {
            return;
        }
        for (int i = last + 1; i < fScreen.GetDrawCount(); ++i) {
            if (!IsGlyph(i) && !fScreen.GetDraw(i).Covered().Intersect(fShown.front()).IsEmpty()) {
                cover = fScreen.GetDraw(i).handle;
                break;
            }
        }
        fReport.faults.push_back(fName + ": " + std::to_string(hidden) + " of its " + std::to_string(pixels) +
                                 " pixels lie under a picture drawn over it (" + TextureName(cover) + ")");
    }

    const RecordedScreen& fScreen;
    const std::set<std::uint32_t>& fGlyphTextures;
    const std::map<const void*, VoIDisplayObject*>& fDrawers;
    const FoundText& fFound;
    const FontInfo& fFont;
    ScreenTextReport& fReport;
    std::string fName;
    std::vector<ScreenBox> fLines;       // every laid-out line
    std::vector<bool> fInView;           // by line: inks, and lies within its clip
    std::vector<bool> fCut;              // by line: reaches out of its clip
    std::vector<ScreenBox> fShown;       // the drawn ones, clipped
    std::vector<ScreenBox> fShownLines;  // the drawn ones, whole
    std::set<int> fOwn;                  // the draws of its glyphs
    int fFirst = -1;
    int fLast = -1;
    bool fShowsAny = false;
    std::string fUnjudged;
};

void Add(std::vector<std::string>* apList, const std::string& aLine) {
    if (std::find(apList->begin(), apList->end(), aLine) == apList->end()) {
        apList->push_back(aLine);
    }
}

// Draws of one texture: how many, and the rectangle that holds them.
struct DrawsOfTexture {
    int count = 0;
    ScreenBox box;
};

void Gather(std::map<std::uint32_t, DrawsOfTexture>* apByTexture, const ScreenDraw& aDraw) {
    const ScreenBox covered = aDraw.Covered();
    DrawsOfTexture& draws = (*apByTexture)[aDraw.handle];
    draws.box = draws.count == 0
                    ? covered
                    : ScreenBox{std::min(draws.box.x0, covered.x0), std::min(draws.box.y0, covered.y0),
                                std::max(draws.box.x1, covered.x1), std::max(draws.box.y1, covered.y1)};
    ++draws.count;
}

// Every glyph drawn that no text of the tree laid out (a text drawn by
// something else, or where its layout does not put it), as one fault for
// each font, with the rectangle that holds them.
void UnclaimedGlyphs(const RecordedScreen& aScreen, const std::set<std::uint32_t>& aGlyphTextures,
                     const std::set<int>& aClaimed, ScreenTextReport* apReport) {
    std::map<std::uint32_t, DrawsOfTexture> stray;
    for (int i = 0; i < aScreen.GetDrawCount(); ++i) {
        const ScreenDraw& draw = aScreen.GetDraw(i);
        if (aGlyphTextures.count(draw.handle) == 0 || aClaimed.count(i) > 0 || draw.Covered().IsEmpty()) {
            continue;
        }
        const ScreenPatch patch =
            aScreen.Paint(draw.Covered(), i + 1, [i](int aDraw) { return aDraw == i; }, {0.0f, 0.0f, 0.0f});
        if (std::none_of(patch.cover.begin(), patch.cover.end(),
                         [](float aCover) { return aCover >= kLeastCover; })) {
            continue;
        }
        Gather(&stray, draw);
    }
    for (const auto& font : stray) {
        apReport->faults.push_back(std::to_string(font.second.count) + " glyphs of " +
                                   TextureName(font.first) + " drawn within " + BoxText(font.second.box) +
                                   " belong to no text of the display");
    }
}

// The draws whose texture was not recorded, which cannot be painted
// again: one fault for each texture, with the rectangle that holds them.
void UnrecordedDraws(const RecordedScreen& aScreen, ScreenTextReport* apReport) {
    std::map<std::uint32_t, DrawsOfTexture> unrecorded;
    for (int i = 0; i < aScreen.GetDrawCount(); ++i) {
        if (aScreen.GetDraw(i).texels == nullptr) {
            Gather(&unrecorded, aScreen.GetDraw(i));
        }
    }
    for (const auto& texture : unrecorded) {
        apReport->faults.push_back(std::to_string(texture.second.count) + " draws of " +
                                   TextureName(texture.first) + " within " + BoxText(texture.second.box) +
                                   " cannot be painted again: the texture was not recorded");
    }
}

// One drawing of the display as it stands, judged into the report.
void ReadOnce(VoDisplayManager* apDisplay, RecordingRasterizer* apRasterizer, const TreeContents& aTree,
              ScreenTextReport* apReport) {
    apRasterizer->ClearCalls();
    apDisplay->Render();
    const RecordedScreen screen(apRasterizer->Calls());
    const std::map<const VoIFont*, FontInfo> fonts = Fonts();
    std::set<std::uint32_t> glyphTextures;
    for (const auto& font : fonts) {
        glyphTextures.insert(font.second.handle);
    }
    ScreenTextReport once;
    UnrecordedDraws(screen, &once);
    // Each text the display shows, and why one was not judged.
    std::map<std::string, std::string> unjudged;
    std::set<int> claimed;
    FontInfo unlisted;
    unlisted.id = "an unknown font";
    for (const FoundText& text : aTree.texts) {
        VoTextArea* area = text.area;
        if (area->GetFont() == nullptr || area->GetText().GetLength() == 0 || !area->GetEffectiveActive() ||
            !area->GetEffectiveVisible() || !(area->GetEffectiveBlend() > 0.0f)) {
            continue;
        }
        const auto font = fonts.find(area->GetFont());
        TextJudge judge(screen, glyphTextures, aTree.drawers, text,
                        font != fonts.end() ? font->second : unlisted, &once);
        judge.Judge();
        claimed.insert(judge.Own().begin(), judge.Own().end());
        if (!judge.Shown()) {
            continue;
        }
        once.shown.push_back(judge.Name());
        unjudged[judge.Name()] = judge.Unjudged();
    }
    UnclaimedGlyphs(screen, glyphTextures, claimed, &once);
    // The texts judged are the texts shown (a text is judged only where it
    // shows); a text judged in part names the lines left out.
    std::set<std::string> judged(once.texts.begin(), once.texts.end());
    judged.insert(once.overScene.begin(), once.overScene.end());
    for (const std::string& name : once.shown) {
        const std::string& why = unjudged[name];
        if (judged.count(name) == 0) {
            once.faults.push_back(name + ": shown but not judged: " + why);
        } else if (!why.empty()) {
            once.faults.push_back(name + ": shown but judged in part, not " + why);
        }
    }
    for (const std::string& line : once.shown) {
        Add(&apReport->shown, line);
    }
    for (const std::string& line : once.texts) {
        Add(&apReport->texts, line);
    }
    for (const std::string& line : once.faults) {
        Add(&apReport->faults, line);
    }
    for (const std::string& line : once.overScene) {
        Add(&apReport->overScene, line);
    }
}

}  // namespace

ScreenTextReport ReadScreenTexts(bool aLooks) {
    ScreenTextReport report;
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    RecordingRasterizer* rasterizer = RecordingRasterizer::Engine();
    if (display == nullptr || rasterizer == nullptr || display->GetRootGroup() == nullptr) {
        report.faults.push_back("no display or no recording rasterizer");
        return report;
    }
    VoDisplayGroup* root = display->GetRootGroup();
    VoIDisplayObject* cursor = root->GetMember(VoString(kCursorGroup));
    const bool cursorShown = cursor != nullptr && cursor->GetVisible();
    if (cursorShown) {
        cursor->SetVisible(false);
    }
    TreeContents tree;
    Collect(root, "root", &tree);
    ReadOnce(display, rasterizer, tree, &report);
    // Then every look of the buttons in turn, each button that has it showing
    // it (a button shows the active one of its state objects).
    for (int look = XBTNSTATE_DISABLED; aLooks && look <= XBTNSTATE_OVER; ++look) {
        std::vector<std::pair<VoIDisplayObject*, bool>> shown;
        for (VoButton* button : tree.buttons) {
            VoIDisplayObject* object = button->GetStateObject(static_cast<XBTNSTATE>(look));
            if (object == nullptr || !button->GetEffectiveVisible() || !button->GetEffectiveActive()) {
                continue;
            }
            for (int other = XBTNSTATE_DISABLED; other <= XBTNSTATE_OVER; ++other) {
                VoIDisplayObject* each = button->GetStateObject(static_cast<XBTNSTATE>(other));
                if (each != nullptr) {
                    shown.emplace_back(each, each->GetActive());
                    each->SetActive(each == object);
                }
            }
        }
        if (!shown.empty()) {
            ReadOnce(display, rasterizer, tree, &report);
        }
        for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
            it->first->SetActive(it->second);
        }
    }
    if (cursorShown) {
        cursor->SetVisible(true);
    }
    return report;
}
