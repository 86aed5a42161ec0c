// The cut frame's geometry, without windows: roundings, the hit test's reach, each path of the
// clipping, the handle swap, the key table, the default placement, turning and zooming.
#include "DlgImgGeo.h"
#include <gtest/gtest.h>
#include <limits.h>
#include <string>

namespace {

const FrmRule kFree = {FrmModeFree, 0, 0, 1};
const FrmScale kOne = {1, 1};

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

} // namespace

TEST(DlgImgGeo, RoundingsAndLargeScales)
{
    EXPECT_EQ(FrmMulDiv(-5, 1, 2, FrmRoundHalf), -3);
    EXPECT_EQ(FrmMulDiv(5, 1, 2, FrmRoundHalf), 3);
    EXPECT_EQ(FrmMulDiv(-5, 1, 2, FrmRoundDown), -3);
    EXPECT_EQ(FrmMulDiv(-5, 1, 2, FrmRoundUp), -2);
    EXPECT_EQ(FrmMulDiv(-5, 1, 2, FrmRoundTrunc), -2);
    EXPECT_EQ(FrmMulDiv(7, 1, 2, FrmRoundUp), 4);
    // A fraction's terms reach 10^6: 30000 pixels at 333333 / 1000000 and back.
    const FrmScale third = {333333, 1000000};
    EXPECT_EQ(FrmToDisp(30000, third, FrmRoundHalf), 10000);
    EXPECT_EQ(FrmToImg(10000, third), 30000);
    EXPECT_EQ(FrmToDisp(2000000000, FrmScale{1000000, 1}, FrmRoundHalf), INT_MAX) << "held within int";
    // A 30000 x 20 image at 1/1000 is 30 x 0 on the screen: no handle to hit.
    const RECT wide = {0, 0, 30000, 20};
    EXPECT_TRUE(Same(FrmRectToDisp(wide, FrmScale{1, 1000}, FrmRoundTrunc), RECT{0, 0, 30, 0}));
    POINT img = {};
    EXPECT_EQ(FrmHitTest(wide, true, POINT{30, 0}, FrmScale{1, 1000}, kFree, &img), FrmHitNone);
    EXPECT_EQ(img.x, 30000);
    EXPECT_EQ(img.y, 0);
}

TEST(DlgImgGeo, HitTestReachAndModes)
{
    const RECT f = {100, 100, 200, 150};
    const FrmRule size = {FrmModeFixedSize, 10, 10, 1}, wide = {FrmModeFixedRatio, 3, 2, 1}, high = {FrmModeFixedRatio, 3, 2, 0};
    const struct {
        POINT at;
        FrmRule rule;
        int code;
        POINT handle;
    } cases[] = {
        {{205, 125}, kFree, FrmHitNone, {205, 125}}, // 5 pixels right of the edge: no hit
        {{204, 125}, kFree, FrmHitRight, {200, 125}},
        {{95, 125}, kFree, FrmHitNone, {95, 125}},
        {{96, 125}, kFree, FrmHitLeft, {100, 125}},
        {{150, 125}, kFree, FrmHitInside, {150, 125}},
        {{101, 102}, kFree, FrmHitTopLeft, {100, 100}},
        {{198, 99}, kFree, FrmHitTopRight, {200, 100}},
        {{203, 153}, kFree, FrmHitBottomRight, {200, 150}},
        {{100, 150}, kFree, FrmHitBottomLeft, {100, 150}},
        {{150, 97}, kFree, FrmHitTop, {150, 100}},
        {{150, 152}, kFree, FrmHitBottom, {150, 150}},
        {{204, 125}, size, FrmHitNone, {204, 125}},
        {{150, 125}, size, FrmHitInside, {150, 125}},
        {{150, 97}, wide, FrmHitNone, {150, 97}},
        {{204, 125}, wide, FrmHitRight, {200, 125}},
        {{204, 125}, high, FrmHitNone, {204, 125}},
        {{150, 152}, high, FrmHitBottom, {150, 150}},
    };
    for (const auto& c : cases) {
        POINT img = {};
        EXPECT_EQ(FrmHitTest(f, true, c.at, kOne, c.rule, &img), c.code) << c.at.x << "," << c.at.y << " mode " << c.rule.mode;
        EXPECT_EQ(img.x, c.handle.x) << c.at.x << "," << c.at.y;
        EXPECT_EQ(img.y, c.handle.y) << c.at.x << "," << c.at.y;
    }
    POINT img = {};
    EXPECT_EQ(FrmHitTest(f, false, POINT{150, 125}, kOne, kFree, &img), FrmHitNone) << "a frame not shown";
    // At half size the display point counts twice in image pixels.
    EXPECT_EQ(FrmHitTest(f, true, POINT{104, 60}, FrmScale{1, 2}, kFree, &img), FrmHitRight);
    EXPECT_EQ(img.x, 200);
    EXPECT_EQ(img.y, 120);
}

