// Writes the front end of the sample tree: the menu screens' layouts and
// pictures, the credits, the save games' thumbnails, the menus' music and
// the maker's logo movie.
//
//   data/textures/menu/main_menu_layout.txt      the main menu
//   data/textures/menu/save_screen_layout.txt    the save screen
//   data/textures/menu/load_screen_layout.txt    the load screen
//   data/textures/menu/options_screen_layout.txt the options screen
//   data/textures/menu/credits.txt               the credits' pictures and pages
//   data/textures/menu/menu_*.tga                the pictures these name
//   data/textures/menu/thumbnails/thumbs.txt     the thumbnail of each viewpoint
//                                                of every scene under data/scenes
//   data/textures/menu/thumbnails/thumb_*.tga    the sample scenes' views, a
//                                                quarter of their size
//   data/textures/menu/thumbnails/riverbank_body.bmp  the picture of a save
//                                                without one of its own
//   data/textures/white.bmp                      white, the save field's caret
//   data/sounds/theme.ogg                        the main menu's tune, 6 s
//   data/sounds/Credits.ogg                      the credits' tune, 6 s
//   data/movies/Quorvel_Logo.bik                 the maker's logo, 800 x 600,
//                                                3 s (Matroska with VP8, which
//                                                the engine's movie reader
//                                                takes whatever the name)
//   data/movies/000_all.bik                      the new game's opening card,
//                                                320 x 240, 3 s
//   data/textures/caseselection/caseselection_layout.txt  the case selection:
//                                                its folders page and the
//                                                four ledger pages
//   data/textures/caseselection/cs_*.tga         the pictures these name
//   data/movies/case01_closed.mkv                case 1's closing card, 320 x
//                                                240, 3 s, and its cut scene
//                                                (after interview 117, once the
//                                                case is closed, back to the
//                                                squad room, where the case
//                                                selection opens) in a block of
//                                                its own at the end of
//                                                data/movies/cutscenes.txt
//
// The look, throughout: night blue behind, amber and ivory in front, in the
// DejaVu fonts. Button pictures come in pairs, at rest ("n") and under the
// pointer ("o"); a pressed button shows the "o" picture a pixel lower, a
// disabled one the "n" picture faded. Texture ids are global, so every file
// name is the menus' own ("menu_", "thumb_").
//
// Regenerate, from the repository root, after tools/make_case_scenes (the
// thumbnails are taken from the scenes' backgrounds):
//
//   cmake --build build/release --target make_menus
//   build/release/tools/make_menus data
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "MenuPictures.h"
#include "MovieFiles.h"
#include "SoundFiles.h"
#include "TestText.h"
#include "container/VoPropertyList.h"
#include "container/VoString.h"
#include "geometry/VoImageTGA.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

const Colour kNight{0.04, 0.06, 0.11, 1.0};
const Colour kNavy{0.08, 0.12, 0.2, 0.88};
const Colour kAmber{0.88, 0.66, 0.28, 1.0};
const Colour kAmberLight{0.98, 0.82, 0.48, 1.0};
const Colour kIvory{0.94, 0.9, 0.82, 1.0};
const Colour kInk{0.05, 0.08, 0.14, 1.0};

Colour WithAlpha(Colour aColour, double aAlpha) {
    aColour.a = aAlpha;
    return aColour;
}

// A colour as a layout writes it: A|R|G|B.
std::string Argb(const Colour& aColour) {
    std::ostringstream out;
    out << aColour.a << "|" << aColour.r << "|" << aColour.g << "|" << aColour.b;
    return out.str();
}

std::string Numbers(std::initializer_list<double> aValues) {
    std::ostringstream out;
    bool first = true;
    for (double value : aValues) {
        out << (first ? "" : "|") << value;
        first = false;
    }
    return out.str();
}

// A layout file's text: sections by TAB depth, "key=value" lines, CR LF.
class Layout {
public:
    explicit Layout(const std::string& aComment) {
        std::istringstream lines(aComment);
        std::string line;
        while (std::getline(lines, line)) {
            fText += "// " + line + "\r\n";
        }
    }
    Layout& Open(const std::string& aName) {
        Indent();
        fText += aName + "\r\n";
        ++fDepth;
        return *this;
    }
    Layout& Close() {
        --fDepth;
        return *this;
    }
    Layout& Value(const std::string& aKey, const std::string& aValue) {
        Indent();
        fText += aKey + "=" + aValue + "\r\n";
        return *this;
    }
    Layout& Value(const std::string& aKey, double aValue) {
        std::ostringstream out;
        out << aValue;
        return Value(aKey, out.str());
    }
    bool Save(const std::string& aPath) const {
        std::ofstream out(aPath, std::ios::binary);
        out << fText;
        return static_cast<bool>(out);
    }

private:
    void Indent() { fText.append(static_cast<std::size_t>(fDepth), '\t'); }

    std::string fText;
    int fDepth = 0;
};

struct Output {
    std::string menu;        // data/textures/menu/
    std::string thumbnails;  // data/textures/menu/thumbnails/
    std::string data;        // data/
    bool ok = true;

    void Tga(const std::string& aName, const Picture& aPicture) {
        ok = WriteTga(menu + aName, aPicture) && ok;
    }
    void Text(const std::string& aName, const Layout& aLayout) {
        if (!aLayout.Save(menu + aName)) {
            std::fprintf(stderr, "cannot write %s%s\n", menu.c_str(), aName.c_str());
            ok = false;
        }
    }
};

// ---- pieces of the screens -----------------------------------------------------

// The night-blue backdrop: a picture 8 wide and 150 high, drawn at 100 x 4
// over the whole screen, lighter at the top, with a fine line every fifth row.
Picture Backdrop() {
    Picture picture(8, 150);
    for (int y = 0; y < 150; ++y) {
        const double t = y / 149.0;
        Colour colour{0.1 - 0.07 * t, 0.15 - 0.1 * t, 0.25 - 0.15 * t, 1.0};
        if (y % 5 == 4) {
            colour.r *= 0.85;
            colour.g *= 0.85;
            colour.b *= 0.85;
        }
        for (int x = 0; x < 8; ++x) {
            picture.Set(x, y, colour);
        }
    }
    return picture;
}

void BackdropSprite(Layout& aLayout) {
    aLayout.Open("backdrop")
        .Value("id", "backdrop")
        .Value("texture", "menu_bg.tga")
        .Value("scale", "100|4")
        .Close();
}

void SpriteAt(Layout& aLayout, const std::string& aId, const std::string& aTexture, double aX, double aY,
              double aZ = 1.0) {
    aLayout.Open(aId)
        .Value("id", aId)
        .Value("relativez", aZ)
        .Value("texture", aTexture)
        .Value("position", Numbers({aX, aY}))
        .Close();
}

