// VkiCtl: the control object. It wraps one standard control (static, edit, button, list box,
// combo box) as a data-bound field: it owns the field's data (Ctd) and open edit step (Edi),
// moves the typed value between the window and its Dti, and records edit steps in the undo
// history of its window. One method per export of the VkeCtl family, same verb; a combo box's
// edit and list parts (objects with an owner) work on their combo box's data.
#pragma once
#include "VkiObj.h"
#include <vector>

class VkiSys;
class VkiSub;
class VkiDrw;
struct VkiCtlInput;
struct VkiBtnDraw;

// The single flags of the edit commands (GetEditOneFlag).
enum { VKI_EDIT_UND, VKI_EDIT_RDO, VKI_EDIT_CUT, VKI_EDIT_CPY, VKI_EDIT_PST, VKI_EDIT_CLE };

class VkiCtl : public CWnd, public VkiObjHead {
    DECLARE_DYNCREATE(VkiCtl)

public:
    VkiCtl();
    ~VkiCtl() override;

    // The utility object to trace through (null until the object is bound).
    VkiSub* Sub() const { return m_pSub; }
    // A new object of the kind of type, bound to the system object (VkeCtlAlloc).
    static int New(VkiSys* sys, int type, VkiCtl** out);

    // ---- Object, creation, subclassing and parameters (VkeCtlBsc.cpp) ----
    int Bind(VkiSys* sys, int type);
    int GetCtlClassName(int type, char* buffer, int size);
    int CreateCtl(const char* caption, DWORD style, DWORD exStyle, const RECT* rect, HWND parent, UINT id);
    int Destroy();
    int SubclassCtl(HWND wnd);
    int SubclassCtlDlgItem(HWND dialog, int id);
    int UnsubclassCtl(HWND* out);
    int SetWindowProc(WNDPROC proc, WNDPROC* previous);
    int ResetWindowProc();
    // The same swap on a combo box's edit (part 0) or list (part 1).
    int SetPartWindowProc(int part, WNDPROC proc, WNDPROC* previous);
    int ResetPartWindowProc(int part);
    // Init, Term and the defaults by CtlType (buttons and combo boxes add their own steps).
    int InitParam(VkeCtlParam* param);
    int CheckParam(VkeCtlParam* param, int* field, int* messageNo);
    int Init(VkeCtlParam* param, int* field, int* messageNo);
    int Term();
    int SetProperty(int id, void* value);
    int GetProperty(int id, void* out);
    int GetName(char* buffer, int size);
    int GetCtlType(int* out);
    int GetCtlHandle(HWND* out);
    // A combo box's edit (part 0) or list (part 1) window.
    int GetPartHandle(int part, HWND* out);
    // The answer to a colour request of this control's window: the parent's brush, else the
    // state colour of the holder's data; null for the platform's colouring (VkeCtlFcs.cpp).
    HBRUSH StateBrush(HDC dc);

    // ---- Font, colours, menu, control flags (VkeCtlApr.cpp) ----
    int SetFont(const char* face, int size);
    int SetFontByLogFont(const LOGFONTA* font);
    int GetFontName(char* buffer, int size);
    int GetFontSize(int* out);
    int GetLogFont(LOGFONTA* out);
    int GetFontHandle(HFONT* out);
    int SetTextColor(COLORREF color);
    int GetTextColor(COLORREF* out);
    int SetBackColor(COLORREF color);
    int GetBackColor(COLORREF* out);
    int GetBackBrushHandle(HBRUSH* out);
    int SetMenuHandle(HMENU menu);
    int GetMenuHandle(HMENU* out);
    int SetCtlEditingFlag(int flag, int reset);
    int GetCtlEditingFlag(int* out);
    int SetCtlErrorFlag(int flag) { return SetCtlFlag(&VkiCtl::m_iCtlError, flag); }
    int GetCtlErrorFlag(int* out) { return VkiAnswer(IsInit(), out, m_iCtlError); }
    int SetCtlModifiedFlag(int flag) { return SetCtlFlag(&VkiCtl::m_iCtlModified, flag); }
    int GetCtlModifiedFlag(int* out) { return VkiAnswer(IsInit(), out, m_iCtlModified); }
    int SetPriorityErrorFlag(int flag) { return SetCtlFlag(&VkiCtl::m_iPriorityError, flag); }
    int GetPriorityErrorFlag(int* out) { return VkiAnswer(IsInit(), out, m_iPriorityError); }
    int Redraw(int erase);
    // Holds the repaints the control's steps ask for while it lives and asks for one (erasing
    // when any step wanted it) at its end, when the control is still initialised.
    class RedrawHold {
    public:
        explicit RedrawHold(VkiCtl* ctl) : m_ctl(ctl->m_iRedrawHeld ? nullptr : ctl)
        {
            if (m_ctl) m_ctl->m_iRedrawHeld = 1;
        }
        ~RedrawHold();
        RedrawHold(const RedrawHold&) = delete;
        RedrawHold& operator=(const RedrawHold&) = delete;

