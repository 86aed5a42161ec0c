// The drawing pass through real paints: the owner's draw requests in draw-memory and direct mode
// (which DC, which rectangle, how often), the mapping it draws through, the DCs given back as they
// were, the refused re-entry, the paste shown over the draw memory and a pass that fails.
#include "VktDra.h"
#include "VkiDra.h"

namespace {

const COLORREF kGrey = RGB(128, 128, 128), kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0);

// The owner's drawing: grey, with a blue square from (100, 100) to (200, 200) in its coordinates.
void PaintDrawing(const Dri& d)
{
    HBRUSH grey = CreateSolidBrush(kGrey), blue = CreateSolidBrush(kBlue);
    FillRect(d.hDC, &d.rct, grey);
    RECT square = {100, 100, 200, 200};
    FillRect(d.hDC, &square, blue);
    DeleteObject(grey);
    DeleteObject(blue);
}

class DraDrw : public VktDraFixture {
protected:
    struct Request {
        Dri dri;
        DWORD type;      // of the DC
        HGDIOBJ font;    // selected when it came
        COLORREF text;
        int mode;
        VkiDra* area;
    };

    void SetUp() override
    {
        VktDraFixture::SetUp();
        s_onMessage = [this](UINT msg, WPARAM wParam, LPARAM lParam, bool* handled) -> LRESULT {
            if (msg != VkeWmDrw) return 0;
            const Dri& d = *reinterpret_cast<const Dri*>(lParam);
            requests.push_back({d, GetObjectType(d.hDC), GetCurrentObject(d.hDC, OBJ_FONT), GetTextColor(d.hDC),
                                GetBkMode(d.hDC), reinterpret_cast<VkiDra*>(wParam)});
            if (onDraw) onDraw(d);
            else if (d.iNotPasting) PaintDrawing(d);
            *handled = true;
            return 1;
        };
    }
    // The area's client point as the screen shows it.
    COLORREF AreaPixel(int x, int y)
    {
        POINT p = {x, y};
        MapWindowPoints(wnd, parent, &p, 1);
        return ParentPixel(p.x, p.y);
    }
    void Paint(HWND w, const RECT* r = nullptr)
    {
        InvalidateRect(w, r, FALSE);
        UpdateWindow(w);
    }

    std::vector<Request> requests;
    std::function<void(const Dri&)> onDraw;
};

} // namespace

TEST_F(DraDrw, MemoryModeAsksOnlyWhenStaleForTheWholeExtent)
{
    ASSERT_EQ(Start([](VkeDraParam& p) {
                  p.iDrawMemory = 1;
                  p.iCtlEditing = 1;
              }),
              0);
    UpdateWindow(wnd);
    requests.clear();
    Paint(wnd);
    EXPECT_TRUE(requests.empty()); // a fresh memory is only copied

    ASSERT_EQ(VkeDraRedraw(dra, 0), 0);
    UpdateWindow(wnd);
    ASSERT_EQ(requests.size(), 1u);
    const Dri& d = requests[0].dri;
    RECT whole = {0, 0, 400, 300};
    EXPECT_TRUE(EqualRect(&d.rct, &whole));
    EXPECT_EQ(requests[0].type, static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(d.iScaleNum, 1);
    EXPECT_EQ(d.iScaleDen, 1);
    EXPECT_EQ(d.iPrinting, 0);
    EXPECT_EQ(d.iNotPasting, 1);
    Dri copy = {};
    EXPECT_EQ(VkeDraCopyDrawInfo(dra, &copy, &d), 0);
    EXPECT_EQ(memcmp(&copy, &d, sizeof(d)), 0);
    EXPECT_EQ(VkeDraCopyDrawInfo(dra, &copy, nullptr), -9);
    EXPECT_EQ(AreaPixel(150, 120), kBlue);
    EXPECT_EQ(AreaPixel(50, 50), kGrey);
    ASSERT_EQ(VkeDraHScroll(dra, SB_THUMBPOSITION, 60), 0);
    UpdateWindow(wnd);
    EXPECT_EQ(AreaPixel(90, 120), kBlue); // drawing x 150
    EXPECT_EQ(AreaPixel(30, 120), kGrey);

    // A paste is stretched over the memory before the owner is asked, and the owner is told.
    HBITMAP red = VktMakeDIB(40, 30, 24);
    VktDIB pixels(red);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) pixels.SetRaw(x, y, 0xFF0000);
    requests.clear();
    ASSERT_EQ(VkeDraAttachPasteDIB(dra, red), 0);
    UpdateWindow(wnd);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].dri.iNotPasting, 0);
    RECT pasted = {0, 0, 40, 30};
    EXPECT_TRUE(EqualRect(&requests[0].dri.rct, &pasted));
    EXPECT_EQ(AreaPixel(20, 15), kRed);
}