void Rectangle(Layout& aLayout, const std::string& aId, double aX, double aY, double aWidth, double aHeight,
               const Colour& aFill, const Colour& aStroke, double aZ = 0.0) {
    aLayout.Open(aId)
        .Value("id", aId)
        .Value("relativez", aZ)
        .Value("type", "rectangle")
        .Value("coords", Numbers({aX, aY, aWidth, aHeight}))
        .Value("stroked", aStroke.a > 0.0 ? "true" : "false")
        .Value("strokecolor", Argb(aStroke))
        .Value("filled", "true")
        .Value("fillcolor", Argb(aFill))
        .Close();
}

// A text picture written once and placed with its left edge at aX (or its
// centre at aX when aCentred) and its top at aY.
void TextSprite(Output& aOut, Layout& aLayout, const std::string& aId, const Typeface& aFace,
                const std::string& aText, const Colour& aColour, double aX, double aY, bool aCentred) {
    const Picture picture = TextPicture(aFace, aText, aColour);
    const std::string file = "menu_text_" + aId + ".tga";
    aOut.Tga(file, picture);
    SpriteAt(aLayout, aId, file, aCentred ? std::floor(aX - picture.Width() / 2.0) : aX, aY, 2.0);
}

// The pictures of a push button with a label (or, for "up"/"down", a
// chevron), at rest and under the pointer.
void ButtonPictures(Output& aOut, const std::string& aName, const std::string& aLabel, int aWidth,
                    int aHeight, const Typeface& aFace) {
    for (bool over : {false, true}) {
        Picture picture(aWidth, aHeight);
        picture.FillRect(0, 0, aWidth, aHeight, over ? kAmber : kNavy);
        picture.FrameRect(0, 0, aWidth, aHeight, 1, over ? kAmberLight : WithAlpha(kAmber, 0.6));
        const Colour ink = over ? kInk : kIvory;
        if (aLabel == "up" || aLabel == "down") {
            const double cx = aWidth / 2.0;
            const double cy = aHeight / 2.0;
            const double dy = aLabel == "up" ? -6.0 : 6.0;
            picture.Segment(cx - 10, cy - dy, cx, cy + dy, 3.5, ink);
            picture.Segment(cx, cy + dy, cx + 10, cy - dy, 3.5, ink);
        } else {
            const int x = (aWidth - aFace.Width(aLabel)) / 2;
            const int baseline = (aHeight + aFace.Ascent() - aFace.Descent()) / 2;
            aFace.Draw(picture, aLabel, x, baseline, ink);
        }
        aOut.Tga("menu_btn_" + aName + (over ? "_o.tga" : "_n.tga"), picture);
    }
}

// A menu button's description: its click area the picture's rectangle; "d"
// the "o" picture a pixel lower, "x" the "n" picture faded, "h" the "o"
// picture.
void MenuButton(Layout& aLayout, const std::string& aId, const std::string& aPictures, double aX, double aY,
                double aWidth, double aHeight) {
    const std::string n = "menu_btn_" + aPictures + "_n.tga";
    const std::string o = "menu_btn_" + aPictures + "_o.tga";
    aLayout.Open(aId)
        .Value("id", aId)
        .Value("position", Numbers({aX, aY}))
        .Value("activearea", Numbers({aX, aY, aX + aWidth, aY, aX + aWidth, aY + aHeight, aX, aY + aHeight}));
    aLayout.Open("states");
    aLayout.Open("normal").Value("id", aId + "_n").Value("type", "n").Value("texture", n).Close();
    aLayout.Open("over").Value("id", aId + "_o").Value("type", "o").Value("texture", o).Close();
    aLayout.Open("down")
        .Value("id", aId + "_d")
        .Value("type", "d")
        .Value("texture", o)
        .Value("position", "1|1")
        .Close();
    aLayout.Open("disabled")
        .Value("id", aId + "_x")
        .Value("type", "x")
        .Value("texture", n)
        .Value("blend", 0.35)
        .Close();
    aLayout.Open("highlighted").Value("id", aId + "_h").Value("type", "h").Value("texture", o).Close();
    aLayout.Close().Close();
}

// The backdrop group of a screen: lies behind everything (relative z -50).
void OpenBackground(Layout& aLayout, const std::string& aName) {
    aLayout.Open(aName).Value("id", "background").Value("relativez", -50);
}

// ---- the screens --------------------------------------------------------------

void MainMenu(Output& aOut, const Typeface& aTitle, const Typeface& aSubtitle, const Typeface& aButton) {
    Layout layout(
        "The main menu (tools/make_menus.cpp): the backdrop, the title, and the\n"
        "seven buttons in a column on a dark panel.");
    layout.Open("main_menu");
    OpenBackground(layout, "g01-background");
    layout.Open("sprites");
    BackdropSprite(layout);
    TextSprite(aOut, layout, "title_main", aTitle, "The Sample Case", kAmber, 400, 52, true);
    TextSprite(aOut, layout, "subtitle_main", aSubtitle, "A detective adventure", WithAlpha(kIvory, 0.8), 400,
               122, true);
    layout.Close();
    layout.Open("shapes");
    Rectangle(layout, "panel", 250, 178, 300, 380, WithAlpha(kNight, 0.6), WithAlpha(kAmber, 0.45));
    layout.Close().Close();

    struct Entry {
        const char* id;
        const char* label;
        int row;
    };
    // In the order of the file; the rows go top to bottom.
    const Entry entries[] = {{"quit", "Quit", 6},           {"options", "Options", 4},
                             {"load_game", "Load Game", 2}, {"save_game", "Save Game", 3},
                             {"new_game", "New Game", 0},   {"resume_game", "Resume Game", 1},
                             {"credits", "Credits", 5}};
    layout.Open("g02-buttons");
    for (const Entry& entry : entries) {
        ButtonPictures(aOut, entry.id, entry.label, 240, 40, aButton);
        MenuButton(layout, entry.id, entry.id, 280, 193 + 50 * entry.row, 240, 40);
    }
    layout.Close().Close();
    aOut.Text("main_menu_layout.txt", layout);
}

void SaveScreen(Output& aOut, const Typeface& aTitle, const Typeface& aLabel) {
    Layout layout(
        "The save screen (tools/make_menus.cpp): the backdrop and title; black\n"
        "frames for the place's picture (at 265|95) and for the description\n"
        "field (at 293|328); cancel and save.");
    layout.Open("save_screen");
    OpenBackground(layout, "g01-background");
    layout.Open("sprites");
    BackdropSprite(layout);
    TextSprite(aOut, layout, "title_save", aTitle, "Save Game", kAmber, 400, 18, true);
    TextSprite(aOut, layout, "label_description", aLabel, "Description", kIvory, 291, 300, false);
    layout.Close();
    layout.Open("shapes");
    Rectangle(layout, "panel", 220, 75, 360, 375, WithAlpha(kNight, 0.6), WithAlpha(kAmber, 0.45));
    layout.Close().Close();

    layout.Open("g02-buttons");
    MenuButton(layout, "cancel", "cancel", 232, 396, 160, 36);
    MenuButton(layout, "save", "save", 408, 396, 160, 36);
    layout.Close();

    layout.Open("g03-black_background").Value("id", "black_background").Value("relativez", -20);
    layout.Open("shapes");
    Rectangle(layout, "picture_frame", 257, 87, 216, 166, {0, 0, 0, 1}, WithAlpha(kAmber, 0.6));
    Rectangle(layout, "field_frame", 285, 322, 231, 30, {0, 0, 0, 1}, WithAlpha(kAmber, 0.6));
    layout.Close().Close().Close();
    aOut.Text("save_screen_layout.txt", layout);
}

