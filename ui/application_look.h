// The look shared by every window: Qt's Fusion style and a Chinese font small enough that
// each caption fits the box the forms give it.
#pragma once

class QWidget;

namespace rq {

// The pixel size the forms were laid out for: a 64-pixel label holds "*房屋类型：".
inline constexpr int kApplicationFontPixelSize = 11;

void applyApplicationLook();

// Qt's Fusion style as every window of the program has it, set unless it is set already.
void useApplicationStyle();

// The forms place every caption in a fixed box. Where the installed font draws a caption a
// little wider or taller than its box (another CJK font, another size), this tightens the
// letters of that one caption, then makes it smaller, until it is whole. Call it once the
// window's texts are set.
void fitCaptionsToBoxes(QWidget* window);

}  // namespace rq
