// The cut frame's geometry, free of windows: image pixels and display pixels (image times
// num / den), the hit test of the frame's handles, the clipping every new frame passes, the
// moves and resizes of the mouse, keys and wheel, and the default placement. Products of a
// coordinate and a scale term are 64-bit (a fraction's terms reach 10^6); results are held
// within int.
//
//   FrmScale s = {1, 3};
//   POINT img;
//   int code = FrmHitTest(frame, true, point, s, rule, &img);   // 0 none .. 9 inside
//   RECT next = frame;
//   OffsetRect(&next, 10, 0);
//   if (FrmClip(&next, true, rule, image) == 0) frame = next;   // -13: refused
#pragma once
#include <windows.h>

// Display coordinates are image coordinates times num / den (each at least 1).
struct FrmScale {
    int num;
    int den;
};

// How a quotient becomes whole: half away from zero, toward minus infinity, toward plus
// infinity, toward zero.
enum FrmRound { FrmRoundHalf, FrmRoundDown, FrmRoundUp, FrmRoundTrunc };

// Hit codes: the corners top-left, top-right, bottom-right, bottom-left, the edges left, right,
// top, bottom, and the inside (a move).
enum {
    FrmHitNone = 0,
    FrmHitTopLeft = 1,
    FrmHitTopRight = 2,
    FrmHitBottomRight = 3,
    FrmHitBottomLeft = 4,
    FrmHitLeft = 5,
    FrmHitRight = 6,
    FrmHitTop = 7,
    FrmHitBottom = 8,
    FrmHitInside = 9
};

// Frame modes.
enum { FrmModeFree = 1, FrmModeFixedSize = 2, FrmModeFixedRatio = 3 };

// What a frame must keep to: the mode, the fixed size or the two terms of the fixed ratio, and
// in fixed-ratio mode whether the width leads (else the height).
struct FrmRule {
    int mode;
    int width;
    int height;
    int widthLeads;
};

// The quotient a * b / c (c above 0) made whole as asked, held within int.
int FrmMulDiv(long long a, long long b, long long c, FrmRound round);
// Image to display and display to image coordinates.
inline int FrmToDisp(long long v, FrmScale s, FrmRound round) { return FrmMulDiv(v, s.num, s.den, round); }
inline int FrmToImg(long long v, FrmScale s) { return FrmMulDiv(v, s.den, s.num, FrmRoundHalf); }
// A frame's rectangle in display coordinates, each side made whole as asked.
RECT FrmRectToDisp(const RECT& r, FrmScale s, FrmRound round);

// The handle under a display point (the scroll position already added), tested with a square of
// 5 pixels either side of it; the point, or the handle's own corner or edge, in image pixels
// goes into *img. Fixed size leaves only the inside; fixed ratio leaves out the top and bottom
// edges when the width leads, the left and right ones when the height leads.
int FrmHitTest(const RECT& frame, bool shown, POINT disp, FrmScale s, const FrmRule& rule, POINT* img);

// Makes a candidate frame acceptable inside an image of that size: normalised, no larger than
// the image, moved (moving) or cut (resizing) into it, sized by the rule, placed inside. -13
// when it cannot be (nothing left, or fixed size or ratio without both terms), r unchanged.
int FrmClip(RECT* r, bool moving, const FrmRule& rule, SIZE image);

// The direction of a move by (dx, dy) as the code of its leading corner.
int FrmMoveCode(int dx, int dy);

// A resize of the code's side or corner by (dx, dy), the other sides staying. A side moved onto
// or past the opposite one turns the drag into one of the mirrored handle: on that axis the
// frame stays as it was, *code becomes the mirrored handle's and *anchor (image pixels) its
// place, which is the edge that stood fixed. True when the handle changed.
bool FrmResize(const RECT& frame, int dx, int dy, RECT* cand, int* code, POINT* anchor);

// After a resize the side opposite to the code's stays where the old frame had it, as far as
// the new size fits in the image: the bottom for codes 1, 2, 7 (else the top), the right for
// codes 1, 4, 5 (else the left).
void FrmKeepOpposite(RECT* r, const RECT& old, int code, SIZE image);