void LoadScreen(Output& aOut, const Typeface& aTitle) {
    Layout layout(
        "The load screen (tools/make_menus.cpp): the backdrop and title; a black\n"
        "cell under each of the six pictures and its description; cancel, the\n"
        "page arrows and load; the six selection brackets, whose active areas\n"
        "are the cells (picture and description).");
    const double cells[6][2] = {{25, 65}, {265, 65}, {505, 65}, {25, 315}, {265, 315}, {505, 315}};
    layout.Open("load_screen");
    OpenBackground(layout, "g01-background");
    layout.Open("sprites");
    BackdropSprite(layout);
    TextSprite(aOut, layout, "title_load", aTitle, "Load Game", kAmber, 400, 10, true);
    layout.Close().Close();

    layout.Open("g02-buttons");
    MenuButton(layout, "cancel", "cancel", 25, 552, 160, 36);
    MenuButton(layout, "up_arrow", "up", 735, 170, 44, 44);
    MenuButton(layout, "down_arrow", "down", 735, 386, 44, 44);
    MenuButton(layout, "load", "load", 545, 552, 160, 36);
    layout.Close();

    layout.Open("g03-black_background").Value("id", "black_background").Value("relativez", -20);
    layout.Open("shapes");
    for (int c = 0; c < 6; ++c) {
        Rectangle(layout, "cell" + std::to_string(c), cells[c][0] - 2, cells[c][1] - 2, 204, 222,
                  {0, 0, 0, 0.85}, WithAlpha(kAmber, 0.3));
    }
    layout.Close().Close();

    layout.Open("g04-selection_brackets");
    for (int c = 0; c < 6; ++c) {
        const double x = cells[c][0];
        const double y = cells[c][1];
        layout.Open("bracket" + std::to_string(c))
            .Value("id", "bracket" + std::to_string(c))
            .Value("relativez", 5)
            .Value("texture", "menu_bracket.tga")
            .Value("position", Numbers({x - 8, y - 8}))
            .Value("activearea", Numbers({x, y, x + 200, y, x + 200, y + 218, x, y + 218}))
            .Close();
    }
    layout.Close().Close();
    aOut.Text("load_screen_layout.txt", layout);

    // Amber corners round a cell, 216 x 234.
    Picture bracket(216, 234);
    const int arm = 28;
    const int thick = 3;
    for (int corner = 0; corner < 4; ++corner) {
        const int x = corner % 2 == 0 ? 0 : 216 - arm;
        const int y = corner / 2 == 0 ? 0 : 234 - thick;
        bracket.FillRect(x, y, arm, thick, kAmberLight);
        const int vx = corner % 2 == 0 ? 0 : 216 - thick;
        const int vy = corner / 2 == 0 ? 0 : 234 - arm;
        bracket.FillRect(vx, vy, thick, arm, kAmberLight);
    }
    aOut.Tga("menu_bracket.tga", bracket);
}

void OptionsScreen(Output& aOut, const Typeface& aTitle, const Typeface& aLabel, const Typeface& aSmall) {
    Layout layout(
        "The options screen (tools/make_menus.cpp): the skill buttons, six\n"
        "on/off toggles, the music volume's track and knob (x 340 to 655), back\n"
        "and save.");
    const char* const options[6] = {"Subtitles",       "PDA on the left button", "Ambient life",
                                    "Music in scenes", "Ambient sounds",         "Detailed shadows"};
    layout.Open("groups");
    OpenBackground(layout, "g01-background");
    layout.Open("sprites");
    BackdropSprite(layout);
    TextSprite(aOut, layout, "title_options", aTitle, "Options", kAmber, 400, 18, true);
    TextSprite(aOut, layout, "label_skill", aLabel, "Skill", kIvory, 150, 104, false);
    for (int k = 0; k < 6; ++k) {
        TextSprite(aOut, layout, "label_option" + std::to_string(k), aLabel, options[k], kIvory, 150,
                   163 + 45 * k, false);
    }
    TextSprite(aOut, layout, "label_volume", aLabel, "Music volume", kIvory, 150, 440, false);
    layout.Close();
    layout.Open("shapes");
    Rectangle(layout, "panel", 120, 80, 560, 500, WithAlpha(kNight, 0.6), WithAlpha(kAmber, 0.45));
    Rectangle(layout, "track", 340, 452, 331, 4, WithAlpha(kAmber, 0.7), {0, 0, 0, 0}, 1);
    layout.Close().Close();

    layout.Open("g02-buttons");
    MenuButton(layout, "back", "back", 230, 528, 160, 36);
    MenuButton(layout, "save", "save", 410, 528, 160, 36);
    layout.Close();

    layout.Open("g03-skill_buttons");
    const char* const skills[3][2] = {{"easy", "Easy"}, {"medium", "Medium"}, {"hard", "Hard"}};
    for (int i = 0; i < 3; ++i) {
        ButtonPictures(aOut, skills[i][0], skills[i][1], 110, 34, aSmall);
        MenuButton(layout, skills[i][0], skills[i][0], 300 + 120 * i, 98, 110, 34);
    }
    layout.Close();

    layout.Open("g04-option_toggles");
    for (int k = 0; k < 6; ++k) {
        const double y = 158 + 45 * k;
        layout.Open("toggle" + std::to_string(k)).Value("id", "toggle" + std::to_string(k));
        for (int side = 0; side < 2; ++side) {
            const std::string id = side == 0 ? "on" : "off";
            layout.Open(id).Value("id", id).Value("position", Numbers({side == 0 ? 450.0 : 530.0, y}));
            layout.Open("states");
            for (const char* state : {"n", "o", "h"}) {
                layout.Open(state)
                    .Value("id", id + "_" + state)
                    .Value("statetype", state)
                    .Value("objecttype", "sprite")
                    .Value("texture", "menu_toggle_" + id + "_" + state + ".tga")
                    .Close();
            }
            layout.Close().Close();
        }
        layout.Close();
    }
    layout.Close();

    layout.Open("g05-audio_slider")
        .Value("id", "knob")
        .Value("relativez", 5)
        .Value("texture", "menu_knob.tga")
        .Value("position", "655|440")
        .Close();
    layout.Close();
    aOut.Text("options_screen_layout.txt", layout);

    // The toggles' buttons: at rest, under the pointer, chosen.
    for (const char* label : {"On", "Off"}) {
        const std::string name = label == std::string("On") ? "on" : "off";
        for (const char* state : {"n", "o", "h"}) {
            Picture picture(70, 30);
            const bool chosen = state == std::string("h");
            const bool over = state == std::string("o");
            picture.FillRect(0, 0, 70, 30, chosen ? kAmber : kNavy);
            picture.FrameRect(0, 0, 70, 30, 1, chosen || over ? kAmberLight : WithAlpha(kAmber, 0.45));
            const Colour ink = chosen ? kInk : over ? kAmberLight : WithAlpha(kIvory, 0.75);
            aSmall.Draw(picture, label, (70 - aSmall.Width(label)) / 2,
                        (30 + aSmall.Ascent() - aSmall.Descent()) / 2, ink);
            aOut.Tga("menu_toggle_" + name + "_" + state + ".tga", picture);
        }
    }
    Picture knob(16, 28);
    knob.FillRect(0, 0, 16, 28, kAmber);
    knob.FrameRect(0, 0, 16, 28, 1, kAmberLight);
    knob.FillRect(7, 6, 2, 16, WithAlpha(kInk, 0.6));
    aOut.Tga("menu_knob.tga", knob);
}

