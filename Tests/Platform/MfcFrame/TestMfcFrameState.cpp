// The bar state in a real ini file through the application's profile: saved, changed and
// loaded back to the same rectangles; a damaged section changes nothing; bars the frame does
// not have are skipped and a floating bar saved off the screen comes back onto it.
#include "TestMfcFrameApp.h"
#include "VktSupport.h"
#include <stdlib.h>
#include <string.h>

namespace {

const char kSection[] = "Application Bar Information";

struct Snapshot {
    CRect tool, bar1, bar2, pane, floating;
    bool toolFloats, bar1Shown;
    bool operator==(const Snapshot& o) const
    {
        return tool == o.tool && bar1 == o.bar1 && bar2 == o.bar2 && pane == o.pane && floating == o.floating &&
               toolFloats == o.toolFloats && bar1Shown == o.bar1Shown;
    }
};

} // namespace

class FrameStateTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        m_oldProfile = theTestApp.m_pszProfileName;
        theTestApp.m_pszProfileName = _strdup((m_dir / "Pictavo.ini").c_str());
    }
    void TearDown() override
    {
        free(const_cast<LPSTR>(theTestApp.m_pszProfileName));
        theTestApp.m_pszProfileName = m_oldProfile;
        FrameTest::TearDown();
    }
    Snapshot Take()
    {
        Snapshot s;
        CControlBar& tool = frame->m_wndToolBar;
        s.toolFloats = tool.IsFloating() != FALSE;
        s.tool = s.toolFloats ? CRect() : InFrame(tool);
        if (s.toolFloats) tool.GetDockingFrame()->GetWindowRect(&s.floating);
        s.bar1 = InFrame(frame->m_wndBar1);
        s.bar2 = InFrame(frame->m_wndBar2);
        s.pane = InFrame(frame->m_wndPane);
        s.bar1Shown = frame->m_wndBar1.IsWindowVisible() != FALSE;
        return s;
    }
    // Floats the tool bar and stacks the second dialog bar under the first.
    void Arrange()
    {
        frame->FloatControlBar(&frame->m_wndToolBar, CPoint(760, 200));
        CRect below;
        frame->m_wndBar1.GetWindowRect(&below);
        below.OffsetRect(0, below.Height());
        frame->DockControlBar(&frame->m_wndBar2, AFX_IDW_DOCKBAR_LEFT, &below);
    }
    // Docks everything back at the start and hides the first dialog bar.
    void Change()
    {
        frame->DockControlBar(&frame->m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
        frame->DockControlBar(&frame->m_wndBar2, AFX_IDW_DOCKBAR_RIGHT);
        frame->ShowControlBar(&frame->m_wndBar1, FALSE, FALSE);
    }
    std::string Entry(const char* key) const { return std::string(theTestApp.GetProfileString(kSection, key)); }
    void Write(const char* key, const char* value) { theTestApp.WriteProfileString(kSection, key, value); }

    VktTempDir m_dir;
    LPCSTR m_oldProfile = nullptr;
};

TEST_F(FrameStateTest, SaveChangeLoadGivesTheSameRectangles)
{
    Arrange();
    Snapshot saved = Take();
    ASSERT_TRUE(saved.toolFloats);
    frame->SaveBarState(kSection);
    EXPECT_EQ(Entry("Bars"), "4");
    EXPECT_EQ(Entry("ScreenCX"), std::to_string(::GetSystemMetrics(SM_CXSCREEN)));
    char floating[64];
    snprintf(floating, sizeof(floating), "59392,1,59423,0,%ld,%ld,", saved.floating.left, saved.floating.top);
    EXPECT_EQ(Entry("Bar0").rfind(floating, 0), 0u) << Entry("Bar0");
    EXPECT_EQ(Entry("Bar1"), "59393,1,0,0,0,0,32767"); // the status bar lies on the frame itself

    Change();
    Snapshot changed = Take();
    EXPECT_FALSE(changed == saved);
    frame->LoadBarState(kSection);
    Snapshot loaded = Take();
    EXPECT_TRUE(loaded == saved);
    EXPECT_EQ(loaded.bar2.TopLeft(), CPoint(0, saved.bar1.bottom));

    // Saved again it reads the same.
    std::string first = Entry("Bar3");
    frame->SaveBarState(kSection);
    EXPECT_EQ(Entry("Bar3"), first);
}

TEST_F(FrameStateTest, ADamagedSectionChangesNothing)
{
    static const struct {
        const char* key;
        const char* value;
    } damage[] = {
        {"Bar2", "59408,1,59420"},             // fields missing
        {"Bar2", "59408,1,59420,0,0,0,0,9"},   // one too many
        {"Bar3", "59409,1,59420,0,x,0,0"},     // not a number
        {"Bar0", "59392,2,59419,0,0,0,32767"}, // visible is 0 or 1
        {"Bar0", "59392,1,59430,0,0,0,32767"}, // no such dock bar
        {"Bar1", "59393,1,0,-1,0,0,32767"},    // no row before the first
        {"Bars", "4x"},
        {"ScreenCX", "0"},
        {"Bar3", nullptr},                     // an entry missing
    };
    Arrange();
    for (const auto& d : damage) {
        frame->SaveBarState(kSection);
        Write(d.key, d.value);
        Change();
        Snapshot changed = Take();
        frame->LoadBarState(kSection);
        EXPECT_TRUE(Take() == changed) << d.key << " = " << (d.value ? d.value : "(none)");
        frame->ShowControlBar(&frame->m_wndBar1, TRUE, FALSE);
        Arrange();
    }
}

TEST_F(FrameStateTest, UnknownBarsAreSkippedAndOffScreenFloatsComeBack)
{
    Write("Bars", "3");
    Write("ScreenCX", "2560");
    Write("ScreenCY", "2048");
    Write("Bar0", "59000,1,59419,0,0,0,32767");      // a bar this frame does not have
    Write("Bar1", "59392,1,59423,0,5000,4000,32767"); // the tool bar far off the screen
    Write("Bar2", "59409,0,59420,0,0,0,32767");      // the second dialog bar, hidden
    frame->LoadBarState(kSection);
    ASSERT_TRUE(frame->m_wndToolBar.IsFloating());
    CRect rect, screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    frame->m_wndToolBar.GetDockingFrame()->GetWindowRect(&rect);
    EXPECT_EQ(rect & screen, rect);
    EXPECT_EQ(rect.BottomRight(), screen.BottomRight());
    EXPECT_FALSE(frame->m_wndBar2.IsWindowVisible());
    EXPECT_TRUE(frame->m_wndBar1.IsWindowVisible()); // not named: as it was
}