TEST_F(DraDrw, DirectModeAsksForTheUpdateRectanglePlusOnePixelInEitherOrientation)
{
    for (int flip : {0, 1}) {
        SCOPED_TRACE(flip);
        if (flip) Restart();
        ASSERT_EQ(Start([flip](VkeDraParam& p) { p.iFlipY = flip; }), 0);
        ASSERT_EQ(VkeDraHScroll(dra, SB_THUMBPOSITION, 10), 0);
        ASSERT_EQ(VkeDraVScroll(dra, SB_THUMBPOSITION, 20), 0);
        UpdateWindow(wnd);
        requests.clear();
        RECT update = {20, 30, 60, 70};
        Paint(wnd, &update);
        ASSERT_EQ(requests.size(), 1u);
        const Dri& d = requests[0].dri;
        EXPECT_EQ(requests[0].type, static_cast<DWORD>(OBJ_DC));
        const POINT at = DraPos();
        const int ch = Client().bottom;
        RECT want = flip ? RECT{at.x + 19, at.y + ch - 71, at.x + 61, at.y + ch - 29}
                         : RECT{at.x + 19, at.y + 29, at.x + 61, at.y + 71};
        EXPECT_TRUE(EqualRect(&d.rct, &want)) << d.rct.left << "," << d.rct.top << "," << d.rct.right << ","
                                                 << d.rct.bottom;
        EXPECT_LT(d.rct.top, d.rct.bottom);
        // The drawing's point (150, 150) is where the mapping puts it on the screen.
        Paint(wnd);
        int y = flip ? ch - 1 - (150 - at.y) : 150 - at.y;
        EXPECT_EQ(AreaPixel(150 - at.x, y), kBlue);
        EXPECT_EQ(AreaPixel(95 - at.x, y), kGrey);
    }
}

