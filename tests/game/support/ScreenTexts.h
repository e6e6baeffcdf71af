#pragma once
// Every text of the 2D display as a player reads it: the display manager's
// tree drawn through the recording rasterizer (a RecordingGame's), painted
// again in software (RecordedScreen), and each text area that shows judged
// against the picture under it. Needs the fonts made (SampleGame).
//
//     ScreenTextReport report = ReadScreenTexts();
//     EXPECT_THAT(report.faults, IsEmpty());
//
// A text is an effectively visible text area with a font and a text, under
// the display root, whose glyphs were drawn. Its box is, line by line, the
// rectangle from its pen to the line's width in its font (the font's own
// widths, at its scale) across, and over the rows its glyphs ink (half
// opaque or more) down, within the clip rectangle the glyphs were drawn in.
// Three rules:
//
// - Contrast: the text's colour (its font's, at the area's effective blend)
//   against the picture drawn before it under its box (the other texts left
//   out) has the WCAG contrast ratio (L1 + 0.05) / (L2 + 0.05), relative
//   luminance from sRGB, of at least 4.5 for 90 in a hundred of the box's
//   pixels. The tenth left free is for the pixels a box shares with a thin
//   rule, a frame it touches or a picture's anti-aliased edge, which no
//   reader takes for the text's ground. Where the pictures do not cover
//   the screen the 3D scene shows through: the box is judged over black and
//   over white and the worse counts; a text whose box the pictures cover
//   less than half stands over the scene alone and is not judged (listed in
//   overScene).
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
    // Every text judged: "<path> \"<text>\" (<font>)".
    std::vector<std::string> texts;
    // One line for each rule a text breaks, its path, text and figures.
    std::vector<std::string> faults;
    // The texts over the 3D scene, not judged.
    std::vector<std::string> overScene;
};

// Reads the display as it stands, then (with aLooks) once for each look of
// the buttons: the disabled, down, hilighted, hilighted-over, normal and
// over looks in turn, every button that has the look showing it. Texts in
// the disabled look of a button need no contrast (WCAG's exception for
// inactive controls).
ScreenTextReport ReadScreenTexts(bool aLooks = true);
