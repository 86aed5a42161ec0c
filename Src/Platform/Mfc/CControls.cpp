// Run-time class information of the control wrappers that live in their headers.
#include "CButton.h"
#include "CComboBox.h"
#include "CEdit.h"
#include "CListBox.h"
#include "CScrollBar.h"
#include "CStatic.h"
#include "CTabCtrl.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