TEST_F(DraDrw, APassGivesTheDcBackAsItWas)
{
    for (int memory : {0, 1}) {
        SCOPED_TRACE(memory);
        if (memory) Restart();
        ASSERT_EQ(Start([memory](VkeDraParam& p) {
                      p.iDrawMemory = memory;
                      p.uTextColor = RGB(1, 2, 3);
                  }),
                  0);
        UpdateWindow(wnd);
        // The caller's own font, colour, background mode and one mapping record on its DC.
        VktMemoryDC target(300, 200);
        HFONT font = CreateFontA(-20, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        HGDIOBJ oldFont = SelectObject(target.dc, font);
        SetTextColor(target.dc, RGB(5, 6, 7));
        SetBkMode(target.dc, TRANSPARENT);
        DrawInfo own = {target.dc, MM_ANISOTROPIC, 0, 0, 2, 2, 0, 0, 1, 1, 0, 0, 0, 0};
        ASSERT_EQ(VkeDrwSetDrawInfoLast(drw, &own), 0);
        HDC drawnOn = nullptr;
        int before = -1, after = -2;
        onDraw = [&](const Dri& d) {
            drawnOn = d.hDC; // the owner leaves its own font and colour behind
            SelectObject(d.hDC, GetStockObject(SYSTEM_FONT));
            SetTextColor(d.hDC, RGB(200, 0, 0));
        };
        if (memory) {
            ASSERT_EQ(VkeDraRedraw(dra, 0), 0);
            ValidateRect(wnd, nullptr);
            VkeDrwGetDrawInfoCnt(drw, reinterpret_cast<VkiDra*>(dra)->m_drm.hDC, &before);
        }
        requests.clear();
        RECT update = {0, 0, 100, 80};
        EXPECT_EQ(VkeDraDraw(dra, target.dc, &update, 0), 0);
        ASSERT_EQ(requests.size(), 1u);
        HANDLE areaFont = nullptr;
        VkeDraGetFontHandle(dra, &areaFont);
        EXPECT_EQ(requests[0].font, areaFont); // the area's objects while the owner draws
        EXPECT_EQ(requests[0].text, RGB(1, 2, 3));
        EXPECT_EQ(requests[0].mode, OPAQUE);
        EXPECT_EQ(drawnOn == target.dc, memory == 0);
        EXPECT_EQ(GetCurrentObject(target.dc, OBJ_FONT), font);
        EXPECT_EQ(GetTextColor(target.dc), RGB(5, 6, 7));
        EXPECT_EQ(GetBkMode(target.dc), TRANSPARENT);
        SIZE ext = {};
        GetWindowExtEx(target.dc, &ext);
        EXPECT_EQ(ext.cx, 2);
        int depth = 0;
        VkeDrwGetDrawInfoCnt(drw, target.dc, &depth);
        EXPECT_EQ(depth, 2);
        if (memory) {
            VkeDrwGetDrawInfoCnt(drw, drawnOn, &after);
            EXPECT_EQ(after, before); // the draw memory's stack too
        }

        RECT empty = {10, 10, 10, 50};
        requests.clear();
        EXPECT_EQ(VkeDraDraw(dra, target.dc, &empty, 0), 1);
        EXPECT_EQ(VkeDraDraw(dra, target.dc, nullptr, 0), -9);
        EXPECT_EQ(VkeDraDraw(dra, target.dc, &update, 2), -9);
        EXPECT_TRUE(requests.empty());
        VkeDrwClearDrawInfo(drw, target.dc);
        SelectObject(target.dc, oldFont);
        DeleteObject(font);
        onDraw = nullptr;
    }
}

TEST_F(DraDrw, APassInsideItsOwnPassIsRefusedAnotherAreasRuns)
{
    ASSERT_EQ(Start(), 0);
    VkiDra* other = nullptr;
    ASSERT_EQ(VkeDraAlloc(sys, &other), 0);
    VkeDraParam p2 = Param();
    p2.rctDra = {300, 10, 500, 200};
    p2.uHScrBarId = 201;
    p2.uVScrBarId = 202;
    ASSERT_EQ(VkeDraCreateByRect(other, &p2.rctDra, parent, 200), 0);
    int field = 0, messageNo = 0;
    ASSERT_EQ(VkeDraInit(other, &p2, &field, &messageNo), 0);
    UpdateWindow(wnd);
    UpdateWindow(GetDlgItem(parent, 200));

    VktMemoryDC target(100, 100);
    RECT update = {0, 0, 50, 50};
    int same = 0, another = 1;
    bool inside = false;
    onDraw = [&](const Dri&) {
        if (inside) return;
        inside = true;
        same = VkeDraDraw(dra, target.dc, &update, 0);
        another = VkeDraDraw(other, target.dc, &update, 0);
        inside = false;
    };
    requests.clear();
    Paint(wnd);
    EXPECT_EQ(same, -7);
    EXPECT_EQ(another, 0);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].area, other);
    // The refusal left nothing behind: the next pass runs.
    onDraw = nullptr;
    EXPECT_EQ(VkeDraDraw(dra, target.dc, &update, 0), 0);
    VkeDraFree(&other);
}

TEST_F(DraDrw, AFailingPassRecoversOnceAndThePaintsEnd)
{
    ASSERT_EQ(Start([](VkeDraParam& p) { p.iDrawMemory = 1; }), 0);
    UpdateWindow(wnd);
    // An owner that empties the draw memory's mapping stack: the pass cannot cut it back.
    onDraw = [this](const Dri& d) { VkeDrwClearDrawInfo(drw, d.hDC); };
    requests.clear();
    ASSERT_EQ(VkeDraRedraw(dra, 0), 0);
    VktSys::Pump();
    for (int i = 0; i < 5; ++i) UpdateWindow(wnd);
    EXPECT_EQ(requests.size(), 2u); // the failed pass, then the recovery's repaint
    EXPECT_FALSE(GetUpdateRect(wnd, nullptr, FALSE));
    int drawing = -1, num = 0, den = 0;
    VkeDraGetDrawFlag(dra, &drawing);
    VkeDraGetScale(dra, &num, &den);
    EXPECT_EQ(drawing, 0);
    EXPECT_EQ(num, 1);
    EXPECT_EQ(den, 1);
}