// ---- the credits ------------------------------------------------------------------

// Pictures at the screen's edges, over black, dim so the pages read over
// them: flat shapes, which the run-length files keep small.
Picture Skyline() {
    Picture picture(800, 600);
    picture.Disc(680, 110, 46, {0.85, 0.82, 0.66, 0.5});
    picture.Disc(662, 98, 44, {0, 0, 0, 1});
    std::uint32_t seed = 12345;
    const auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    int x = 0;
    while (x < 800) {
        const int width = 40 + static_cast<int>(next() % 50);
        // Low enough to leave the pages' lines clear.
        const int height = 60 + static_cast<int>(next() % 100);
        const int top = 600 - height;
        picture.FillRect(x, top, width, height, {0.1, 0.14, 0.24, 0.9});
        for (int wy = top + 10; wy < 585; wy += 16) {
            for (int wx = x + 6; wx + 6 < x + width; wx += 12) {
                if (next() % 5 == 0) {
                    picture.FillRect(wx, wy, 5, 7, WithAlpha(kAmber, 0.55));
                }
            }
        }
        x += width + 4;
    }
    return picture;
}

Picture StreetLamp() {
    Picture picture(800, 600);
    for (int ring = 0; ring < 5; ++ring) {
        picture.Disc(690, 170, 110 - 20 * ring, WithAlpha(kAmber, 0.05));
    }
    picture.Segment(690, 180, 690, 600, 8, {0.12, 0.14, 0.2, 1});
    picture.FillRect(672, 160, 36, 22, {0.14, 0.16, 0.22, 1});
    picture.Disc(690, 180, 9, kAmberLight);
    // A figure in a hat and a long coat under the lamp.
    const Colour shadow{0.06, 0.07, 0.11, 1};
    picture.FillRect(600, 440, 44, 140, shadow);
    picture.Segment(604, 440, 590, 580, 12, shadow);
    picture.Segment(640, 440, 654, 580, 12, shadow);
    picture.Disc(622, 420, 16, shadow);
    picture.FillRect(596, 400, 52, 6, shadow);
    picture.FillRect(608, 384, 28, 18, shadow);
    return picture;
}

Picture Magnifier() {
    Picture picture(800, 600);
    for (int arc = 0; arc < 6; ++arc) {
        picture.Disc(150, 450, 18 + 11 * arc, WithAlpha(kIvory, 0.12), 14 + 11 * arc);
    }
    picture.Disc(150, 450, 92, {0.05, 0.08, 0.14, 0.35}, 80);
    picture.Disc(150, 450, 92, WithAlpha(kAmber, 0.75), 82);
    picture.Segment(215, 515, 290, 590, 18, {0.3, 0.2, 0.12, 1});
    return picture;
}

void Credits(Output& aOut) {
    aOut.Tga("menu_credits_skyline.tga", Skyline());
    aOut.Tga("menu_credits_lamp.tga", StreetLamp());
    aOut.Tga("menu_credits_magnifier.tga", Magnifier());
    Layout credits(
        "The credits (tools/make_menus.cpp): the pictures under \"//textures/menu/\",\n"
        "and the pages, each a list of paragraphs whose values are its lines.");
    credits.Open("credits");
    credits.Open("images");
    for (const char* file :
         {"menu_credits_skyline.tga", "menu_credits_lamp.tga", "menu_credits_magnifier.tga"}) {
        credits.Open(std::string(file).substr(13, std::string(file).size() - 17)).Value("file", file).Close();
    }
    credits.Close();
    credits.Open("screens");
    const std::vector<std::vector<std::vector<std::string>>> pages = {
        {{"The Sample Case"},
         {"A detective adventure", "on the Vo engine"},
         {"Engine and game", "The Vo team"},
         {"Cases and people", "Written for the sample tree"}},
        {{"Pictures and rooms", "Drawn by the engine itself"},
         {"Music", "Tunes of our own making"},
         {"Fonts", "DejaVu"},
         {"Thank you for playing"}},
    };
    for (std::size_t j = 0; j < pages.size(); ++j) {
        credits.Open("page" + std::to_string(j + 1)).Open("entries");
        for (std::size_t i = 0; i < pages[j].size(); ++i) {
            credits.Open("paragraph" + std::to_string(i + 1));
            for (std::size_t k = 0; k < pages[j][i].size(); ++k) {
                credits.Value("line" + std::to_string(k + 1), pages[j][i][k]);
            }
            credits.Close();
        }
        credits.Close().Close();
    }
    credits.Close().Close();
    aOut.Text("credits.txt", credits);
}

// ---- the case selection ------------------------------------------------------------

const Colour kManila{0.86, 0.74, 0.5, 1.0};
const Colour kManilaLight{0.96, 0.86, 0.62, 1.0};
const Colour kPaper{0.95, 0.92, 0.83, 1.0};
const Colour kRule{0.55, 0.66, 0.78, 1.0};
const Colour kStamp{0.78, 0.1, 0.08, 1.0};
const Colour kWood{0.22, 0.13, 0.07, 1.0};

// The three cases a folder chooses, and the fourth, which has only its
// ledger page; the entry's text for the case, flowed onto the page's rules.
struct CaseFile {
    const char* title;
    const char* place;
    std::vector<std::string> entry;
};

const CaseFile kCaseFiles[4] = {
    {"Case 1", "The Riverbank",
     {"A body on the river bank below the Marlowe.", "The clerk's night: a guest in room twelve,",
      "a spare key gone and found again.", "Closed on the clerk's own account."}},
    {"Case 2", "The Hotel Room",
     {"A porter, a matchbook, a staff roster.", "The room service ticket told the hour.",
      "Closed when the porter's story broke."}},
    {"Case 3", "The Brownstone",
     {"Three scraps of a receipt and a baseball bat.", "A polaroid lined up with the window.",
      "Closed in the brownstone's kitchen."}},
    {"Case 4", "The Last Case",
     {"The driver, a glove and a ticket.", "The bargain was struck at the end.", "Every case of the ledger is closed."}},
};

