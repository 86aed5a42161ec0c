// The image service's engine wrappers, one of each kind: whether it takes the lock, which results
// pass untraced and which are traced.
#include "TestAplCmn.h"

namespace {

// Puts a text (and so no image) on the clipboard.
void ClipboardText(HWND owner)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 2);
    memcpy(GlobalLock(text), "x", 2);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
}

} // namespace

TEST_F(ImgTest, EachWrapperLocksAsItsKindAndTracesOnlyWhatIsNoOutcome)
{
    HWND owner = frame->m_hWnd;
    ClipboardText(owner);
    HBITMAP dib = nullptr, line = nullptr, out = nullptr, none = nullptr;
    ASSERT_EQ(theCmnImg.CreateDIB(nullptr, 4, 3, 24, &dib), 0);
    ASSERT_EQ(theCmnImg.CreateDIB(nullptr, 1000, 1, 24, &line), 0);
    int w = 0, h = 0, bits = 0, type = 0, known = 0;
    float xr = 0, yr = 0;
    CLSID id;
    const auto fillColours = [] {
        int rc = 0;
        for (int i = 0; i < 300 && rc == 0; ++i) rc = theCmnImg.SetColor(RGB(i, 7, 7));
        return rc;
    };
    const struct Row {
        const char* kind;
        bool locks;
        int outcome; // a result the kind passes untraced
        std::function<int()> quiet;
        const char* name;            // the wrapper that traces
        std::function<int()> traced; // a result it traces (-9; the engine may trace it too)
    } rows[] = {
        {"no lock, 0", false, 0, [&] { return theCmnImg.GetImageInf(dib, &w, &h, &bits); }, "GetImageInf",
         [&] { return theCmnImg.GetImageInf(nullptr, &w, &h, &bits); }},
        {"no lock, 0 -13", false, -13, fillColours, "", nullptr},
        {"no lock, 0 -12", false, -12, [&] { return theCmnImg.GetEncClsId("image/none", &id); }, "GetEncClsId",
         [&] { return theCmnImg.GetEncClsId("image/png", nullptr); }},
        {"lock, 0", true, 0, [&] { return theCmnImg.CloseImage(&none); }, "CopyDIBByIcon",
         [&] { return theCmnImg.CopyDIBByIcon(&out, nullptr, nullptr); }},
        {"lock, 0 1", true, 1,
         [&] { return theCmnImg.OpenImage(Data("bad\\text.jpg").c_str(), &out, &type, &xr, &yr, &known); }, "OpenImage",
         [&] { return theCmnImg.OpenImage(Data("blocks.png").c_str(), nullptr, &type, &xr, &yr, &known); }},
        {"lock, 0 1 -13", true, -13, [&] { return theCmnImg.StretchDIB(&out, 10, 10, line, 0, 0, 1000, 1, 1, nullptr, 4); }, "CopyDIB",
         [&] { return theCmnImg.CopyDIB(&out, nullptr); }},
        {"lock, 0 1 -13 -12", true, -12, [&] { return theCmnImg.CopyClbToDIB(owner, &out, &type, &xr, &yr); }, "CopyClbToDIB",
         [&] { return theCmnImg.CopyClbToDIB(owner, nullptr, &type, &xr, &yr); }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.kind);
        int rc = 99;
        EXPECT_EQ(WaitedForLock([&] { rc = r.quiet(); }), r.locks);
        EXPECT_EQ(rc, r.outcome);
        EXPECT_EQ(Traced(), 0u);
        theCmnImg.CloseImage(&out);
        if (!r.traced) continue;
        EXPECT_EQ(r.traced(), -9);
        ASSERT_GE(Traced(), 1u);
        EXPECT_EQ(frame->traces.back(), r.name);
        frame->traces.clear();
    }
    theCmnImg.CloseImage(&dib);
    theCmnImg.CloseImage(&line);
    app->TermApi();
    app->Term();
    EXPECT_EQ(theCmnImg.GetDefaultBitCnt(&bits), -6) << "after the end";
}