TEST(DlgImgGeo, ClippingPaths)
{
    const SIZE image = {200, 100};
    const struct {
        const char* what;
        RECT r;
        bool moving;
        FrmRule rule;
        int rc;
        RECT out;
    } cases[] = {
        {"a move past the right edge keeps the size", {150, 10, 250, 50}, true, kFree, 0, {100, 10, 200, 50}},
        {"a move past the top-left corner", {-10, -5, 40, 45}, true, kFree, 0, {0, 0, 50, 50}},
        {"a resize past the edge is cut", {150, 10, 250, 50}, false, kFree, 0, {150, 10, 200, 50}},
        {"a resize wholly outside", {250, 10, 300, 50}, false, kFree, -13, {}},
        {"wider than the image", {-20, 0, 480, 50}, true, kFree, 0, {0, 0, 200, 50}},
        {"turned over is normalised", {50, 40, 10, 0}, false, kFree, 0, {10, 0, 50, 40}},
        {"nothing left", {10, 10, 10, 50}, false, kFree, -13, {}},
        {"fixed size", {10, 10, 20, 20}, false, {FrmModeFixedSize, 60, 30, 1}, 0, {10, 10, 70, 40}},
        {"fixed size pushed inside", {180, 80, 190, 90}, true, {FrmModeFixedSize, 60, 30, 1}, 0, {140, 70, 200, 100}},
        {"fixed size beyond the image", {5, 0, 15, 10}, true, {FrmModeFixedSize, 300, 30, 1}, 0, {0, 0, 200, 30}},
        {"fixed size without a width", {10, 10, 20, 20}, false, {FrmModeFixedSize, 0, 30, 1}, -13, {}},
        {"fixed ratio, width leads", {0, 0, 90, 10}, false, {FrmModeFixedRatio, 3, 2, 1}, 0, {0, 0, 90, 60}},
        {"fixed ratio, no room below", {20, 80, 110, 90}, false, {FrmModeFixedRatio, 3, 2, 1}, 0, {20, 80, 50, 100}},
        {"fixed ratio, height leads", {0, 0, 10, 40}, false, {FrmModeFixedRatio, 3, 2, 0}, 0, {0, 0, 60, 40}},
        {"fixed ratio, height leads, no room right", {190, 0, 195, 40}, false, {FrmModeFixedRatio, 3, 2, 0}, 0,
         {190, 0, 200, 7}},
        {"fixed ratio rounds to nothing", {0, 0, 1, 5}, false, {FrmModeFixedRatio, 10, 1, 1}, -13, {}},
    };
    for (const auto& c : cases) {
        RECT r = c.r;
        ASSERT_EQ(FrmClip(&r, c.moving, c.rule, image), c.rc) << c.what;
        if (c.rc == 0) EXPECT_TRUE(Same(r, c.out)) << c.what << ": " << Text(r);
        else EXPECT_TRUE(Same(r, c.r)) << c.what << ": a refusal leaves the rectangle";
    }
}