// A folder seen from above: the back cover's tab, the front cover, a label
// with the case's title and place. Lit under the pointer.
Picture Folder(const CaseFile& aCase, bool aLit, const Typeface& aTitle, const Typeface& aPlace) {
    Picture picture(200, 260);
    const Colour cover = aLit ? kManilaLight : kManila;
    picture.FillRect(12, 0, 80, 24, cover);
    picture.FillRect(0, 18, 200, 242, cover);
    picture.FrameRect(0, 18, 200, 242, 2, {0.45, 0.35, 0.2, 1});
    picture.FillRect(24, 70, 152, 80, kPaper);
    picture.FrameRect(24, 70, 152, 80, 1, {0.4, 0.4, 0.45, 1});
    aTitle.Draw(picture, aCase.title, 100 - aTitle.Width(aCase.title) / 2, 102, kInk);
    aPlace.Draw(picture, aCase.place, 100 - aPlace.Width(aCase.place) / 2, 132, kInk);
    if (aLit) {
        picture.FrameRect(0, 18, 200, 242, 3, kAmberLight);
    }
    return picture;
}

// The red "CLOSED" stamp laid over a folder.
Picture Stamp(const Typeface& aFace) {
    Picture picture(170, 56);
    picture.FrameRect(0, 0, 170, 56, 4, WithAlpha(kStamp, 0.85));
    const std::string word = "CLOSED";
    aFace.Draw(picture, word, 85 - (aFace.Width(word) + 6 * 5) / 2, 40, WithAlpha(kStamp, 0.85), 6);
    return picture;
}

// The words of the pieces, one text, flowed into lines no wider than aWidth
// in the face. False when a single word is wider than that.
bool Flow(const Typeface& aFace, const std::vector<std::string>& aPieces, int aWidth,
          std::vector<std::string>* apLines) {
    bool fits = true;
    std::string line;
    for (const std::string& piece : aPieces) {
        std::istringstream words(piece);
        std::string word;
        while (words >> word) {
            const std::string longer = line.empty() ? word : line + " " + word;
            if (!line.empty() && aFace.Width(longer) > aWidth) {
                apLines->push_back(line);
                line = word;
            } else {
                line = longer;
            }
            fits = fits && aFace.Width(word) <= aWidth;
        }
    }
    if (!line.empty()) {
        apLines->push_back(line);
    }
    return fits;
}

// The left page's writing: from the margin line to the rules' end, and from
// the first rule under the heading down to the last rule.
constexpr int kLedgerTextLeft = 104;
constexpr int kLedgerTextRight = 384;
constexpr int kLedgerFirstLine = 146;
constexpr int kLedgerLastLine = 538;
constexpr int kLedgerRule = 28;

// A ledger open on the desk: two ruled pages, the case's entry on the
// left, one line on each rule, the stamp and the date of closing on the
// right. False in aOk when the entry does not fit its page.
Picture Ledger(const CaseFile& aCase, const Typeface& aHeading, const Typeface& aHand, const Typeface& aStamp,
               bool* apOk) {
    Picture picture(800, 600, kWood);
    picture.FillRect(40, 40, 720, 520, {0.3, 0.12, 0.1, 1});
    for (int page = 0; page < 2; ++page) {
        const int left = 56 + page * 348;
        picture.FillRect(left, 52, 340, 496, kPaper);
        for (int y = 120; y < 540; y += kLedgerRule) {
            picture.FillRect(left + 12, y, 316, 1, kRule);
        }
        picture.FillRect(left + 40, 60, 1, 480, WithAlpha(kStamp, 0.5));
    }
    picture.FillRect(398, 48, 4, 504, {0.2, 0.1, 0.08, 1});
    const std::string heading = std::string(aCase.title) + ": " + aCase.place;
    aHeading.Draw(picture, heading, kLedgerTextLeft, 104, kInk);
    std::vector<std::string> lines;
    const int width = kLedgerTextRight - kLedgerTextLeft;
    const bool fits =
        Flow(aHand, aCase.entry, width, &lines) && aHeading.Width(heading) <= width &&
        kLedgerFirstLine + kLedgerRule * (static_cast<int>(lines.size()) - 1) <= kLedgerLastLine;
    if (!fits) {
        std::fprintf(stderr,
                     "the ledger entry of %s does not fit its page (heading %d of %d pixels, %d lines)\n",
                     aCase.title, aHeading.Width(heading), width, static_cast<int>(lines.size()));
        *apOk = false;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        aHand.Draw(picture, lines[i], kLedgerTextLeft, kLedgerFirstLine + kLedgerRule * static_cast<int>(i),
                   {0.1, 0.14, 0.32, 1});
    }
    picture.Draw(Stamp(aStamp), 490, 240);
    const std::string signed_ = "Entered in the ledger";
    aHand.Draw(picture, signed_, 452, 370, {0.1, 0.14, 0.32, 1});
    return picture;
}