    private:
        VkiCtl* m_ctl;
    };
    // 1 when the focus is on the control, or on its combo box or a part of that combo box.
    int IsFocus(int* out);
    // Keeps the window with the keyboard focus for the steps of one Init, which each ask: the
    // platform answers each question with a round trip. It is asked again after an engine
    // control sees the focus come or go.
    class FocusHold {
    public:
        FocusHold();
        ~FocusHold();
        FocusHold(const FocusHold&) = delete;
        FocusHold& operator=(const FocusHold&) = delete;
    };
    // The window with the keyboard focus, as held.
    static HWND FocusWnd();
    // What a FocusHold keeps is asked again.
    static void ForgetFocus();
    // Gives the focus to the holder's window (VkeCtlFcs.cpp).
    int SetFocusCtl();

    // ---- Radio groups (VkeCtlGrp.cpp) ----
    int SchAutoRdoBtn(HWND* cursor, int engineOnly);
    // The control and the engine-wrapped, initialised auto radio buttons of its group; the
    // control alone when it is no auto radio button.
    std::vector<VkiCtl*> Group();
    // The auto radio buttons (engine ones only with engineOnly 1) that SchAutoRdoBtn hands out
    // one call after another, in that order, from one walk of the group order.
    std::vector<HWND> GroupRadios(int engineOnly);
    // What a GroupHold keeps: the group's auto radio buttons after the control, and the group.
    struct HeldGroup {
        std::vector<HWND> radios;
        std::vector<VkiCtl*> group;
    };
    // Keeps the group for the steps of one operation that moves, shows, enables or makes no
    // window of it (Init's setters each go to the whole group): Group() and GroupRadios answer
    // from one walk.
    class GroupHold {
    public:
        explicit GroupHold(VkiCtl* ctl);
        ~GroupHold();
        GroupHold(const GroupHold&) = delete;
        GroupHold& operator=(const GroupHold&) = delete;

    private:
        VkiCtl* m_ctl;
        HeldGroup m_held;
    };

    // ---- Records and edit steps (VkeCtlDat.cpp) ----
    int AllocDat(int code, void** p);
    int FreeDat(int code, void** p);
    int InitDat(int code, void* p);
    int TermDat(int code, void* p);
    int CopyDat(int code, void* dest, void* src);
    int DupDat(int code, void** out, void* src);
    int EditDat(int op, int code, void* p3, void* p4);
    int SetEdiFromWnd(Ctd* ctd);
    int SetWndFromEdi(Ctd* ctd);
    int InitEui(Ctd* ctd);
    int TermEui(Ctd* ctd);
    int SetCtdPtr(Ctd* ctd);
    int GetCtdPtr(Ctd** out);
    // Edit steps of the holder (its whole radio group): begin one of kind 1..39 with an
    // optional start selection, clear it, record it as an undo entry when the text changed
    // (*recorded 1), record one now, or make a change one recorded step.
    int BeginStep(int kind, int withSel, int start, int end);
    void ClearStep();
    int CommitStep(int* recorded);
    int RecordStep(int kind);
    int ChangeStep(int kind, int dataFlag);

