#include "ChildViw.h"
#include "HalcorRes.h"

IMPLEMENT_DYNCREATE(ChildViw, CFormView)

ChildViw::ChildViw() : CFormView(IDD_CHILDVIW) {}

int ChildViw::ReadOpenInfo(const char*, int, int, int) { return VKE_NOT_DONE; }
