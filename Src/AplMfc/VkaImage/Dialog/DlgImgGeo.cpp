// The cut frame's geometry (DlgImgGeo.h).
#include "DlgImgGeo.h"
#include <limits.h>
#include <math.h>
#include <algorithm>

namespace {

int Clamp(long long v) { return static_cast<int>(std::min<long long>(std::max<long long>(v, INT_MIN), INT_MAX)); }

bool In(long long v, long long low, long long high) { return low <= v && v < high; }

long long Width(const RECT& r) { return static_cast<long long>(r.right) - r.left; }
long long Height(const RECT& r) { return static_cast<long long>(r.bottom) - r.top; }

// The handle codes with the frame's left / right / top / bottom side in them.
bool MovesLeft(int code) { return code == FrmHitTopLeft || code == FrmHitBottomLeft || code == FrmHitLeft; }
bool MovesRight(int code) { return code == FrmHitTopRight || code == FrmHitBottomRight || code == FrmHitRight; }
bool MovesTop(int code) { return code == FrmHitTopLeft || code == FrmHitTopRight || code == FrmHitTop; }
bool MovesBottom(int code) { return code == FrmHitBottomLeft || code == FrmHitBottomRight || code == FrmHitBottom; }

// The handle across the vertical / horizontal middle line.
int MirrorH(int code)
{
    static const int m[10] = {0, 2, 1, 4, 3, 6, 5, 7, 8, 9};
    return m[code];
}
int MirrorV(int code)
{
    static const int m[10] = {0, 4, 3, 2, 1, 5, 6, 8, 7, 9};
    return m[code];
}

// One axis of a resize: the low or the high side moved by d, unless that takes it onto or past
// the other side (true, nothing moved).
bool MoveSide(bool low, bool high, LONG lowSide, LONG highSide, int d, LONG* outLow, LONG* outHigh)
{
    if (low) {
        long long v = static_cast<long long>(lowSide) + d;
        if (v >= highSide) return true;
        *outLow = Clamp(v);
    } else if (high) {
        long long v = static_cast<long long>(highSide) + d;
        if (v <= lowSide) return true;
        *outHigh = Clamp(v);
    }
    return false;
}

// One axis of a rectangle inside [0, limit] keeping its length: pushed back from the far end,
// then from the near one.
void PlaceInside(long long* low, long long* high, long long limit)
{
    long long len = *high - *low;
    if (*high > limit) {
        *high = limit;
        *low = limit - len;
    }
    if (*low < 0) {
        *low = 0;
        *high = len;
    }
}

// The fixed ratio: the leading length gives the other; when that does not fit after the
// leading side's start, the other takes what is left and the leading one follows it back,
// then the other once more (rounded down). False when nothing is left.
bool FitRatio(long long* lead, long long* other, long long leadStart, long long otherStart, long long leadLimit,
              long long otherLimit, long long leadTerm, long long otherTerm)
{
    long long o = FrmMulDiv(*lead, otherTerm, leadTerm, FrmRoundHalf);
    if (o <= 0) return false;
    if (otherStart + o > otherLimit) {
        o = otherLimit - otherStart;
        if (o <= 0) return false;
        long long l = std::min<long long>(FrmMulDiv(o, leadTerm, otherTerm, FrmRoundHalf), leadLimit - leadStart);
        if (l <= 0) return false;
        o = FrmMulDiv(l, otherTerm, leadTerm, FrmRoundDown);
        if (o <= 0 || otherStart + o > otherLimit) return false;
        *lead = l;
    }
    *other = o;
    return true;
}

} // namespace

int FrmMulDiv(long long a, long long b, long long c, FrmRound round)
{
    if (c <= 0) return 0;
    // 128 bits: any two int-sized operands multiply without overflow.
    const __int128 p = static_cast<__int128>(a) * b;
    __int128 q;
    switch (round) {
    case FrmRoundDown: q = p >= 0 ? p / c : -((-p + c - 1) / c); break;
    case FrmRoundUp: q = p >= 0 ? (p + c - 1) / c : -(-p / c); break;
    case FrmRoundTrunc: q = p / c; break;
    default: q = p >= 0 ? (2 * p + c) / (2 * c) : -((-2 * p + c) / (2 * c)); break;
    }
    return q > INT_MAX ? INT_MAX : q < INT_MIN ? INT_MIN : static_cast<int>(q);
}

