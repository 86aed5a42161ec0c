// The image page's edits and image changes in the real main frame: pages that hold images of
// every depth, their bits and the record's fields read back, the clipboard read back.
#pragma once
#include "TestChildViw.h"
#include "CmnImg.h"
#include "DlgImgGeo.h"

// An image as the page holds it: size, depth, each row's meaningful bytes (top row first), the
// colour table, and the record's fields an image change or its undo touches.
struct Shot {
    int width = 0, height = 0, bits = 0;
    std::vector<std::vector<BYTE>> rows;
    std::vector<RGBQUAD> table;
    float xRes = 0, yRes = 0;
    int type = 0, known = 0, mode = 0, num = 0, den = 0, flpTb = 0, flpLr = 0;
    double rotate = 0;
    RECT frame = {};
    // A pixel's value: its index or its packed bits.
    DWORD At(int x, int y) const;
    // Bits, colour table and depth alike.
    bool SameImage(const Shot& o) const { return width == o.width && height == o.height && bits == o.bits && rows == o.rows && SameTable(o); }
    bool SameTable(const Shot& o) const;
    // The image and every field alike.
    bool operator==(const Shot& o) const;
};

// The page's image and record now.
Shot TakeShot(DlgImg* page);
// The bits of a bitmap (no record).
Shot TakeBitmap(HBITMAP bitmap);

// A DIB section of the image service at the depth, filled with noise: below 16 bits indexes under
// a colour table of distinct colours, 16 bits 5-5-5, 32 bits with alpha.
HBITMAP MakeNoiseDib(int width, int height, int bits, unsigned seed);

// The clipboard's device-independent bitmap as a shot (width 0 without one).
Shot ReadClbDib();

// Keeps the names of the failures reported to the windows of this thread (VkeWmTraceError)
// while it lives.
class ReportWatch {
public:
    ReportWatch();
    ~ReportWatch();
    ReportWatch(const ReportWatch&) = delete;
    ReportWatch& operator=(const ReportWatch&) = delete;
    const std::vector<std::string>& Names() const;
    int Count(const char* name) const { return static_cast<int>(std::count(Names().begin(), Names().end(), name)); }

private:
    HHOOK m_hook;
};

class EdtTest : public SelTest {
protected:
    void SetUp() override
    {
        SelTest::SetUp();
        Run();
    }
    ReportWatch reports;
    // A page that shows the bitmap (it takes it) at 1:1, current, shown, its drawing area focused.
    DlgImg* PageWith(HBITMAP bitmap, float xRes = 72, float yRes = 150)
    {
        DlgImg* page = OpenPage(a);
        if (!page) return nullptr;
        Adi adi = {bitmap, 2, xRes, yRes, 1, VKE_DRA_SCALE_FRACTION, 1, 1, 1, 0};
        if (page->AttachDIB(adi) != VKE_OK) return nullptr;
        Focus(page);
        return page;
    }
    // A page that opens the file, current, shown and painted, its drawing area focused.
    DlgImg* OpenPage(const std::string& path)
    {
        DlgImg* page = OpenShown(path);
        if (page) Focus(page);
        return page;
    }
    // A page of noise shown at 1:1 with a free frame placed and shown, its drawing area focused.
    DlgImg* FramedPage(int width, int height, unsigned seed)
    {
        DlgImg* page = PageWith(MakeNoiseDib(width, height, 24, seed));
        if (!page) return nullptr;
        theAppInf.poi.fri.bPagSet = 0;
        if (page->SetFrmMod(FrmModeFree) != VKE_OK || page->SetShwFrmFlag(1) != VKE_OK) return nullptr;
        Focus(page);
        return page;
    }
    void Focus(DlgImg* page)
    {
        main->SetForegroundWindow();
        VktPump(50);
        VkeDraSetFocusDra(page->GetDra());
        VktPump();
        ::UpdateWindow(page->GetDraWnd());
    }
    int UndoSteps(DlgImg* page)
    {
        int undo = 0;
        VkeSubGetEditUndFlag(theCmnAppInf.pSub, page->GetEui(), &undo);
        return undo;
    }
    // The frame shown in free mode over the rectangle, not drawn.
    static void SetFrame(DlgImg* page, const RECT& frame)
    {
        theAppInf.poi.fri.iMode = FrmModeFree;
        theAppInf.poi.fri.bShwFrm = page->GetIci()->poi.fri.bShwFrm = 1;
        page->GetIci()->rctFrm = frame;
    }
};
