#include "ChildDoc.h"

IMPLEMENT_DYNCREATE(ChildDoc, CDocument)