    // ---- Data-type information and the value cycle (VkeCtlDti.cpp, VkeCtlCyc.cpp) ----
    int SetSelection(int start, int end);
    int GetSelection(int* start, int* end);
    int NmlSelection(int* start, int* end);
    int CopySelectInfo(SelectInfo* dest, const SelectInfo* src);
    int SetSelectInfo(const SelectInfo* info);
    int GetSelectInfo(SelectInfo* out);
    int AllocDti(Dti** out);
    int FreeDti(Dti** p);
    int InitDti(Dti* dti);
    int TermDti(Dti* dti);
    int CopyDti(Dti* dest, Dti* src);
    int DupDti(Dti** out, Dti* src);
    int SetDti(Dti* dti, int undo);
    int GetDti(Dti* out);
    int ChkDti();
    int SetDataName(const char* text, int undo);
    int GetDataName(char* buffer, int size);
    int ChkDataValue(const char* value, char* text, int size);
    int SetDataValue(const char* text, int undo);
    int GetDataValue(char* buffer, int size);
    int SetEditType(int type, int undo);
    int GetEditType(int* out);
    int SetEditFormat(const char* format, int undo);
    int GetEditFormat(char* buffer, int size);
    int SetPasswordChar(int ch, int undo);
    int GetPasswordChar(BYTE* out);
    int SetMaxInputLength(int length, int undo);
    int GetMaxInputLength(int* out);
    int SetIndInputFlag(int flag, int undo);
    int GetIndInputFlag(int* out);
    int SetDataFlag(int flag);
    int GetDataFlag(int* out);
    int SetErrorFlag(int flag);
    int GetErrorFlag(int* out);
    int SetModifiedFlag(int flag);
    int GetModifiedFlag(int* out);
    int SetSelectedFlag(int flag);
    int GetSelectedFlag(int* out);
    int SetErrorCode(int code);
    int GetErrorCode(int* out);
    int ChkDtv(const char* value, int* code);
    int SetDtiFromWnd();
    int SetWndFromDti();
    // The font and colour dialogs (VkeCtlChs.cpp).
    int ChooseFontValue(int vertical);
    int ChooseColorValue();
    // The default font (messages 49 and 50) as a record and as a font text (1024 bytes).
    int DefaultFont(VkeFontRec* font);
    int DefaultFontText(char* out);

    // ---- Edit commands (VkeCtlEdt.cpp) ----
    int GetEditFlag(EditFlag* flags);
    // One flag of GetEditFlag (VKI_EDIT_UND ... VKI_EDIT_CLE); 0 on failure.
    int GetEditOneFlag(int which, int* out);
    int EditUnd();
    int EditRdo();
    int EditCut();
    int EditCpy();
    int EditPst();
    int EditCle();

    // ---- Kinds of window, from the type and the window's style ----
    int BtnStyle() const { return static_cast<int>(GetStyle() & BS_TYPEMASK); }
    bool IsStatic() const { return m_iCtlType == VKE_CTL_STATIC; }
    bool IsEdit() const { return m_iCtlType == VKE_CTL_EDIT; }
    bool IsButton() const { return m_iCtlType == VKE_CTL_BUTTON; }
    bool IsListBox() const { return m_iCtlType == VKE_CTL_LISTBOX; }
    bool IsCombo() const { return m_iCtlType == VKE_CTL_COMBOBOX; }
    bool IsAutoRadio() const { return IsButton() && BtnStyle() == BS_AUTORADIOBUTTON; }
    // Check boxes, three-state boxes and radio buttons that are not auto radio buttons.
    bool IsCheckBox() const;
    bool IsPush() const { return IsButton() && !IsCheckBox() && !IsAutoRadio(); }
    // An edit, or a combo box with an edit part (simple or drop-down).
    bool IsEditLike() const { return IsEdit() || (IsCombo() && (GetStyle() & 3) != CBS_DROPDOWNLIST); }
    // A list box or a drop-down list: the value is the selected item.
    bool IsListLike() const { return IsListBox() || (IsCombo() && !IsEditLike()); }

    // The control whose data the operations use: the top owner. -6 when it, or an owner on the
    // way, is not initialised.
    int Holder(VkiCtl** out);
    // The holder's data; only valid on an initialised holder.
    Dti& D() { return m_pCtd->dti; }
    bool IsPassword() { return IsEdit() && m_pCtd && (D().iPasswordChar & 0xFF) != 0; }
    // The input limit in bytes: MaxInputLength of an edit-like control when set, else 1023.
    int InputLimit(int maxInputLength) const;
    bool HasFocus();

public:
    // ---- State ----
    VkiSys* m_pSys = nullptr;
    VkiSub* m_pSub = nullptr;
    VkiDrw* m_pDrw = nullptr;
    int m_iCtlType = 0;
    int m_iSubclassed = 0;
    int m_iProcSwapped = 0;
    WNDPROC m_pfnSaved = nullptr;    // the procedure the first swap replaced
    COLORREF m_uTextColor;
    COLORREF m_uBackColor;
    HMENU m_hMenu = nullptr;
    int m_iCtlEditing = 0;
    int m_iCtlError = 0;
    int m_iCtlModified = 0;
    int m_iPriorityError = 0;
    int m_iLoading = 0;              // 1 while Init applies the record: no window transfers
    VkiCtl* m_pOwner = nullptr;      // the combo box of an edit or list part
    Ctd* m_pCtd = nullptr;
    Edi* m_pEdi = nullptr;
    LOGFONTA m_lf = {};
    HFONT m_hFont = nullptr;
    HBRUSH m_hBackBrush = nullptr;
    // ---- end: state ----

