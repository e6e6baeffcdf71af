#pragma once
// Every text of the 2D display as a player reads it: the display manager's
// tree drawn through the recording rasterizer (a RecordingGame's), painted
// again in software (RecordedScreen), and each text area that shows judged
// against the picture under it. Needs the fonts made (SampleGame).
//
//     ScreenTextReport report = ReadScreenTexts();
//     EXPECT_THAT(report.faults, IsEmpty());
//
// The display shows a text area under the display root that is active and
// visible, with a font and an effective blend above 0, when one of its
// laid-out lines holds a character that inks (no space or control
// character) and lies, by its layout, within the rectangle it may draw in:
// the screen, or the world rectangle of the nearest group that has one (a
// scroll area's); a line that rectangle cuts down to rows its glyphs do not
// ink shows nothing. Every line a text shows must be found drawn: one glyph
// of its font (a font of the font list, its texture recorded) for each of
// its characters, their middles within the line's row, inking something.
// A text shown that is not judged, or judged without some of its lines, is
// a fault that names them and why; so are glyphs that inks that no text of
// the tree lays out, and any draw whose texture was not recorded (what it
// drew cannot be painted again).
//
// A text's box is, line by line, the rectangle from its pen to the line's
// width in its font (the font's own widths, at its scale) across, and over
// the rows its glyphs ink (as opaque as half its blend or more) down,
// within the clip rectangle the glyphs were drawn in. Four rules:
//
// - Contrast: the text's colour (its font's, at the area's effective blend)
//   against the picture drawn before it under its box (the other texts left
//   out) has the WCAG contrast ratio (L1 + 0.05) / (L2 + 0.05), relative
//   luminance from sRGB, of at least 4.5 for 90 in a hundred of the box's
//   pixels. The tenth left free is for the pixels a box shares with a thin
//   rule, a frame it touches or a picture's anti-aliased edge, which no
//   reader takes for the text's ground. Where the pictures do not cover
//   the screen the 3D scene shows through: the box is judged over black and
//   over white and the worse counts.
// - Over the scene: a text whose box the pictures cover less than half (at
//   half opacity or more; a subtitle over its box of 40 percent black)
//   stands over the 3D scene, which may be anything (listed in overScene).
//   It is painted with the pictures under it over a white scene and over a
//   black one, and in each the ground right round its letters must have
//   the contrast of 4.5:1 with the text's colour for 90 in a hundred of its
//   pixels: at every pixel the letters cover less than half, next to one
//   (of its eight neighbours) they cover half or more, the colour under the
//   letters' share of the pixel, which is the text's own outline where its
//   font has one, else the pictures and the scene. A letter's share of a
//   pixel is its colour there, painted alone over black, against the
//   letters' colour (the brightest texels of the font): a black outline
//   adds nothing to it. A black font's letters are measured by their cover.
// - Fit: every line lies within its plate, the last picture drawn before it
//   whose rectangle holds the text's first point (a button under a label,
//   a panel under a message), widened by the pictures its group draws next
//   that reach out of it (the button's right cap), a pixel of slack each
//   way; it runs over no other picture drawn between the plate and the text
//   (a mark on the button); and a word-wrapped text that shows one line
//   only holds all its words on it.
// - Not hidden: no more than 2 in a hundred of the box's pixels lie under
//   pictures drawn after the text at half opacity or more.
//
// The cursor is left out of the picture.
#include <string>
#include <vector>

struct ScreenTextReport {
    // Every text the display shows, named as below.
    std::vector<std::string> shown;
    // Every text judged: "<path> \"<text>\" (<font>)", the text's lines
    // joined by " / ".
    std::vector<std::string> texts;
    // One line for each rule a text breaks, its path, text and figures.
    std::vector<std::string> faults;
    // The texts over the 3D scene, judged by the rule for them.
    std::vector<std::string> overScene;
};

// Reads the display as it stands, then (with aLooks) once for each look of
// the buttons: the disabled, down, hilighted, hilighted-over, normal and
// over looks in turn, every button that has the look showing it. Texts in
// the disabled look of a button need no contrast (WCAG's exception for
// inactive controls).
ScreenTextReport ReadScreenTexts(bool aLooks = true);