TEST(DlgImgGeo, ResizingSwapsThePassedHandleAndKeepsTheOppositeSide)
{
    const RECT f = {100, 100, 200, 150};
    RECT cand = {};
    int code = FrmHitLeft;
    POINT anchor = {100, 125};
    // The left edge dragged past the right one: a drag of the right edge, from there.
    EXPECT_TRUE(FrmResize(f, 120, 3, &cand, &code, &anchor));
    EXPECT_EQ(code, FrmHitRight);
    EXPECT_EQ(anchor.x, 200);
    EXPECT_EQ(anchor.y, 128);
    EXPECT_TRUE(Same(cand, f));
    // The top-left corner past the right edge only: the top still follows.
    code = FrmHitTopLeft;
    anchor = POINT{100, 100};
    EXPECT_TRUE(FrmResize(f, 150, 10, &cand, &code, &anchor));
    EXPECT_EQ(code, FrmHitTopRight);
    EXPECT_EQ(anchor.x, 200);
    EXPECT_EQ(anchor.y, 110);
    EXPECT_TRUE(Same(cand, RECT{100, 110, 200, 150}));
    // The bottom edge up onto the top: the top edge.
    code = FrmHitBottom;
    anchor = POINT{150, 150};
    EXPECT_TRUE(FrmResize(f, 0, -50, &cand, &code, &anchor));
    EXPECT_EQ(code, FrmHitTop);
    EXPECT_EQ(anchor.y, 100);
    // An ordinary drag.
    code = FrmHitRight;
    anchor = POINT{200, 125};
    EXPECT_FALSE(FrmResize(f, -50, 0, &cand, &code, &anchor));
    EXPECT_EQ(code, FrmHitRight);
    EXPECT_TRUE(Same(cand, RECT{100, 100, 150, 150}));

    // After the clipping the side opposite the handle stays, as far as the image allows.
    RECT r = {0, 0, 60, 40};
    FrmKeepOpposite(&r, f, FrmHitTopLeft, SIZE{300, 300});
    EXPECT_TRUE(Same(r, RECT{140, 110, 200, 150}));
    r = RECT{0, 0, 60, 40};
    FrmKeepOpposite(&r, f, FrmHitBottomRight, SIZE{300, 300});
    EXPECT_TRUE(Same(r, RECT{100, 100, 160, 140}));
    r = RECT{0, 0, 60, 160};
    FrmKeepOpposite(&r, f, FrmHitTop, SIZE{300, 300});
    EXPECT_TRUE(Same(r, RECT{100, 0, 160, 160})) << Text(r);
    // The anchor keeps its place in the frame.
    POINT a = FrmScaleAnchor(RECT{100, 100, 300, 150}, 100, 100, 0, 50);
    EXPECT_EQ(a.x, 300);
    EXPECT_EQ(a.y, 100);
    EXPECT_EQ(FrmMoveCode(0, 0), FrmHitTopLeft);
    EXPECT_EQ(FrmMoveCode(-3, 4), FrmHitBottomLeft);
    EXPECT_EQ(FrmMoveCode(2, -1), FrmHitTopRight);
    EXPECT_EQ(FrmMoveCode(1, 1), FrmHitBottomRight);
}