    HeldGroup* m_pHeld = nullptr; // what a GroupHold keeps
    int m_iRedrawHeld = 0; // a RedrawHold lives: 1, 2 a repaint was asked for, 3 one that erases

    int m_iLead = 0;                 // a Shift-JIS lead byte typed into the window, waiting for its trail byte

    // Process-wide marks: a value transfer message is out to a parent (VkeWmWndToDti,
    // VkeWmDtiToWnd) or a key is being handled; the focus handling is writing or reading the
    // window value; a colour request is being answered.
    static int s_iTransfer;
    static int s_iFocusing;
    static int s_iColoring;

protected:
    // The byte limit of an edit part holds after every input the platform's control takes, and
    // the Dti keeps the text such input leaves.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnDestroy();
    afx_msg LRESULT OnEudDat(WPARAM wParam, LPARAM lParam);
    // Colour choice, focus and the popup menu (VkeCtlFcs.cpp).
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg LRESULT OnRButtonUp(WPARAM wParam, LPARAM lParam);
    // Keys and characters (VkeCtlInp.cpp).
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnImeChar(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The steps every kind shares; buttons and combo boxes add theirs around them.
    int InitBase(VkeCtlParam* param, int* field, int* messageNo);
    int TermBase();
    int ReadDti(Dti* out);
    int WindowValue(char* text);
    // The state colour (selected, error, modified) of the holder's data in place of back and
    // brush; both stay when no state shows.
    int StateColor(COLORREF* back, HBRUSH* brush);
    // A click on a list box, a combo box's list or a combo box with an edit part: one edit step
    // of the holder around the platform's handling (VkeCtlCmb.cpp).
    LRESULT ListClick();

private:
    int ApplyParam(VkeCtlParam* param);
    int SetCtlFlag(int VkiCtl::*flag, int value);
    // Records and steps of this one control.
    int BeginOne(int kind, int withSel, int start, int end);
    int RecordOne(int kind, int notify);
    int HandEud(int stepCode, int stepValue, int notify);
    // The value cycle (VkeCtlCyc.cpp) on the holder.
    bool AskParent(UINT message);
    int WriteDti(Dti* dti, int undo);
    int ReadWindow();
    int ReadGroup();
    int WriteWindow();
    int WriteGroup();
    int ShowText(char* text, bool formatted);
    void SetValueState(int code);
    void NotifyCheck(int state);
    // The Dti window text shown in editing form, without formatting; a password edit's masked.
    int ShowEditing();
    void ShowPassword(const char* text);
    // The focus leaving the holder (VkeCtlFcs.cpp).
    int LeaveFocus();
    // Keys and characters on this window for the holder h (VkeCtlInp.cpp).
    void TypeChar(VkiCtl* h, UINT ch);
    void RunInput(VkiCtl* h, const VkiCtlInput& in);
    int InputDefault(VkiCtl* h, const VkiCtlInput& in, int start, int end, const char* before);
    int InputPassword(const VkiCtlInput& in, int start, int end, int* caret);
    int InputRead(char* text);
    // Data 1, no error: the state of a value just typed.
    void SetTypedState();
    void InputValue(char* text);
    void TakeWindowText();
    void SendEdit(UINT id, HWND to);
    void GrowDeleteRun(int bytes);
    // Edit commands (VkeCtlEdt.cpp).
    int EditRange(SelectInfo* range);
    void CloseList();
    int BeginCommand(int which, VkiCtl** holder, SelectInfo* range);
    int RemoveRange(int kind, const SelectInfo& range, char* removed, int* count);
    int ApplyEdit(int kind, const char* text, int start, int caret);
    int UndoOne();
    void FocusGroupOn(const std::vector<VkiCtl*>& group);
    // The setter frame of the value setters (VkeCtlDti.cpp).
    template <class Equal, class Store>
    int SetValue(int undo, Equal equal, Store store);
    int SetGroupInt(int Dti::*field, int value, int undo);
    // State and plain setters on the whole radio group; flag: the value must be 0 or 1.
    int SetState(int Dti::*field, int flag, bool redraw);
    int SetHolderState(int Dti::*field, int value, bool flag, bool redraw);
    template <class T>
    int GetField(T* out, T Dti::*field);
    int GetText(AppMem Dti::*text, char* buffer, int size);
};

// The five kinds; buttons and combo boxes hold what their own behaviour needs.
class VkiCtlStc : public VkiCtl {
    DECLARE_DYNCREATE(VkiCtlStc)
protected:
    DECLARE_MESSAGE_MAP()
};

class VkiCtlEdt : public VkiCtl {
    DECLARE_DYNCREATE(VkiCtlEdt)
protected:
    DECLARE_MESSAGE_MAP()
};

class VkiCtlBtn : public VkiCtl {
    DECLARE_DYNCREATE(VkiCtlBtn)
public:
    // Destroys the window while the object is still a button, so that its Term runs.
    ~VkiCtlBtn() override;