void CaseSelection(Output& aOut, const Typeface& aTitle, const Typeface& aButton) {
    const Typeface folderTitle("DejaVuSerif-Bold.ttf", 22);
    const Typeface folderPlace("DejaVuSerif-Italic.ttf", 15);
    const Typeface stamp("DejaVuSans-Bold.ttf", 26);
    const Typeface hand("DejaVuSerif-Italic.ttf", 16);
    // Smaller than a folder's title: the longest heading fits the page.
    const Typeface ledgerHeading("DejaVuSerif-Bold.ttf", 19);
    const std::string folder = aOut.data + "/textures/caseselection/";
    const auto tga = [&aOut, &folder](const std::string& aName, const Picture& aPicture) {
        aOut.ok = WriteTga(folder + aName, aPicture) && aOut.ok;
    };

    Layout layout(
        "The case selection (tools/make_menus.cpp): textures under\n"
        "\"//textures/caseselection\". The folders page: the desk and title, the\n"
        "three case folders (each folder is its case's select button, with a\n"
        "review button under it), the closed stamps (each shown once its case is\n"
        "closed) and the back button; and one ledger page per case, shown once\n"
        "after the case is closed.");
    layout.Open("groups");
    layout.Open("g01-background").Value("id", "background").Value("relativez", -50);
    layout.Open("sprites");
    layout.Open("desk").Value("id", "desk").Value("texture", "cs_desk.tga").Value("scale", "100|4").Close();
    const Picture title = TextPicture(aTitle, "Case Files", kAmber);
    tga("cs_title.tga", title);
    SpriteAt(layout, "title", "cs_title.tga", std::floor(400 - title.Width() / 2.0), 40, 2.0);
    layout.Close().Close();

    // Each folder is a button; the group holds them.
    layout.Open("g02-folders").Value("id", "folders").Value("relativez", 0).Close();

    layout.Open("g03-buttons");
    for (int n = 1; n <= 3; ++n) {
        const double x = 60 + 240 * (n - 1);
        const std::string select = "case" + std::to_string(n) + "_select";
        const std::string review = "review" + std::to_string(n);
        tga("cs_folder" + std::to_string(n) + "_n.tga", Folder(kCaseFiles[n - 1], false, folderTitle, folderPlace));
        tga("cs_folder" + std::to_string(n) + "_o.tga", Folder(kCaseFiles[n - 1], true, folderTitle, folderPlace));
        layout.Open(select).Value("id", select).Value("position", Numbers({x, 130}));
        layout.Open("states");
        for (const char* state : {"n", "o", "x"}) {
            layout.Open(state)
                .Value("id", select + "_" + state)
                .Value("statetype", state)
                .Value("objecttype", "sprite")
                .Value("texture", "cs_folder" + std::to_string(n) + (state[0] == 'o' ? "_o.tga" : "_n.tga"));
            if (state[0] == 'x') {
                layout.Value("blend", 0.45);
            }
            layout.Close();
        }
        layout.Close().Close();
        layout.Open(review).Value("id", review).Value("position", Numbers({x + 20, 412}));
        layout.Open("states");
        for (const char* state : {"n", "o", "x"}) {
            layout.Open(state)
                .Value("id", review + "_" + state)
                .Value("statetype", state)
                .Value("objecttype", "sprite")
                .Value("texture", std::string("cs_review") + (state[0] == 'o' ? "_o.tga" : "_n.tga"));
            if (state[0] == 'x') {
                layout.Value("blend", 0.35);
            }
            layout.Close();
        }
        layout.Close().Close();
    }
    layout.Close();

    layout.Open("g04-backbutton").Value("id", "back_btn").Value("position", "20|548").Value("relativez", 50);
    layout.Open("states");
    for (const char* state : {"n", "o"}) {
        layout.Open(state)
            .Value("id", std::string("back_btn_") + state)
            .Value("statetype", state)
            .Value("objecttype", "sprite")
            .Value("texture", std::string("cs_back_") + state + ".tga")
            .Close();
    }
    layout.Close().Close();

    layout.Open("g05_caseclosed").Value("id", "caseclosed").Value("relativez", 20);
    layout.Open("sprites");
    for (int n = 1; n <= 3; ++n) {
        const std::string id = "closed" + std::to_string(n);
        layout.Open(id)
            .Value("id", id)
            .Value("texture", "cs_stamp.tga")
            .Value("position", Numbers({75.0 + 240 * (n - 1), 300}))
            .Value("visible", "script[e[evt_case0" + std::to_string(n) + "_closed]]")
            .Close();
    }
    layout.Close().Close();

    layout.Open("g06-ledger");
    for (int n = 1; n <= 4; ++n) {
        const std::string file = "cs_ledger" + std::to_string(n) + ".tga";
        tga(file, Ledger(kCaseFiles[n - 1], ledgerHeading, hand, stamp, &aOut.ok));
        layout.Open("case0" + std::to_string(n)).Value("id", "ledger").Value("texture", file).Close();
    }
    layout.Close().Close();

    if (!layout.Save(folder + "caseselection_layout.txt")) {
        std::fprintf(stderr, "cannot write %scaseselection_layout.txt\n", folder.c_str());
        aOut.ok = false;
    }

    // The desk: dark wood in planks, drawn at 100 x 4 like the menus' backdrop.
    Picture desk(8, 150);
    for (int y = 0; y < 150; ++y) {
        const double grain = (y % 25 == 24) ? 0.6 : 1.0 - 0.08 * ((y / 5) % 3);
        desk.FillRect(0, y, 8, 1, {kWood.r * grain, kWood.g * grain, kWood.b * grain, 1});
    }
    tga("cs_desk.tga", desk);
    tga("cs_stamp.tga", Stamp(stamp));
    for (bool over : {false, true}) {
        for (const auto& [name, label] : {std::pair<std::string, std::string>{"review", "Review"}, {"back", "Back"}}) {
            Picture picture(160, 36);
            picture.FillRect(0, 0, 160, 36, over ? kAmber : kNavy);
            picture.FrameRect(0, 0, 160, 36, 1, over ? kAmberLight : WithAlpha(kAmber, 0.6));
            aButton.Draw(picture, label, (160 - aButton.Width(label)) / 2,
                         (36 + aButton.Ascent() - aButton.Descent()) / 2, over ? kInk : kIvory);
            tga("cs_" + name + (over ? "_o.tga" : "_n.tga"), picture);
        }
    }
}

// ---- thumbnails ------------------------------------------------------------------

// A scene's background at a quarter of its size (every fourth pixel, so the
// flat colours stay flat).
bool Thumbnail(Output& aOut, const std::string& aBackground, const std::string& aName) {
    std::ifstream in(aOut.data + "/scenes/" + aBackground, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    VoImageTGA image;
    if (bytes.empty() || !image.Decode(reinterpret_cast<const unsigned char*>(bytes.data()),
                                       static_cast<std::uint32_t>(bytes.size()))) {
        std::fprintf(stderr, "cannot read the scene background %s\n", aBackground.c_str());
        return false;
    }
    const int size = image.GetFormat() == VoImage::kFormatBGR ? 3 : 4;
    Picture thumbnail(200, 150);
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            const int sx = std::min(x * image.GetWidth() / 200 + 1, image.GetWidth() - 1);
            const int sy = std::min(y * image.GetHeight() / 150 + 1, image.GetHeight() - 1);
            const unsigned char* pixel = image.GetData() + sy * image.GetPitch() + sx * size;
            thumbnail.Set(x, y, {pixel[2] / 255.0, pixel[1] / 255.0, pixel[0] / 255.0, 1.0});
        }
    }
    thumbnail.FrameRect(0, 0, 200, 150, 1, {0, 0, 0, 1});
    return WriteTga(aOut.thumbnails + aName, thumbnail);
}

// The picture of a save without one of its own: a river bank at night, the
// water, the far bank's trees, a covered shape by the water and the tape
// round it.
Picture RiverBank() {
    Picture picture(200, 150, {0, 0, 0, 1});
    for (int y = 0; y < 150; ++y) {
        const double t = y / 149.0;
        Colour colour = y < 62    ? Colour{0.06 + 0.05 * t, 0.08 + 0.07 * t, 0.16 + 0.1 * t, 1}
                        : y < 100 ? Colour{0.05, 0.09 + 0.02 * ((y / 3) % 2), 0.14, 1}
                                  : Colour{0.16 - 0.05 * t, 0.13 - 0.04 * t, 0.09 - 0.03 * t, 1};
        picture.FillRect(0, y, 200, 1, colour);
    }
    for (int tree = 0; tree < 14; ++tree) {
        const double x = 7 + tree * 14.5;
        picture.Disc(x, 56 - (tree * 7 % 5), 9 + tree % 3, {0.03, 0.06, 0.07, 1});
    }
    picture.Disc(150, 18, 7, {0.9, 0.88, 0.74, 0.8});
    picture.Segment(60, 118, 112, 116, 11, {0.5, 0.52, 0.5, 1});
    picture.Disc(114, 115, 7, {0.5, 0.52, 0.5, 1});
    picture.Segment(30, 128, 80, 104, 1.5, {0.95, 0.78, 0.1, 1});
    picture.Segment(80, 104, 160, 108, 1.5, {0.95, 0.78, 0.1, 1});
    picture.Segment(160, 108, 140, 136, 1.5, {0.95, 0.78, 0.1, 1});
    return picture;
}