TEST(DlgImgGeo, TheKeyTable)
{
    const RECT f = {50, 40, 90, 70};
    const int steps[4] = {1, 2, 5, 7};
    const SIZE image = {200, 100};
    const struct {
        const char* what;
        UINT key;
        bool shift, ctrl;
        bool handled, moving;
        int code;
        RECT cand;
    } cases[] = {
        {"right", VK_RIGHT, false, false, true, true, FrmHitTopRight, {51, 40, 91, 70}},
        {"up", VK_UP, false, false, true, true, FrmHitTopLeft, {50, 38, 90, 68}},
        {"shift right goes to the area", VK_RIGHT, true, false, false, true, 0, {}},
        {"shift ctrl left", VK_LEFT, true, true, true, true, FrmHitTopLeft, {45, 40, 85, 70}},
        {"shift ctrl down", VK_DOWN, true, true, true, true, FrmHitBottomLeft, {50, 47, 90, 77}},
        {"ctrl left to the edge", VK_LEFT, false, true, true, true, FrmHitTopLeft, {0, 40, 40, 70}},
        {"ctrl down to the edge", VK_DOWN, false, true, true, true, FrmHitBottomLeft, {50, 70, 90, 100}},
        {"page up", VK_PRIOR, false, false, true, true, FrmHitTopLeft, {50, 10, 90, 40}},
        {"shift page down", VK_NEXT, true, false, true, true, FrmHitTopRight, {90, 40, 130, 70}},
        {"home", VK_HOME, false, false, true, true, FrmHitTopLeft, {0, 0, 40, 30}},
        {"end", VK_END, false, false, true, true, FrmHitBottomRight, {160, 70, 200, 100}},
        {"1 out", '1', false, false, true, false, FrmHitTopLeft, {49, 38, 90, 70}},
        {"3 in", '3', false, true, true, false, FrmHitBottomRight, {50, 40, 89, 68}},
        {"5 the top edge up", '5', false, false, true, false, FrmHitTop, {50, 38, 90, 70}},
        {"6 the right edge", '6', false, false, true, false, FrmHitRight, {50, 40, 91, 70}},
        {"7 the bottom edge up", '7', false, true, true, false, FrmHitBottom, {50, 40, 90, 68}},
        {"8 the left edge in", '8', false, true, true, false, FrmHitLeft, {51, 40, 90, 70}},
        {"shift 1", '1', true, false, false, false, 0, {}},
        {"9", '9', false, false, false, false, 0, {}},
    };
    for (const auto& c : cases) {
        RECT cand = {};
        int code = 0;
        bool moving = false;
        ASSERT_EQ(FrmKeyRect(f, c.key, c.shift, c.ctrl, steps, image, &cand, &code, &moving), c.handled) << c.what;
        if (!c.handled) continue;
        EXPECT_EQ(moving, c.moving) << c.what;
        EXPECT_EQ(code, c.code) << c.what;
        EXPECT_TRUE(Same(cand, c.cand)) << c.what << ": " << Text(cand);
    }
    // A resize that would empty the frame gives an empty candidate.
    RECT cand = {};
    int code = 0;
    bool moving = true;
    ASSERT_TRUE(FrmKeyRect(RECT{10, 10, 11, 30}, '6', false, true, steps, image, &cand, &code, &moving));
    EXPECT_TRUE(IsRectEmpty(&cand));
}

TEST(DlgImgGeo, PlacingTurningZoomingAndScrolling)
{
    // 0.8 of the visible part, centred on it.
    RECT d = FrmDefault(SIZE{1000, 800}, SIZE{500, 400}, RECT{0, 0, 500, 400}, kOne);
    EXPECT_TRUE(Same(d, RECT{50, 40, 450, 360})) << Text(d);
    d = FrmDefault(SIZE{300, 200}, SIZE{500, 400}, RECT{0, 0, 300, 200}, FrmScale{1, 2});
    EXPECT_TRUE(Same(d, RECT{60, 40, 540, 360})) << Text(d);
    // Shrunk into the visible part keeping the ratio.
    RECT v = FrmFitVisible(RECT{0, 0, 400, 200}, RECT{100, 0, 300, 200}, kOne);
    EXPECT_TRUE(Same(v, RECT{100, 50, 300, 150})) << Text(v);
    EXPECT_TRUE(Same(FrmFitVisible(RECT{120, 20, 180, 80}, RECT{100, 0, 300, 200}, kOne), RECT{120, 20, 180, 80}));

    // Turned about the top-left corner, shrunk where the image leaves no room.
    EXPECT_TRUE(Same(FrmTurn(RECT{0, 0, 60, 40}, SIZE{200, 100}), RECT{0, 0, 40, 60}));
    RECT t = FrmTurn(RECT{100, 90, 160, 100}, SIZE{200, 100});
    EXPECT_TRUE(Same(t, RECT{100, 90, 102, 100})) << Text(t);

    // A zoom that rounding would leave as it was still changes by a pixel.
    EXPECT_DOUBLE_EQ(FrmZoomFactor(1, 0.1), 0.9);
    EXPECT_NEAR(FrmZoomFactor(-2, 0.1), 1.21, 1e-12);
    EXPECT_EQ(FrmZoomFactor(200, 0.5), 0) << "below 0.000001";
    SIZE z = FrmZoomSize(SIZE{4, 40}, 11, 10);
    EXPECT_EQ(z.cx, 5);
    EXPECT_EQ(z.cy, 44);
    z = FrmZoomSize(SIZE{4, 40}, 9, 10);
    EXPECT_EQ(z.cx, 3);
    EXPECT_EQ(z.cy, 36);

    // Key C: the drawing's middle less half the frame, halves away from zero; the scroll that
    // puts that middle in the window's.
    const struct {
        RECT frame, inner;
        FrmScale s;
        SIZE client;
        RECT centred;
        POINT scroll;
    } centres[] = {
        {{0, 0, 5, 3}, {0, 0, 300, 200}, kOne, {101, 51}, {147, 98, 152, 101}, {99, 74}},
        {{0, 0, 4, 4}, {0, 0, 301, 201}, kOne, {100, 50}, {149, 99, 153, 103}, {101, 76}},
        {{10, 10, 15, 15}, {0, 0, 150, 100}, FrmScale{1, 2}, {60, 40}, {147, 97, 152, 102}, {45, 30}},
    };
    for (const auto& c : centres) {
        POINT scroll = {};
        const RECT r = FrmCentred(c.frame, c.inner, c.s, &scroll, c.client);
        EXPECT_TRUE(Same(r, c.centred)) << Text(r);
        EXPECT_EQ(scroll.x, c.scroll.x);
        EXPECT_EQ(scroll.y, c.scroll.y);
    }

    int target = 0;
    EXPECT_FALSE(FrmAutoScroll(150, 100, 200, false, &target));
    EXPECT_TRUE(FrmAutoScroll(350, 100, 200, true, &target));
    EXPECT_EQ(target, 150);
    EXPECT_TRUE(FrmAutoScroll(40, 100, 200, false, &target));
    EXPECT_EQ(target, 40);
    POINT lead = FrmLeadCorner(RECT{1, 1, 3, 3}, FrmHitBottomRight, FrmScale{1, 2});
    EXPECT_EQ(lead.x, 2) << "outward: up";
    EXPECT_EQ(lead.y, 2);
    lead = FrmLeadCorner(RECT{1, 1, 3, 3}, FrmHitTopLeft, FrmScale{1, 2});
    EXPECT_EQ(lead.x, 0) << "outward: down";
}

