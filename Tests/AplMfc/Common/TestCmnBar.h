// The bar tests' main frame: a customisable tool bar docked at the top, a rebar across the top
// holding a second one, and a plain pane; the fixture makes it the application's main frame and
// starts the engine over it, as the program's frame does.
#pragma once
#include "CmnReb.h"
#include "CmnTlb.h"
#include "TestAplCmn.h"
#include "TestCmnBarRes.h"

// A tool bar whose records, state and notifications the tests read.
class TestTlb : public CmnTlb {
public:
    std::vector<UINT> notified; // TBN_ codes that reached the bar, in order
    const Bri& Record(int index) const { return m_bri[index]; }
    int IsInit() const { return m_bInit; }
    // The command ids now on the bar (0 a separator).
    std::vector<int> Ids() const;
    // The distinct tops of the shown buttons: one per row.
    int Rows() const;

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class TestReb : public CmnReb {
public:
    int IsInit() const { return m_bInit; }
    HBRUSH Brush() const { return static_cast<HBRUSH>(m_brush.m_hObject); }
    HFONT Font() const { return static_cast<HFONT>(m_font.m_hObject); }
};

class BarFrame : public CFrameWnd {
public:
    TestTlb m_wndToolBar; // docked at the top
    TestReb m_wndReBar;   // across the top, with m_wndBandBar as its band
    TestTlb m_wndBandBar;
    CWnd m_wndPane;
    std::vector<std::string> traces; // failures the engine reported, by name

protected:
    int OnCreate(LPCREATESTRUCTA lpcs);
    LRESULT OnTraceError(WPARAM name, LPARAM);
    DECLARE_MESSAGE_MAP()
};

// An arrangement from ids.
Bri MakeBri(std::initializer_list<int> ids);
std::vector<int> IdsOf(const Bri& bri);

class BarTest : public AppTest {
protected:
    // The frame at (100, 100), 640 x 480, shown, as the main frame of a started application.
    void SetUp() override;
    void TearDown() override;
    // Failures reported since the start of the test, by name.
    const std::vector<std::string>& Traces();
    bool Traced(const std::string& name);
    // The main frame's client width becomes cx; the bars are laid out again.
    void SetClientWidth(int cx);

    BarFrame* bars = nullptr;
    HWND hBars = nullptr;
    // The resource's arrangement: three buttons, a separator, three, a separator, two.
    const Bri kResource = MakeBri({ID_BAR_NEW, ID_BAR_OPEN, ID_BAR_SAVE, 0, ID_BAR_CUT, ID_BAR_COPY, ID_BAR_PASTE, 0,
                                   ID_BAR_ZOOM, ID_BAR_HELP});
};
