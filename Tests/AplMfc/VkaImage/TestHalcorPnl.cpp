// The application's commands for the frame's bars: panels hidden and shown with the focus rules,
// the file list taking the preview along, sizes back to their presets, focus moves, the tool
// bar's layouts, the panel tests; the first run's panel layout and the default rectangle.
#include "TestChildFrm.h"
#include "HalcorRes.h"

namespace {

// The commands of panel index (0 folder tree .. 4 operations).
UINT Toggle(int index) { return ID_VKA_PNL_FIRST + 3 * index; }
UINT SizeAtStart(int index) { return Toggle(index) + 1; }
UINT InitialSize(int index) { return Toggle(index) + 2; }

// The window with the focus lies in the bar.
bool HasFocus(CWnd& bar) { return GetFocus() && (GetFocus() == bar.m_hWnd || IsChild(bar.m_hWnd, GetFocus())); }

} // namespace

TEST_F(FrmTest, HidingAPanelMovesTheFocusShowingItGivesItTheFocus)
{
    Run();
    CmnDlb& tree = main->GetPnlTrcFld();
    int checked = -1;
    EXPECT_EQ(Update(Toggle(VkaPnlTrcFld), &checked), 1);
    EXPECT_EQ(checked, 1);
    Command(ID_VKA_FCS_TRCFLD);
    ASSERT_TRUE(VktPumpUntil([&] { return HasFocus(tree); }));

    Command(Toggle(VkaPnlTrcFld));
    EXPECT_FALSE(Visible(tree));
    EXPECT_FALSE(tree.IsWindowVisible());
    EXPECT_TRUE(VktPumpUntil([&] { return HasFocus(main->GetPnlLscFil()); })) << "no page: the first panel shown";
    EXPECT_EQ(Update(Toggle(VkaPnlTrcFld), &checked), 1);
    EXPECT_EQ(checked, 0);
    for (UINT id : {static_cast<UINT>(ID_VKA_FCS_TRCFLD), SizeAtStart(VkaPnlTrcFld), InitialSize(VkaPnlTrcFld)})
        EXPECT_EQ(Update(id), 0) << std::hex << id;
    int shown = -1;
    ASSERT_EQ(app->IsPnlTrcFld(&shown), 0);
    EXPECT_EQ(shown, 0);

    Command(Toggle(VkaPnlTrcFld));
    EXPECT_TRUE(tree.IsWindowVisible());
    EXPECT_TRUE(VktPumpUntil([&] { return HasFocus(tree); }));
    EXPECT_EQ(Update(ID_VKA_FCS_TRCFLD), 1);
}

TEST_F(FrmTest, PanelTestsNeedTheBarShownAndEnabled)
{
    Run();
    int (HalcorApp::*tests[])(int*) = {&HalcorApp::IsPnlMain, &HalcorApp::IsPnlTrcFld, &HalcorApp::IsPnlLscFil,
                                       &HalcorApp::IsPnlPrv, &HalcorApp::IsPnlCmdFil, &HalcorApp::IsPnlOpr};
    const int expected[] = {1, 1, 1, 0, 1, 1}; // the preview goes to a tab
    for (int i = 0; i < 6; ++i) {
        int out = -1;
        ASSERT_EQ((app->*tests[i])(&out), 0);
        EXPECT_EQ(out, expected[i]) << i;
    }
    EXPECT_EQ(app->IsPnlOpr(nullptr), -9);
    main->GetPnlOpr().EnableWindow(FALSE);
    int out = -1;
    app->IsPnlOpr(&out);
    EXPECT_EQ(out, 0) << "disabled";
    EXPECT_EQ(Update(ID_VKA_FCS_OPR), 0);
    // The preview in a tab: its panel commands wait for the selected-image page.
    EXPECT_EQ(Update(Toggle(VkaPnlPrv)), 0);
}