// A scene of the tree: its id ("case01/lobby") and, in its file's order,
// each viewpoint with the file name of its background.
struct SceneViews {
    std::string id;
    std::vector<std::pair<std::string, std::string>> views;
};

// Every scene under data/scenes (a folder with a scene.txt), in the order of
// the ids; empty, said on standard error, when a scene file cannot be read.
std::vector<SceneViews> SampleScenes(const std::string& aData) {
    namespace fs = std::filesystem;
    std::vector<SceneViews> scenes;
    const fs::path root = fs::path(aData) / "scenes";
    std::error_code error;
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        if (it->path().filename() != "scene.txt") {
            continue;
        }
        std::ifstream in(it->path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        VoPropertyList file;
        VoPropertyList* viewpoints =
            file.Parse(VoString(text.c_str())) ? file.GetList(VoString(u"viewpoints")) : nullptr;
        if (viewpoints == nullptr) {
            std::fprintf(stderr, "cannot read the viewpoints of %s\n", it->path().string().c_str());
            return {};
        }
        SceneViews scene{fs::relative(it->path().parent_path(), root).generic_string(), {}};
        for (int i = 0; i < viewpoints->GetCount(); ++i) {
            const VoString key = viewpoints->GetKeyAt(i);
            scene.views.emplace_back(Narrow(key),
                                     Narrow(viewpoints->GetString(key + u".background", nullptr)));
        }
        scenes.push_back(scene);
    }
    std::sort(scenes.begin(), scenes.end(),
              [](const SceneViews& aA, const SceneViews& aB) { return aA.id < aB.id; });
    return scenes;
}

// The thumbnail of every viewpoint of every scene, and their table: scenes
// of a case folder ("case01/lobby") under the folder and the scene's name,
// the others under allCases and their whole id. A thumbnail is named after
// the scene's last name, and the viewpoint without its "vp_" when the scene
// has more than one: thumb_lobby_desk.tga, thumb_office.tga.
void Thumbnails(Output& aOut) {
    const std::vector<SceneViews> scenes = SampleScenes(aOut.data);
    if (scenes.empty()) {
        aOut.ok = false;
        return;
    }
    aOut.ok = WriteBmp(aOut.thumbnails + "riverbank_body.bmp", RiverBank()) && aOut.ok;
    Layout table(
        "The picture of each viewpoint for the save screen (tools/make_menus.cpp):\n"
        "by case folder, scene and viewpoint; scenes outside the case folders\n"
        "under allCases, by their whole id.");
    std::string folder;
    for (const SceneViews& scene : scenes) {
        const std::string::size_type slash = scene.id.find('/');
        const bool inCase = scene.id.rfind("case", 0) == 0 && slash != std::string::npos;
        const std::string section = inCase ? scene.id.substr(0, slash) : "allCases";
        if (section != folder) {
            if (!folder.empty()) {
                table.Close();
            }
            table.Open(section);
            folder = section;
        }
        table.Open(inCase ? scene.id.substr(slash + 1) : scene.id);
        const std::string name = scene.id.substr(scene.id.rfind('/') + 1);
        for (const auto& [viewpoint, background] : scene.views) {
            std::string image = "thumb_" + name;
            if (scene.views.size() > 1) {
                image += "_" + (viewpoint.rfind("vp_", 0) == 0 ? viewpoint.substr(3) : viewpoint);
            }
            image += ".tga";
            aOut.ok = Thumbnail(aOut, scene.id + "/" + background, image) && aOut.ok;
            table.Open(viewpoint).Value("image", image).Close();
        }
        table.Close();
    }
    table.Close();
    if (!table.Save(aOut.thumbnails + "thumbs.txt")) {
        aOut.ok = false;
    }
}

// ---- music and movies -----------------------------------------------------------

constexpr int kRate = 22050;

double NoteFrequency(int aSemitonesFromA4) {
    return 440.0 * std::pow(2.0, aSemitonesFromA4 / 12.0);
}

// A soft plucked note added into the frames.
void Note(std::vector<float>& aFrames, double aStart, double aSeconds, int aSemitones, double aLevel) {
    const double frequency = NoteFrequency(aSemitones);
    const int first = static_cast<int>(aStart * kRate);
    const int count = static_cast<int>(aSeconds * kRate);
    for (int i = 0; i < count && first + i < static_cast<int>(aFrames.size()); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double envelope = std::min(1.0, t / 0.01) * std::exp(-3.0 * t);
        const double tone = std::sin(2 * kPi * frequency * t) + 0.3 * std::sin(4 * kPi * frequency * t) +
                            0.1 * std::sin(6 * kPi * frequency * t);
        aFrames[static_cast<std::size_t>(first + i)] += static_cast<float>(aLevel * envelope * tone);
    }
}

// Four bars of 1.5 s, each a bass note and an arpeggio of eighths; the
// chords in semitones from A4.
std::vector<float> Tune(const int aChords[4][4], double aLevel) {
    std::vector<float> frames(static_cast<std::size_t>(6.0 * kRate), 0.0f);
    for (int bar = 0; bar < 4; ++bar) {
        const double start = bar * 1.5;
        Note(frames, start, 1.5, aChords[bar][0] - 24, aLevel * 0.9);
        for (int step = 0; step < 8; ++step) {
            Note(frames, start + step * 0.1875, 0.6, aChords[bar][step % 4], aLevel * 0.5);
        }
    }
    return frames;
}

bool Music(const Output& aOut) {
    // A minor, F, G, E: the theme; C, F, G, C: the credits.
    const int theme[4][4] = {{0, 3, 7, 12}, {-4, 0, 3, 8}, {-2, 2, 5, 10}, {-5, -1, 2, 7}};
    const int credits[4][4] = {{3, 7, 10, 15}, {-4, 0, 3, 8}, {-2, 2, 5, 10}, {3, 7, 10, 15}};
    const std::string sounds = aOut.data + "/sounds/";
    return WriteSoundFile(sounds + "theme.ogg", SoundFormat::kOggVorbis, kRate, 1, Tune(theme, 0.16)) &&
           WriteSoundFile(sounds + "Credits.ogg", SoundFormat::kOggVorbis, kRate, 1, Tune(credits, 0.16));
}