RECT FrmRectToDisp(const RECT& r, FrmScale s, FrmRound round)
{
    return RECT{FrmToDisp(r.left, s, round), FrmToDisp(r.top, s, round), FrmToDisp(r.right, s, round),
                FrmToDisp(r.bottom, s, round)};
}

int FrmHitTest(const RECT& frame, bool shown, POINT disp, FrmScale s, const FrmRule& rule, POINT* img)
{
    const POINT point = {FrmToImg(disp.x, s), FrmToImg(disp.y, s)};
    *img = point;
    if (!shown) return FrmHitNone;
    const RECT f = FrmRectToDisp(frame, s, FrmRoundHalf);
    const long long pl = disp.x - 5LL, pr = disp.x + 5LL, pt = disp.y - 5LL, pb = disp.y + 5LL;
    if (std::max<long long>(pl, f.left) >= std::min<long long>(pr, f.right) ||
        std::max<long long>(pt, f.top) >= std::min<long long>(pb, f.bottom))
        return FrmHitNone;
    if (pl >= f.left && pr <= f.right && pt >= f.top && pb <= f.bottom) return FrmHitInside;
    const bool top = In(f.top, pt, pb), bottom = In(f.bottom, pt, pb);
    int code;
    if (In(f.left, pl, pr) || In(f.right, pl, pr)) {
        const bool left = In(f.left, pl, pr);
        img->x = left ? frame.left : frame.right;
        if (top) {
            code = left ? FrmHitTopLeft : FrmHitTopRight;
            img->y = frame.top;
        } else if (bottom) {
            code = left ? FrmHitBottomLeft : FrmHitBottomRight;
            img->y = frame.bottom;
        } else {
            code = left ? FrmHitLeft : FrmHitRight;
        }
    } else {
        code = top ? FrmHitTop : FrmHitBottom;
        img->y = top ? frame.top : frame.bottom;
    }
    const bool refused =
        (rule.mode == FrmModeFixedSize && code != FrmHitInside) ||
        (rule.mode == FrmModeFixedRatio && rule.widthLeads && (code == FrmHitTop || code == FrmHitBottom)) ||
        (rule.mode == FrmModeFixedRatio && !rule.widthLeads && (code == FrmHitLeft || code == FrmHitRight));
    if (!refused) return code;
    *img = point;
    return FrmHitNone;
}

int FrmClip(RECT* r, bool moving, const FrmRule& rule, SIZE image)
{
    if (rule.mode != FrmModeFree && (rule.width <= 0 || rule.height <= 0)) return -13;
    long long l = std::min(r->left, r->right), rt = std::max(r->left, r->right);
    long long t = std::min(r->top, r->bottom), b = std::max(r->top, r->bottom);
    const long long iw = image.cx, ih = image.cy;
    rt = std::min(rt, l + iw);
    b = std::min(b, t + ih);
    if (rt - l <= 0 || b - t <= 0) return -13;
    if (moving) {
        PlaceInside(&l, &rt, iw);
        PlaceInside(&t, &b, ih);
    } else {
        l = std::min(std::max(l, 0LL), iw);
        rt = std::min(std::max(rt, 0LL), iw);
        t = std::min(std::max(t, 0LL), ih);
        b = std::min(std::max(b, 0LL), ih);
        if (rt - l <= 0 || b - t <= 0) return -13;
    }
    long long w = rt - l, h = b - t;
    if (rule.mode == FrmModeFixedSize) {
        // Never larger than the image: a cut or a print reads nothing outside it.
        w = std::min<long long>(rule.width, iw);
        h = std::min<long long>(rule.height, ih);
    } else if (rule.mode == FrmModeFixedRatio) {
        bool fits = rule.widthLeads ? FitRatio(&w, &h, l, t, iw, ih, rule.width, rule.height)
                                    : FitRatio(&h, &w, t, l, ih, iw, rule.height, rule.width);
        if (!fits) return -13;
    }
    rt = l + w;
    b = t + h;
    PlaceInside(&l, &rt, iw);
    PlaceInside(&t, &b, ih);
    *r = RECT{Clamp(l), Clamp(t), Clamp(rt), Clamp(b)};
    return 0;
}

int FrmMoveCode(int dx, int dy)
{
    if (dx < 1) return dy < 1 ? FrmHitTopLeft : FrmHitBottomLeft;
    return dy < 1 ? FrmHitTopRight : FrmHitBottomRight;
}

