#pragma once
// Where the bar's button puts its picture and caption: the picture at the left (alone, it is
// centred), the caption in the rest; both one pixel down and right while the button is pressed.

namespace orvex::bar::button {

// Caption alignments by TextAlign: 0 left, 1 right, 2 centred (other values read as left).
enum class CaptionAlign { Left, Right, Center };
inline constexpr int kTextAlignLeft = 0;
inline constexpr int kTextAlignRight = 1;
inline constexpr int kTextAlignCenter = 2;

// The picture is drawn this many pixels square, inside a frame this many pixels deep.
inline constexpr int kPictureSize = 16;
inline constexpr int kFrameDepth = 2;
// Space between the frame and the picture, and between the picture and the caption.
inline constexpr int kInnerMargin = 2;
inline constexpr int kCaptionGap = 3;

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

struct ButtonLayout {
    Box picture;           // empty (0 × 0) without a picture
    Box caption;           // empty without a caption
    CaptionAlign align = CaptionAlign::Left;
};

/// The picture and caption boxes of a button of width × height pixels; a caption with no room
/// left gets an empty box.
ButtonLayout layoutButton(int width, int height, bool hasPicture, bool hasCaption, int textAlign, bool pressed);

}  // namespace orvex::bar::button