// A movie over black of a picture that fades in over the first quarter
// and out over the last.
bool FadingMovie(const std::string& aPath, const Picture& aPicture, int aFrames) {
    MovieSpec spec;
    spec.width = aPicture.Width();
    spec.height = aPicture.Height();
    spec.frames = aFrames;
    spec.fps = 10;
    spec.codec = MovieCodec::kVp8;
    spec.keyInterval = 10;
    spec.picture = [&aPicture, aFrames](int aFrame, int aX, int aY) {
        const double fade =
            std::min({1.0, (aFrame + 1) / (aFrames / 4.0), (aFrames - aFrame) / (aFrames / 4.0)});
        const Colour colour = aPicture.Get(aX, aY);
        const double scale = fade * colour.a * 255.0;
        return std::array<std::uint8_t, 4>{static_cast<std::uint8_t>(std::lround(colour.b * scale)),
                                           static_cast<std::uint8_t>(std::lround(colour.g * scale)),
                                           static_cast<std::uint8_t>(std::lround(colour.r * scale)), 255};
    };
    if (!WriteMovieFile(aPath, spec)) {
        std::fprintf(stderr, "cannot write %s\n", aPath.c_str());
        return false;
    }
    return true;
}

// The maker's mark: a "Q" ring with its tail over the name, letter-spaced.
Picture Logo(const Typeface& aName) {
    Picture logo(800, 600);
    logo.Disc(400, 250, 78, kAmber, 64);
    logo.Segment(446, 296, 492, 342, 14, kAmber);
    logo.Disc(400, 250, 20, WithAlpha(kAmberLight, 0.9));
    const std::string name = "QUORVEL";
    const int spacing = 14;
    const int width = aName.Width(name) + spacing * (static_cast<int>(name.size()) - 1);
    aName.Draw(logo, name, 400 - width / 2, 420, kIvory, spacing);
    return logo;
}

Picture OpeningCard(const Typeface& aPlace, const Typeface& aTime) {
    Picture card(320, 240);
    const std::string place = "Port Kestrel";
    const std::string time = "The precinct, Monday morning";
    aPlace.Draw(card, place, (320 - aPlace.Width(place)) / 2, 116, kIvory);
    aTime.Draw(card, time, (320 - aTime.Width(time)) / 2, 146, kAmber);
    return card;
}

// ---- the end of case 1 --------------------------------------------------------

const char* const kClosingBegin = "// -- The end of case 1 (tools/make_menus.cpp).";
const char* const kClosingEnd = "// -- End of the end of case 1.";

// The file with the block between the two marker lines (or at its end)
// replaced by the given lines.
bool ReplaceBlock(const std::string& aPath, const std::vector<std::string>& aBlock) {
    std::ifstream in(aPath);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", aPath.c_str());
        return false;
    }
    std::vector<std::string> kept;
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (line == kClosingBegin) {
            inside = true;
        } else if (line == kClosingEnd) {
            inside = false;
        } else if (!inside) {
            kept.push_back(line);
        }
    }
    in.close();
    std::ofstream out(aPath, std::ios::binary);
    const std::vector<std::string>* const parts[] = {&kept, &aBlock};
    for (const std::vector<std::string>* lines : parts) {
        for (const std::string& line : *lines) {
            out << line << "\n";
        }
    }
    return static_cast<bool>(out);
}

// Case 1's closing card and its cut scene: when interview 117 ends with the
// case closed, the card plays on the way back to the squad room, where the
// case selection opens (no case is in play any more) on the case's ledger.
bool CaseOneClosing(Output& aOut, const Typeface& aPlace, const Typeface& aTime) {
    Picture card(320, 240);
    const std::string title = "Case closed";
    const std::string line = "The Marlowe, room twelve";
    aPlace.Draw(card, title, (320 - aPlace.Width(title)) / 2, 116, kIvory);
    aTime.Draw(card, line, (320 - aTime.Width(line)) / 2, 146, kAmber);
    bool ok = FadingMovie(aOut.data + "/movies/case01_closed.mkv", card, 30);
    ok = ReplaceBlock(aOut.data + "/movies/cutscenes.txt",
                      {kClosingBegin, "case01_closed", "\ttriggertype=interview", "\ttriggerinterview=117",
                       "\tmovie=case01_closed.mkv", "\tdoneevents=evt_case01_closed_played", "\ttargetscene=precinct",
                       "\tdependencies=script[e[evt_case01_closed]&!e[evt_case01_closed_played]]", kClosingEnd}) &&
         ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string data = argc > 1 ? argv[1] : "data";
    Output out;
    out.data = data;
    out.menu = data + "/textures/menu/";
    out.thumbnails = out.menu + "thumbnails/";
    std::error_code error;
    for (const std::string& folder :
         {out.menu, out.thumbnails, data + "/sounds", data + "/movies", data + "/textures/caseselection"}) {
        std::filesystem::create_directories(folder, error);
    }
    const Typeface title("DejaVuSerif-Bold.ttf", 44);
    const Typeface subtitle("DejaVuSerif-Italic.ttf", 20);
    const Typeface screenTitle("DejaVuSerif-Bold.ttf", 34);
    const Typeface button("DejaVuSerif.ttf", 19);
    const Typeface label("DejaVuSans.ttf", 17);
    const Typeface small("DejaVuSans-Bold.ttf", 14);
    const Typeface logoName("DejaVuSerif.ttf", 46);
    const Typeface place("DejaVuSerif-Bold.ttf", 26);
    const Typeface time("DejaVuSans-Oblique.ttf", 13);
    for (const Typeface* face :
         {&title, &subtitle, &screenTitle, &button, &label, &small, &logoName, &place, &time}) {
        if (!face->IsOpen()) {
            return 1;
        }
    }

    out.Tga("menu_bg.tga", Backdrop());
    MainMenu(out, title, subtitle, button);
    for (const auto& [name, text] : std::vector<std::pair<std::string, std::string>>{
             {"cancel", "Cancel"}, {"save", "Save"}, {"load", "Load"}, {"back", "Back"}}) {
        ButtonPictures(out, name, text, 160, 36, button);
    }
    ButtonPictures(out, "up", "up", 44, 44, button);
    ButtonPictures(out, "down", "down", 44, 44, button);
    SaveScreen(out, screenTitle, label);
    LoadScreen(out, screenTitle);
    OptionsScreen(out, screenTitle, label, small);
    Credits(out);
    CaseSelection(out, screenTitle, button);
    Thumbnails(out);

    Picture white(8, 8, {1, 1, 1, 1});
    out.ok = WriteBmp(data + "/textures/white.bmp", white) && out.ok;
    out.ok = Music(out) && out.ok;
    out.ok = FadingMovie(data + "/movies/Quorvel_Logo.bik", Logo(logoName), 30) && out.ok;
    out.ok = FadingMovie(data + "/movies/000_all.bik", OpeningCard(place, time), 30) && out.ok;
    out.ok = CaseOneClosing(out, place, time) && out.ok;
    return out.ok ? 0 : 1;
}