bool FrmResize(const RECT& frame, int dx, int dy, RECT* cand, int* code, POINT* anchor)
{
    const int start = *code;
    *cand = frame;
    long long ax = static_cast<long long>(anchor->x) + dx, ay = static_cast<long long>(anchor->y) + dy;
    const bool crossH = MoveSide(MovesLeft(start), MovesRight(start), frame.left, frame.right, dx, &cand->left,
                                 &cand->right);
    const bool crossV = MoveSide(MovesTop(start), MovesBottom(start), frame.top, frame.bottom, dy, &cand->top,
                                 &cand->bottom);
    if (crossH) {
        *code = MirrorH(*code);
        ax = MovesLeft(start) ? frame.right : frame.left;
    }
    if (crossV) {
        *code = MirrorV(*code);
        ay = MovesTop(start) ? frame.bottom : frame.top;
    }
    if (crossH || crossV) *anchor = POINT{Clamp(ax), Clamp(ay)};
    return crossH || crossV;
}

void FrmKeepOpposite(RECT* r, const RECT& old, int code, SIZE image)
{
    long long w = Width(*r), h = Height(*r);
    long long l, rt, t, b;
    if (code == FrmHitTopLeft || code == FrmHitBottomLeft || code == FrmHitLeft) {
        rt = old.right;
        l = rt - w;
    } else {
        l = old.left;
        rt = l + w;
    }
    if (code == FrmHitTopLeft || code == FrmHitTopRight || code == FrmHitTop) {
        b = old.bottom;
        t = b - h;
    } else {
        t = old.top;
        b = t + h;
    }
    PlaceInside(&l, &rt, image.cx);
    PlaceInside(&t, &b, image.cy);
    *r = RECT{Clamp(l), Clamp(t), Clamp(rt), Clamp(b)};
}

POINT FrmScaleAnchor(const RECT& r, int offX, int oldW, int offY, int oldH)
{
    long long x = r.left + static_cast<long long>(FrmMulDiv(offX, Width(r), std::max(oldW, 1), FrmRoundHalf));
    long long y = r.top + static_cast<long long>(FrmMulDiv(offY, Height(r), std::max(oldH, 1), FrmRoundHalf));
    x = std::min<long long>(std::max<long long>(x, r.left), r.right);
    y = std::min<long long>(std::max<long long>(y, r.top), r.bottom);
    return POINT{Clamp(x), Clamp(y)};
}

POINT FrmHandleToDisp(POINT img, int code, FrmScale s)
{
    const bool right = code == FrmHitTopRight || code == FrmHitBottomRight || code == FrmHitRight;
    const bool bottom = code == FrmHitBottomRight || code == FrmHitBottomLeft || code == FrmHitBottom;
    return POINT{FrmToDisp(img.x, s, right ? FrmRoundUp : FrmRoundDown),
                 FrmToDisp(img.y, s, bottom ? FrmRoundUp : FrmRoundDown)};
}

POINT FrmHandlePoint(const RECT& r, int code)
{
    const long long midX = (static_cast<long long>(r.left) + r.right) / 2;
    const long long midY = (static_cast<long long>(r.top) + r.bottom) / 2;
    long long x = MovesLeft(code) ? r.left : MovesRight(code) ? r.right : midX;
    long long y = MovesTop(code) ? r.top : MovesBottom(code) ? r.bottom : midY;
    return POINT{Clamp(x), Clamp(y)};
}

POINT FrmLeadCorner(const RECT& r, int code, FrmScale s) { return FrmHandleToDisp(FrmHandlePoint(r, code), code, s); }

RECT FrmDefault(SIZE shown, SIZE client, const RECT& visible, FrmScale s)
{
    const double k = static_cast<double>(s.den) / s.num;
    const double w = 0.8 * std::min(shown.cx, client.cx) * k, h = 0.8 * std::min(shown.cy, client.cy) * k;
    const double cx = (static_cast<double>(visible.left) + visible.right) / 2 * k;
    const double cy = (static_cast<double>(visible.top) + visible.bottom) / 2 * k;
    const long long iw = std::max(1LL, std::llround(w)), ih = std::max(1LL, std::llround(h));
    const long long l = std::llround(cx - iw / 2.0), t = std::llround(cy - ih / 2.0);
    return RECT{Clamp(l), Clamp(t), Clamp(l + iw), Clamp(t + ih)};
}

