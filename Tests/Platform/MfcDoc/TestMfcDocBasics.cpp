// Documents and their template: one document, frame and view made and then reused, captions
// with the document's title, the shell command of the command line, closing and the end of
// the loop, and opens that fail without leaving anything behind.
#include "TestMfcDocApp.h"
#include "VktMsgBox.h"

TEST_F(DocTest, NewDocumentMakesOneOfEachThenReusesThem)
{
    NewDocument();
    EXPECT_EQ(view->m_nInitialUpdates, 1);
    EXPECT_EQ(view->GetDocument(), doc);
    EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    POSITION pos = theDocApp.GetFirstDocTemplatePosition();
    EXPECT_EQ(doc->GetDocTemplate(), theDocApp.GetNextDocTemplate(pos));
    EXPECT_EQ(doc->GetTitle(), CString("文書"));
    EXPECT_TRUE(::IsWindowVisible(frame->m_hWnd));
    EXPECT_EQ(theDocApp.m_nCmdShow, -1); // the main window took the show state once

    doc->SetModifiedFlag(FALSE);
    CTestDocFrame* first = frame;
    CTestFormView* firstView = view;
    CTestDoc* firstDoc = doc;
    NewDocument();
    EXPECT_EQ(frame, first);
    EXPECT_EQ(view, firstView);
    EXPECT_EQ(doc, firstDoc);
    EXPECT_EQ(view->m_nInitialUpdates, 2);
    EXPECT_EQ(CTestDoc::s_nLive, 1);
    EXPECT_EQ(CTestFormView::s_nLive, 1);
}

TEST_F(DocTest, CaptionsCarryTheDocumentsTitle)
{
    static const struct {
        bool appFirst;
        const char *made, *retitled;
    } cases[] = {
        {false, "文書 - アプリ", "表ソ能.jpg - アプリ"},
        {true, "アプリ - 文書", "アプリ - 表ソ能.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.made);
        CTestDocFrame::s_bAppFirst = c.appFirst;
        NewDocument();
        EXPECT_EQ(Caption(), c.made);
        doc->SetTitle("表ソ能.jpg");
        EXPECT_EQ(Caption(), c.retitled);
        TearDown();
    }
}

TEST_F(DocTest, ShellCommands)
{
    // Nothing to do opens nothing.
    CCommandLineInfo nothing;
    nothing.m_nShellCommand = CCommandLineInfo::FileNothing;
    EXPECT_TRUE(theDocApp.ProcessShellCommand(nothing));
    EXPECT_EQ(theDocApp.m_pMainWnd, nullptr);
    EXPECT_EQ(CTestDoc::s_nLive, 0);

    // Flags are left alone; a file argument opens that file.
    std::string path = dir / "写真表.jpg";
    ASSERT_TRUE(VktWriteFile(path, "x"));
    CCommandLineInfo info;
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew);
    info.ParseParam("l", TRUE, FALSE);
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew);
    info.ParseParam(path.c_str(), FALSE, TRUE);
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(info.m_strFileName, CString(path.c_str()));
    EXPECT_TRUE(theDocApp.ProcessShellCommand(info));
    frame = DYNAMIC_DOWNCAST(CTestDocFrame, theDocApp.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    doc = DYNAMIC_DOWNCAST(CTestDoc, frame->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetPathName(), CString(path.c_str()));
    EXPECT_EQ(doc->GetTitle(), CString("写真表.jpg"));
    EXPECT_EQ(Caption(), "写真表.jpg - アプリ");
    EXPECT_EQ((*theDocApp.m_pRecentFileList)[0], CString(path.c_str()));
    // The same file again is the same document.
    EXPECT_EQ(theDocApp.OpenDocumentFile(path.c_str()), doc);
    TearDown();

    // A new file through the application's map.
    CCommandLineInfo fresh;
    EXPECT_TRUE(theDocApp.ProcessShellCommand(fresh));
    EXPECT_NE(theDocApp.m_pMainWnd, nullptr);
}