TEST_F(FrmTest, TheFileListTakesThePreviewPanelAlong)
{
    Put("SopPni_bPrvImgTab", "0");
    Run();
    CmnDlb& list = main->GetPnlLscFil();
    CmnDlb& preview = main->GetPnlPrv();
    ASSERT_TRUE(Visible(preview)) << "the preview panel is in use";
    Command(Toggle(VkaPnlLscFil));
    EXPECT_FALSE(Visible(list));
    EXPECT_FALSE(Visible(preview));
    Command(Toggle(VkaPnlLscFil));
    EXPECT_TRUE(Visible(list));
    EXPECT_TRUE(Visible(preview));
    EXPECT_TRUE(HasFocus(list));
    // The preview alone.
    Command(Toggle(VkaPnlPrv));
    EXPECT_FALSE(Visible(preview));
    EXPECT_TRUE(Visible(list));
}

TEST_F(FrmTest, WithThePreviewOffItsCommandIsDisabledAndTheListGoesAlone)
{
    Put("SopPni_bPrvImgTab", "0");
    Put("bPrvImg", "0", "Common Information");
    Run();
    int checked = -1;
    EXPECT_EQ(Update(Toggle(VkaPnlPrv), &checked), 0);
    EXPECT_EQ(checked, 0);
    Command(Toggle(VkaPnlPrv));
    EXPECT_FALSE(Visible(main->GetPnlPrv()));
    Command(Toggle(VkaPnlLscFil));
    EXPECT_FALSE(Visible(main->GetPnlLscFil()));
    EXPECT_FALSE(Visible(main->GetPnlPrv()));
    Command(Toggle(VkaPnlLscFil));
    EXPECT_TRUE(Visible(main->GetPnlLscFil()));
    EXPECT_FALSE(Visible(main->GetPnlPrv())) << "the preview is off";
}

TEST_F(FrmTest, SizesGoBackToTheirPresets)
{
    Put("BriDlb_4_cx", "150");
    Put("BriDlb_4_cy", "260");
    Run();
    CmnDlb& files = main->GetPnlFilCmd();
    int startCx = 0, startCy = 0;
    files.GetBarSize(&startCx, &startCy);
    SIZE other = {230, 120};
    files.SetBri(&other);
    int cx = 0, cy = 0;
    files.GetBarSize(&cx, &cy);
    ASSERT_EQ(cx, 230);
    Command(SizeAtStart(VkaPnlFilCmd));
    files.GetBarSize(&cx, &cy);
    EXPECT_EQ(cx, startCx);
    EXPECT_EQ(cy, startCy);
    Command(InitialSize(VkaPnlFilCmd));
    files.GetBarSize(&cx, &cy);
    EXPECT_EQ(CSize(cx, cy), files.m_sizeDefault) << "the template's size";
    EXPECT_EQ(Place(files).Width(), cx) << "laid out";
}

TEST_F(FrmTest, TheToolBarGoesBackToItsLayoutAtStartOrItsInitialOne)
{
    // A saved layout of two buttons and an id the bar does not have.
    Bri saved = {};
    saved.iCount = 3;
    saved.iId[0] = ID_VKA_OPTIONS;
    saved.iId[1] = 12345;
    saved.iId[2] = ID_FILE_OPEN;
    std::string hex;
    char two[3];
    for (size_t i = 0; i < sizeof(saved); ++i) {
        snprintf(two, sizeof(two), "%02X", reinterpret_cast<const BYTE*>(&saved)[i]);
        hex += two;
    }
    Put("strBriTlb_1", hex.c_str(), "Common Information");
    Put("iCntHexStr", "1", "Common Information");
    Run();
    CmnTlb& bar = main->GetToolBar();
    ASSERT_EQ(bar.GetCount(), 2);
    EXPECT_EQ(bar.GetItemID(0), static_cast<UINT>(ID_VKA_OPTIONS));
    EXPECT_EQ(Update(ID_VKA_TLB_INITIAL), 1);
    Command(ID_VKA_TLB_INITIAL);
    EXPECT_EQ(bar.GetCount(), 39);
    Command(ID_VKA_TLB_START);
    EXPECT_EQ(bar.GetCount(), 2);
}