RECT FrmFitVisible(const RECT& frame, const RECT& visible, FrmScale s)
{
    const double k = static_cast<double>(s.den) / s.num;
    const double vw = Width(visible) * k, vh = Height(visible) * k;
    const double w = static_cast<double>(Width(frame)), h = static_cast<double>(Height(frame));
    if (w <= vw && h <= vh) return frame;
    const double f = std::min(vw / w, vh / h);
    const long long nw = std::max(1LL, static_cast<long long>(floor(w * f)));
    const long long nh = std::max(1LL, static_cast<long long>(floor(h * f)));
    const double cx = (static_cast<double>(visible.left) + visible.right) / 2 * k;
    const double cy = (static_cast<double>(visible.top) + visible.bottom) / 2 * k;
    const long long l = std::llround(cx - nw / 2.0), t = std::llround(cy - nh / 2.0);
    return RECT{Clamp(l), Clamp(t), Clamp(l + nw), Clamp(t + nh)};
}

RECT FrmCentred(const RECT& frame, const RECT& inner, FrmScale s, POINT* scroll, SIZE client)
{
    const int mx = FrmMulDiv(static_cast<long long>(inner.left) + inner.right, 1, 2, FrmRoundHalf);
    const int my = FrmMulDiv(static_cast<long long>(inner.top) + inner.bottom, 1, 2, FrmRoundHalf);
    const long long w = Width(frame), h = Height(frame);
    const long long l = static_cast<long long>(FrmToImg(mx, s)) - FrmMulDiv(w, 1, 2, FrmRoundHalf);
    const long long t = static_cast<long long>(FrmToImg(my, s)) - FrmMulDiv(h, 1, 2, FrmRoundHalf);
    *scroll = POINT{Clamp(static_cast<long long>(mx) - FrmMulDiv(client.cx, 1, 2, FrmRoundHalf)),
                    Clamp(static_cast<long long>(my) - FrmMulDiv(client.cy, 1, 2, FrmRoundHalf))};
    return RECT{Clamp(l), Clamp(t), Clamp(l + w), Clamp(t + h)};
}

RECT FrmTurn(const RECT& frame, SIZE image)
{
    long long w = Height(frame), h = Width(frame);
    const long long roomW = image.cx - static_cast<long long>(frame.left);
    const long long roomH = image.cy - static_cast<long long>(frame.top);
    // The tighter side sets the proportion: w / h stays as near as whole pixels allow.
    if (w > 0 && h > 0 && (w > roomW || h > roomH)) {
        if (roomW * h <= roomH * w) {
            h = FrmMulDiv(h, roomW, w, FrmRoundHalf);
            w = roomW;
        } else {
            w = FrmMulDiv(w, roomH, h, FrmRoundHalf);
            h = roomH;
        }
    }
    return RECT{frame.left, frame.top, Clamp(frame.left + w), Clamp(frame.top + h)};
}

double FrmZoomFactor(int notches, double step)
{
    double f = 1;
    for (int i = 0; i < std::abs(notches); ++i) f *= notches > 0 ? 1 - step : 1 + step;
    return f < 0.000001 || f > 100 ? 0 : f;
}

SIZE FrmZoomSize(SIZE size, int num, int den)
{
    const int grow = num > den ? 1 : num < den ? -1 : 0;
    long long w = FrmMulDiv(size.cx, num, den, FrmRoundHalf), h = FrmMulDiv(size.cy, num, den, FrmRoundHalf);
    if (w == size.cx) w += grow;
    if (h == size.cy) h += grow;
    return SIZE{Clamp(w), Clamp(h)};
}