    // ---- Init, Term and drawing (VkeCtlBtn.cpp) ----
    // Push buttons get their owner-draw record after the base Init.
    int InitBtn(VkeCtlParam* param, int* field, int* messageNo);
    int TermBtn();
    // The focus pen in the text colour (grey for the system's button text); part of the
    // button's text-colour setter.
    int MakeFocusPen();

    int m_iDefPush = 0;                     // made or adopted as the default push button, or made it since by the dialog
    VkiBtnDraw* m_pOwnerDraw = nullptr;     // pens and brushes of an owner-drawn push button

protected:
    afx_msg void OnDestroy();
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    afx_msg UINT OnGetDlgCode();
    afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    int MakeDraw();
    void FreeDraw();
    int SetSwatch(COLORREF color);
    int PaintColors(COLORREF* text, COLORREF* back, HBRUSH* brush, bool* swatch);
    void DrawFace(const DRAWITEMSTRUCT* dis);
    void DrawFrame(HDC dc, const RECT& r, bool focused, bool pressed);
    void DrawFocus(HDC dc, const RECT& r, bool pressed);
    // Whether a click on this button belongs to the one being handled (the same button, or an
    // engine member of its radio group).
    bool SameClick(VkiCtl* handled);
    void Click(LRESULT* result);
    void Announce(VkiCtl* changed);
};

class VkiCtlLsb : public VkiCtl {
    DECLARE_DYNCREATE(VkiCtlLsb)
protected:
    afx_msg LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class VkiCtlCmb : public VkiCtl {
    DECLARE_DYNCREATE(VkiCtlCmb)
public:
    // Destroys the window while the object is still a combo box, so that its Term runs.
    ~VkiCtlCmb() override;

    // ---- Init, Term and the parts (VkeCtlCmb.cpp) ----
    // The parts are allocated with the combo box and adopted at their first colour request.
    int InitCmb(VkeCtlParam* param, int* field, int* messageNo);
    int TermCmb();

    VkiCtl* m_pEdt = nullptr; // the edit part (kind 2), owned by the combo box
    VkiCtl* m_pLsb = nullptr; // the list part (kind 4)
    // The part objects (0 edit, 1 list); null when none.
    VkiCtl* Part(int part) const { return part == 0 ? m_pEdt : m_pLsb; }

protected:
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The part object of the window, adopted now when it has no window yet; null when the
    // window is no part or the adoption failed.
    VkiCtl* Adopt(int part, HWND wnd);
};

// Sets a process-wide mark for the scope and puts back what it was.
class VkiCtlMark {
public:
    explicit VkiCtlMark(int& mark) : m_mark(mark), m_prev(mark) { mark = 1; }
    ~VkiCtlMark() { m_mark = m_prev; }
    VkiCtlMark(const VkiCtlMark&) = delete;
    VkiCtlMark& operator=(const VkiCtlMark&) = delete;

private:
    int& m_mark;
    int m_prev;
};

// The engine control object of a window, or null.
VkiCtl* VkiCtlOf(HWND wnd);

// The edit and list windows of a combo box (null when there are none).
COMBOBOXINFO VkiCtlComboInfo(HWND combo);

// True when wnd is the edit or the list of the combo box.
bool VkiCtlIsComboPart(HWND combo, HWND wnd);

inline bool VkiCtlIsFlag(int v) { return VkiIsFlag(v); }

// The text of an AppMem ("" without a block).
inline const char* VkiCtlStr(const AppMem& mem) { return mem.pBuffer ? mem.pBuffer : ""; }

// Copies at most limit bytes of src into dest (limit + 1 bytes) on a character boundary, and
// drops a lone lead byte at its end; -13 when anything was left out.
int VkiCtlTakeText(char* dest, const char* src, int limit);

// A window's text, at most 1023 bytes (out holds 1024), as VkiCtlTakeText takes it.
int VkiCtlReadText(HWND wnd, char* out);

// A button's caption or a static's text set to text, unless the window shows that text already
// (the repaint a change needs is the caller's, as after any value written).
void VkiCtlShowCaption(HWND wnd, const char* text);