TEST_F(DocTest, OpensThatFailLeaveNothingBehind)
{
    std::string missing = dir / "無い.jpg";
    {
        VktMsgBox answer({IDOK});
        EXPECT_EQ(theDocApp.OpenDocumentFile(missing.c_str()), nullptr);
        ASSERT_EQ(answer.Count(), 1);
        EXPECT_NE(answer.Seen()[0].text.find(missing), std::string::npos);
    }
    EXPECT_EQ(theDocApp.m_pMainWnd, nullptr);
    EXPECT_EQ(CTestDoc::s_nLive, 0);
    EXPECT_EQ(CTestFormView::s_nLive, 0);

    // An open document that cannot take the file stays, empty, in its frame.
    NewDocument();
    doc->SetTitle("前");
    {
        VktMsgBox answer({IDOK});
        EXPECT_EQ(theDocApp.OpenDocumentFile(dir.Path().c_str()), nullptr); // a folder
        EXPECT_EQ(answer.Count(), 1);
    }
    EXPECT_EQ(theDocApp.m_pMainWnd, frame);
    EXPECT_EQ(frame->GetActiveDocument(), doc);
    EXPECT_EQ(doc->GetTitle(), CString("文書"));
    EXPECT_TRUE(doc->GetPathName().IsEmpty());
    TearDown();

    // A frame that fails while it is made: one message, no window, nothing leaked.
    CSingleDocTemplate failing(IDR_DOCTEST, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CFailFrame),
                               RUNTIME_CLASS(CTestFormView));
    DWORD before = 0;
    for (int round = 0; round < 2; ++round) { // the first round fills the platform's caches
        before = VktGdiObjects();
        VktMsgBox answer({IDOK});
        EXPECT_EQ(failing.OpenDocumentFile(nullptr), nullptr);
        EXPECT_EQ(answer.Count(), 1);
        PumpPending();
    }
    EXPECT_EQ(VktGdiObjects(), before);
    EXPECT_EQ(theDocApp.m_pMainWnd, nullptr);
    EXPECT_EQ(::FindWindowA(nullptr, "アプリ"), nullptr);
    POSITION none = failing.GetFirstDocPosition();
    EXPECT_EQ(none, nullptr);
}

TEST_F(DocTest, ClosingAsksTheDocument)
{
    NewDocument();
    doc->m_bCanClose = FALSE;
    frame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(frame->m_hWnd));

    // A modified document asks; Cancel keeps it, No lets it go.
    doc->m_bCanClose = TRUE;
    doc->SetModifiedFlag();
    HWND hFrame = frame->m_hWnd;
    for (int button : {IDCANCEL, IDNO}) {
        VktMsgBox answer({button});
        theDocApp.m_pMainWnd = nullptr; // no quit message
        frame->SendMessage(WM_CLOSE);
        ASSERT_EQ(answer.Count(), 1);
        EXPECT_NE(answer.Seen()[0].text.find("文書"), std::string::npos);
        EXPECT_EQ(::IsWindow(hFrame) != FALSE, button == IDCANCEL);
    }
    EXPECT_EQ(CTestDoc::s_nLive, 0);
}

TEST_F(DocTest, ExitAndTheViewsCloseEndTheLoop)
{
    for (bool exitCommand : {true, false}) {
        SCOPED_TRACE(exitCommand ? "ID_APP_EXIT" : "the view's WM_CLOSE");
        NewDocument();
        HWND hFrame = frame->m_hWnd;
        if (exitCommand) frame->PostMessage(WM_COMMAND, ID_APP_EXIT);
        else view->PostMessage(WM_CLOSE);
        theDocApp.Run();
        EXPECT_FALSE(::IsWindow(hFrame));
        EXPECT_EQ(theDocApp.m_pMainWnd, nullptr);
        EXPECT_EQ(CTestDoc::s_nLive, 0);
        EXPECT_EQ(CTestFormView::s_nLive, 0);
    }
}

