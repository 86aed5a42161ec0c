// What a document template hands to the frame it creates: the view class to make in the frame's
// pane and the document that view shows. A frame passes it on to its views as the creation
// parameter (CREATESTRUCT::lpCreateParams).
#pragma once
#include "CObject.h"

class CDocument;
class CDocTemplate;
class CView;
class CFrameWnd;

struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr; // the view of the pane, or null for none
    CDocument* m_pCurrentDoc = nullptr;             // the document the new view joins
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