TEST_F(FrmTest, TheFirstRunLaysThePanelsOutInOneColumnBesideTheFileCommands)
{
    Run();
    CRect tree = Place(main->GetPnlTrcFld()), list = Place(main->GetPnlLscFil());
    CRect files = Place(main->GetPnlFilCmd()), opr = Place(main->GetPnlOpr());
    CRect client;
    main->GetClientRect(&client);
    int height = client.Height() - Place(main->GetToolBar()).Height() - Place(main->GetStatusBar()).Height();
    EXPECT_EQ(tree.left, list.left);
    EXPECT_EQ(tree.bottom, list.top);
    EXPECT_LE(tree.Height(), height / 2);
    EXPECT_EQ(tree.Height() + list.Height(), height);
    EXPECT_EQ(files.top, tree.top);
    EXPECT_EQ(files.left, tree.left + std::max(tree.Width(), list.Width()));
    EXPECT_EQ(opr.right, client.right) << "the operations keep their place";
    // Both sizes became the presets at start.
    SIZE start = {};
    main->GetPnlLscFil().GetBri(1, &start);
    EXPECT_EQ(start.cy, list.Height());
    EXPECT_EQ(app->RepositionWindow(2), -9);
}

TEST_F(FrmTest, TheDefaultRectangleGrowsWithThePanelsInUse)
{
    // File commands and operations side by side past 80 % of the width, tree and list stacked
    // past 80 % of the height; a saved window keeps these sizes (no first-run layout).
    const char* sizes[][2] = {{"BriDlb_1_cx", "150"}, {"BriDlb_1_cy", "420"}, {"BriDlb_2_cx", "150"},
                              {"BriDlb_2_cy", "420"}, {"BriDlb_4_cx", "420"}, {"BriDlb_4_cy", "300"},
                              {"BriDlb_5_cx", "420"}, {"BriDlb_5_cy", "300"}};
    for (auto& kv : sizes) Put(kv[0], kv[1]);
    for (auto& kv : {"rctWindow_left", "rctWindow_top"}) Put(kv, "10", "Common Information");
    Put("rctWindow_right", "810", "Common Information");
    Put("rctWindow_bottom", "610", "Common Information");
    Run();
    RECT before = {};
    app->SetDefWinRct(&before);
    const int cx = GetSystemMetrics(SM_CXMAXIMIZED), cy = GetSystemMetrics(SM_CYMAXIMIZED);
    ASSERT_GT(before.right - before.left, cx * 8 / 10);
    ASSERT_GT(before.bottom - before.top, cy * 8 / 10);
    EXPECT_EQ(before.left, (cx - (before.right - before.left)) / 2);

    auto grow = [&](CmnDlb& panel, int dx, int dy) {
        int w = 0, h = 0;
        panel.GetBarSize(&w, &h);
        panel.SetBarSize(w + dx, h + dy);
        RECT after = {};
        app->SetDefWinRct(&after);
        return CSize(after.right - after.left - (before.right - before.left),
                     after.bottom - after.top - (before.bottom - before.top));
    };
    EXPECT_EQ(grow(main->GetPnlOpr(), 30, 0), CSize(30, 0));
    EXPECT_EQ(grow(main->GetPnlOpr(), -30, 0), CSize(0, 0));
    EXPECT_EQ(grow(main->GetPnlLscFil(), 0, 20), CSize(0, 20));
    EXPECT_EQ(grow(main->GetPnlLscFil(), 0, -20), CSize(0, 0));
    EXPECT_EQ(grow(main->GetPnlPrv(), 0, 50), CSize(0, 0)) << "the preview goes to a tab";
}