bool FrmKeyRect(const RECT& f, UINT key, bool shift, bool ctrl, const int steps[4], SIZE image, RECT* cand,
                int* code, bool* moving)
{
    const long long w = Width(f), h = Height(f);
    const int s1 = steps[0], s2 = steps[1], s3 = steps[2], s4 = steps[3];
    long long dx = 0, dy = 0;
    *moving = true;
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT: {
        const long long sign = key == VK_PRIOR ? -1 : 1;
        if (shift) dx = sign * w;
        else dy = sign * h;
        break;
    }
    case VK_HOME:
        dx = -f.left;
        dy = -f.top;
        break;
    case VK_END:
        dx = image.cx - static_cast<long long>(f.right);
        dy = image.cy - static_cast<long long>(f.bottom);
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        const bool h2 = key == VK_LEFT || key == VK_RIGHT;
        const long long sign = key == VK_LEFT || key == VK_UP ? -1 : 1;
        if (shift && !ctrl) return false; // the drawing area's own
        if (shift) {
            (h2 ? dx : dy) = sign * (h2 ? s3 : s4);
        } else if (ctrl) {
            if (key == VK_LEFT) dx = -f.left;
            else if (key == VK_RIGHT) dx = image.cx - static_cast<long long>(f.right);
            else if (key == VK_UP) dy = -f.top;
            else dy = image.cy - static_cast<long long>(f.bottom);
        } else {
            (h2 ? dx : dy) = sign * (h2 ? s1 : s2);
        }
        break;
    }
    default: {
        if (key < '1' || key > '8' || shift) return false;
        // Keys 1 to 4 the corners, 5 to 8 the top, right, bottom and left edges; out, or in with
        // Ctrl.
        static const int codes[8] = {FrmHitTopLeft, FrmHitTopRight, FrmHitBottomRight, FrmHitBottomLeft,
                                     FrmHitTop,     FrmHitRight,    FrmHitBottom,      FrmHitLeft};
        const int c = codes[key - '1'];
        const long long sign = ctrl ? -1 : 1;
        long long l = f.left, t = f.top, r = f.right, b = f.bottom;
        if (MovesLeft(c)) l -= sign * s1;
        if (MovesRight(c)) r += sign * s1;
        if (MovesTop(c)) t -= sign * s2;
        if (MovesBottom(c)) b += sign * s2;
        // A frame the key would empty stays: the caller sees an empty candidate.
        *cand = r <= l || b <= t ? RECT{0, 0, 0, 0} : RECT{Clamp(l), Clamp(t), Clamp(r), Clamp(b)};
        *code = c;
        *moving = false;
        return true;
    }
    }
    *cand = RECT{Clamp(f.left + dx), Clamp(f.top + dy), Clamp(f.right + dx), Clamp(f.bottom + dy)};
    *code = FrmMoveCode(Clamp(dx), Clamp(dy));
    return true;
}

bool FrmAutoScroll(int disp, int scroll, int client, bool farSide, int* target)
{
    if (disp >= scroll && static_cast<long long>(disp) <= static_cast<long long>(scroll) + client) return false;
    *target = Clamp(farSide ? static_cast<long long>(disp) - client : disp);
    return true;
}

// ---- Turning and mirroring the image ----

RECT FrmRotate(const RECT& f, int degrees, SIZE image)
{
    const LONG w = image.cx, h = image.cy;
    switch (degrees) {
    case 90: return RECT{h - f.bottom, f.left, h - f.top, f.right};
    case 180: return RECT{w - f.right, h - f.bottom, w - f.left, h - f.top};
    case 270: return RECT{f.top, w - f.right, f.bottom, w - f.left};
    default: return f;
    }
}

RECT FrmReflect(const RECT& f, int direction, SIZE image)
{
    if (direction == 1) return RECT{f.left, image.cy - f.bottom, f.right, image.cy - f.top};
    return RECT{image.cx - f.right, f.top, image.cx - f.left, f.bottom};
}

namespace {

// Half of the visible length of one axis, half away from zero.
long long HalfSeen(LONG client, LONG drawing) { return FrmMulDiv(std::min(client, drawing), 1, 2, FrmRoundHalf); }

} // namespace

POINT FrmTurnMiddle(const FrmView& v, int degrees)
{
    const long long hw = HalfSeen(v.client.cx, v.drawing.cx), hh = HalfSeen(v.client.cy, v.drawing.cy);
    const long long x = v.scroll.x, y = v.scroll.y, dw = v.drawing.cx, dh = v.drawing.cy;
    switch (degrees) {
    case 90: return POINT{Clamp(dh - y - hh), Clamp(x + hw)};
    case 180: return POINT{Clamp(dw - x - hw), Clamp(dh - y - hh)};
    case 270: return POINT{Clamp(y + hh), Clamp(dw - x - hw)};
    default: return POINT{Clamp(x + hw), Clamp(y + hh)};
    }
}

POINT FrmMirrorMiddle(const FrmView& v, int direction)
{
    POINT m = FrmTurnMiddle(v, 0);
    if (direction == 1) m.y = Clamp(static_cast<long long>(v.drawing.cy) - v.scroll.y - HalfSeen(v.client.cy, v.drawing.cy));
    else m.x = Clamp(static_cast<long long>(v.drawing.cx) - v.scroll.x - HalfSeen(v.client.cx, v.drawing.cx));
    return m;
}

POINT FrmMiddleScroll(POINT middle, SIZE client, SIZE drawing)
{
    return POINT{Clamp(middle.x - HalfSeen(client.cx, drawing.cx)), Clamp(middle.y - HalfSeen(client.cy, drawing.cy))};
}