// The point in the frame at the offsets from its left and top scaled from the old size to the
// frame's own (half away from zero), inside the frame.
POINT FrmScaleAnchor(const RECT& r, int offX, int oldW, int offY, int oldH);

// A corner or edge point's display coordinates, rounded outward for the code: up on the right
// (codes 2, 3, 6) and bottom (codes 3, 4, 8), down elsewhere.
POINT FrmHandleToDisp(POINT img, int code, FrmScale s);
// The leading corner of a move of that code, in display coordinates rounded outward.
POINT FrmLeadCorner(const RECT& r, int code, FrmScale s);
// A handle's point of a frame (image pixels): its corner, or the middle of its edge.
POINT FrmHandlePoint(const RECT& r, int code);

// Where a frame starts by default: 0.8 of the smaller of the shown image and the client area on
// each axis, centred on the middle of the visible part; image pixels, not yet clipped. visible
// is the visible part of the drawing in display coordinates.
RECT FrmDefault(SIZE shown, SIZE client, const RECT& visible, FrmScale s);
// A frame larger than the visible part (display coordinates) shrunk to it keeping its ratio,
// and centred on the visible part again; unchanged when it fits.
RECT FrmFitVisible(const RECT& frame, const RECT& visible, FrmScale s);

// The C key's frame: of the same size, centred on the middle of the drawing (the inner drawing
// rectangle's middle turned into image pixels less half the frame's size; halves away from zero
// throughout), not yet clipped; *scroll the position that puts the drawing's middle in the
// middle of a client area of that size.
RECT FrmCentred(const RECT& frame, const RECT& inner, FrmScale s, POINT* scroll, SIZE client);

// A frame turned with the paper: width and height exchanged about its top-left corner, both
// shrunk in proportion (half away from zero) where the image leaves no room right of or below
// that corner.
RECT FrmTurn(const RECT& frame, SIZE image);

// The relative change of a frame zoom by notches (positive away from the user: smaller), each
// step times (1 - step) or (1 + step); 0 when outside 0.000001 .. 100.
double FrmZoomFactor(int notches, double step);
// A size times num / den (half away from zero); a side the rounding leaves as it was changes
// by one pixel in the zoom's direction (grow when num > den).
SIZE FrmZoomSize(SIZE size, int num, int den);

// A key of the frame's key table on a frame: the candidate, the code it runs with and whether
// it moves (else resizes). steps are the step settings 1 to 4. False when the key has no frame
// action with these modifiers.
bool FrmKeyRect(const RECT& frame, UINT key, bool shift, bool ctrl, const int steps[4], SIZE image, RECT* cand,
                int* code, bool* moving);

// A scroll position that brings the display coordinate into the visible span [scroll, scroll +
// client]: the coordinate itself, or it less the client size when it is the far side. False
// when it is in sight.
bool FrmAutoScroll(int disp, int scroll, int client, bool farSide, int* target);

// ---- Turning and mirroring the image ----

// A frame that follows its image turned clockwise by 90, 180 or 270 degrees / mirrored (1 top
// to bottom, 0 left to right), the image of that size before the change; it covers the same
// pixels afterwards.
RECT FrmRotate(const RECT& frame, int degrees, SIZE image);
RECT FrmReflect(const RECT& frame, int direction, SIZE image);

// What the drawing area shows: its client size, the drawing's size at the present scale and
// the scroll position (display coordinates).
struct FrmView {
    SIZE client;
    SIZE drawing;
    POINT scroll;
};
// The middle of the view's visible part (the scroll position plus half of the smaller of client
// and drawing on each axis, halves half away from zero) where it lies once the drawing has
// turned by the degrees (0: not turned) / been mirrored in the direction.
POINT FrmTurnMiddle(const FrmView& view, int degrees);
POINT FrmMirrorMiddle(const FrmView& view, int direction);
// The scroll position that puts that point in the middle of the visible part of a view with
// that client and drawing size (not clamped: the drawing area clamps it).
POINT FrmMiddleScroll(POINT middle, SIZE client, SIZE drawing);
