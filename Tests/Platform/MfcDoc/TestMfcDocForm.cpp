// The form view: a dialog child of the frame's pane filled when it starts, scroll bars while
// the frame is smaller than the form, fitting (no scroll bars) and resizing the frame to the
// form, and the focus that comes back to the form's control after the frame was left.
#include "TestMfcDocApp.h"

class DocFormTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        NewDocument();
    }
    CSize Client() const
    {
        CRect rect;
        view->GetClientRect(&rect);
        return rect.Size();
    }
    bool HasScrollBars() const { return (view->GetStyle() & (WS_HSCROLL | WS_VSCROLL)) != 0; }
};

TEST_F(DocFormTest, TheFormIsADialogInThePane)
{
    char cls[16] = {};
    ::GetClassNameA(view->m_hWnd, cls, sizeof(cls));
    EXPECT_STREQ(cls, "#32770");
    EXPECT_EQ(::GetParent(view->m_hWnd), frame->m_hWnd);
    EXPECT_TRUE(view->GetStyle() & WS_CHILD);
    EXPECT_FALSE(view->GetStyle() & (WS_CAPTION | WS_POPUP));
    // Filled once, when the dialog started: the control object is bound to its edit.
    EXPECT_EQ(view->m_nFilled, 1);
    EXPECT_EQ(view->m_edit1.m_hWnd, ::GetDlgItem(view->m_hWnd, IDC_FORM_EDIT1));
    // The view lies between the dialog bar and the status bar.
    CRect bar, status, pane;
    frame->m_wndBar.GetWindowRect(&bar);
    frame->m_wndStatusBar.GetWindowRect(&status);
    view->GetWindowRect(&pane);
    EXPECT_EQ(pane.top, bar.bottom);
    EXPECT_EQ(pane.bottom, status.top);
    Place(400, 300);
    Screenshot("form");
}

TEST_F(DocFormTest, ScrollBarsFittingAndTheFrameResizedToTheForm)
{
    CSize form = view->GetTotalSize();
    ASSERT_GT(form.cx, 100);
    Place(200, 160);
    EXPECT_TRUE(HasScrollBars());
    view->ResizeParentToFit(TRUE); // smaller already: stays
    EXPECT_TRUE(HasScrollBars());
    view->ResizeParentToFit(FALSE);
    EXPECT_EQ(Client(), form);
    EXPECT_FALSE(HasScrollBars());

    Place(700, 500);
    view->ResizeParentToFit(TRUE);
    EXPECT_EQ(Client(), form);

    Place(200, 160);
    view->SetScaleToFitSize(Client());
    EXPECT_FALSE(HasScrollBars());
    Place(180, 150);
    EXPECT_FALSE(HasScrollBars());
    view->SetScrollSizes(MM_TEXT, form);
    EXPECT_TRUE(HasScrollBars());
    // Scrolling moves the form's controls with it.
    CRect before, after;
    ::GetWindowRect(::GetDlgItem(view->m_hWnd, IDC_FORM_EDIT1), &before);
    view->SendMessage(WM_VSCROLL, SB_BOTTOM);
    ::GetWindowRect(::GetDlgItem(view->m_hWnd, IDC_FORM_EDIT1), &after);
    EXPECT_GT(view->GetDeviceScrollPosition().y, 0);
    EXPECT_EQ(after.top, before.top - view->GetDeviceScrollPosition().y);
    Screenshot("scrolled");
}

TEST_F(DocFormTest, FocusComesBackAfterTheFrameWasLeft)
{
    Place(640, 480);
    HWND edit2 = ::GetDlgItem(view->m_hWnd, IDC_FORM_EDIT2);
    ::SetFocus(edit2);
    view->m_activations.clear();
    CTestFrame other;
    ASSERT_TRUE(other.CreateFrame("他"));
    other.SetForegroundWindow();
    PumpPending();
    EXPECT_NE(::GetFocus(), edit2);
    frame->SetForegroundWindow();
    PumpPending();
    EXPECT_EQ(::GetFocus(), edit2);
    EXPECT_EQ(view->m_activations, "frame-view-frame+view+");
    // The view's own focus goes to the control too.
    frame->SetFocus();
    EXPECT_EQ(::GetFocus(), edit2);
    other.DestroyWindow();
}