TEST(DlgImgGeo, AFrameAndTheViewsMiddleFollowTheImagesTurnsAndFlips)
{
    const RECT f = {10, 20, 110, 70};
    const SIZE image = {300, 200}, turned = {200, 300};
    EXPECT_EQ(Text(FrmRotate(f, 90, image)), Text(RECT{130, 10, 180, 110}));
    EXPECT_EQ(Text(FrmRotate(FrmRotate(f, 90, image), 270, turned)), Text(f));
    EXPECT_EQ(Text(FrmRotate(FrmRotate(f, 180, image), 180, image)), Text(f));
    EXPECT_EQ(Text(FrmReflect(f, 1, image)), Text(RECT{10, 130, 110, 180}));
    EXPECT_EQ(Text(FrmReflect(FrmReflect(f, 0, image), 0, image)), Text(f));

    // A 1000 x 800 drawing scrolled to (300, 200) in a 400 x 300 client: the middle (500, 350).
    const FrmView v = {SIZE{400, 300}, SIZE{1000, 800}, POINT{300, 200}};
    const POINT m = FrmTurnMiddle(v, 0);
    EXPECT_EQ(m.x, 500);
    EXPECT_EQ(m.y, 350);
    const struct {
        int degrees;
        LONG x, y;
    } turns[] = {{90, 800 - 350, 500}, {180, 1000 - 500, 800 - 350}, {270, 350, 1000 - 500}};
    for (const auto& t : turns) {
        const POINT n = FrmTurnMiddle(v, t.degrees);
        EXPECT_EQ(n.x, t.x) << t.degrees;
        EXPECT_EQ(n.y, t.y) << t.degrees;
    }
    EXPECT_EQ(FrmMirrorMiddle(v, 1).y, 800 - 350);
    EXPECT_EQ(FrmMirrorMiddle(v, 0).x, 1000 - 500);
    // Back to the scroll position that shows it in the middle; odd halves away from zero.
    const POINT s = FrmMiddleScroll(m, v.client, v.drawing);
    EXPECT_EQ(s.x, 300);
    EXPECT_EQ(s.y, 200);
    const FrmView small = {SIZE{401, 301}, SIZE{101, 51}, POINT{0, 0}};
    EXPECT_EQ(FrmTurnMiddle(small, 0).x, 51);
    EXPECT_EQ(FrmTurnMiddle(small, 0).y, 26);
}
