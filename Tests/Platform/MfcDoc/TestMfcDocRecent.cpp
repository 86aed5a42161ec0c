// The recent-file list: newest first, at most its size, repeats (letter case aside) moved up;
// the menu's placeholder replaced by numbered items; written at exit and read back by a new
// application; damaged profiles; an entry that no longer opens.
#include "TestMfcDocApp.h"
#include "VktMsgBox.h"
#include <stdlib.h>
#include <string.h>
#include <vector>

class DocRecentTest : public DocTest {
protected:
    CRecentFileList& List() { return *theDocApp.m_pRecentFileList; }
    std::vector<std::string> Entries()
    {
        std::vector<std::string> names;
        for (int i = 0; i < List().GetSize() && !List()[i].IsEmpty(); ++i) names.emplace_back(List()[i]);
        return names;
    }
    std::string Ini(const char* entry)
    {
        char value[1024] = {};
        ::GetPrivateProfileStringA("Recent File List", entry, "", value, sizeof(value), (dir / "DocTest.ini").c_str());
        return value;
    }
    // The file popup of a frame's menu, updated as it opens.
    CMenu* OpenFileMenu()
    {
        CMenu* pFile = CMenu::FromHandle(::GetSubMenu(::GetMenu(frame->m_hWnd), 0));
        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pFile->m_hMenu), 0);
        return pFile;
    }
    static std::string Item(CMenu* pMenu, int pos)
    {
        CString text;
        pMenu->GetMenuString(static_cast<UINT>(pos), text, MF_BYPOSITION);
        return static_cast<LPCSTR>(text);
    }
};

// Reads the profile of the test with an application object of its own, as the next run does.
struct NextRun : CWinApp {
    explicit NextRun(const std::string& ini) : CWinApp("DocTest")
    {
        m_pszProfileName = _strdup(ini.c_str());
        LoadStdProfileSettings(10);
    }
    ~NextRun() override { AfxGetModuleState()->pApp = &theDocApp; } // the test's application again
};

TEST_F(DocRecentTest, NewestFirstAndTheMenu)
{
    char path[64];
    for (int i = 1; i <= 12; ++i) {
        snprintf(path, sizeof(path), "C:\\mru\\f%02d.jpg", i);
        theDocApp.AddToRecentFileList(path);
    }
    EXPECT_EQ(List().GetSize(), 10);
    std::vector<std::string> names = Entries();
    ASSERT_EQ(names.size(), 10u);
    EXPECT_EQ(names.front(), "C:\\mru\\f12.jpg");
    EXPECT_EQ(names.back(), "C:\\mru\\f03.jpg");
    theDocApp.AddToRecentFileList("c:\\MRU\\F05.JPG"); // a repeat moves up, spelled as given
    names = Entries();
    EXPECT_EQ(names.size(), 10u);
    EXPECT_EQ(names[0], "c:\\MRU\\F05.JPG");
    EXPECT_EQ(names[1], "C:\\mru\\f12.jpg");
    EXPECT_EQ(names[8], "C:\\mru\\f04.jpg");
    EXPECT_EQ(names[9], "C:\\mru\\f03.jpg");
    theDocApp.AddToRecentFileList("C:\\mru\\a&b.jpg");

    NewDocument();
    CMenu* pFile = OpenFileMenu();
    EXPECT_EQ(pFile->GetMenuItemCount(), 7u + 9u);
    EXPECT_EQ(Item(pFile, 3), "&1 C:\\mru\\a&&b.jpg");
    EXPECT_EQ(Item(pFile, 4), "&2 c:\\MRU\\F05.JPG");
    EXPECT_EQ(Item(pFile, 12), "&0 C:\\mru\\f04.jpg");
    EXPECT_EQ(pFile->GetMenuItemID(12), static_cast<UINT>(ID_FILE_MRU_FILE1 + 9));
    EXPECT_EQ(Item(pFile, 14), "終了(&X)");
    // The walk went on past the new items: the last item has no handler.
    EXPECT_TRUE(pFile->GetMenuState(ID_ROUTE_NONE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(pFile->GetMenuState(ID_FILE_MRU_FILE1 + 9, MF_BYCOMMAND) & MF_GRAYED);

    // Opening the menu again gives the same items; an empty list brings the placeholder back.
    OpenFileMenu();
    EXPECT_EQ(pFile->GetMenuItemCount(), 16u);
    while (!List()[0].IsEmpty()) List().Remove(0);
    OpenFileMenu();
    EXPECT_EQ(pFile->GetMenuItemCount(), 7u);
    EXPECT_EQ(Item(pFile, 3), "最近使ったファイル");
    EXPECT_TRUE(pFile->GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(pFile->GetMenuState(ID_APP_EXIT, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(DocRecentTest, WrittenAtExitAndReadByTheNextRun)
{
    const char* japanese[] = {"C:\\表示\\ソ能.jpg", "C:\\ポ\\ポ.png"}; // trail bytes 0x5C and 0x7C
    theDocApp.AddToRecentFileList("C:\\mru\\one.jpg");
    for (const char* name : japanese) theDocApp.AddToRecentFileList(name);
    std::string longName = "C:\\" + std::string(300, 'a') + "\\表.jpg";
    theDocApp.AddToRecentFileList(longName.c_str());
    theDocApp.ExitInstance();
    EXPECT_EQ(Ini("File1"), longName);
    EXPECT_EQ(Ini("File2"), japanese[1]);
    EXPECT_EQ(Ini("File4"), "C:\\mru\\one.jpg");
    {
        NextRun next(dir / "DocTest.ini");
        ASSERT_NE(next.m_pRecentFileList, nullptr);
        CRecentFileList& list = *next.m_pRecentFileList;
        EXPECT_EQ(std::string(list[0]), longName);
        EXPECT_EQ(std::string(list[1]), japanese[1]);
        EXPECT_EQ(std::string(list[2]), japanese[0]);
        EXPECT_TRUE(list[4].IsEmpty());
        // Long names are shortened by characters for the menu.
        EXPECT_EQ(std::string(list.GetDisplayName(0)), "C:\\...\\表.jpg");
        EXPECT_EQ(std::string(list.GetDisplayName(2)), japanese[0]);
        // A removed entry leaves the profile.
        list.Remove(1);
        next.ExitInstance();
    }
    EXPECT_EQ(AfxGetApp(), &theDocApp);
    EXPECT_EQ(Ini("File2"), japanese[0]);
    EXPECT_EQ(Ini("File3"), "C:\\mru\\one.jpg");
    EXPECT_EQ(Ini("File4"), "");
}

TEST_F(DocRecentTest, DamagedProfiles)
{
    // Holes, a repeat in another case, blanks, and more entries than the list holds.
    std::string ini = "[Recent File List]\r\nFile1=C:\\a\\1.jpg\r\nFile3=C:\\a\\3.jpg\r\nFile4=c:\\A\\1.JPG\r\n"
                      "File5=   \r\nFile6=C:\\表\\6.jpg\r\nFile10=C:\\a\\10.jpg\r\nFile11=C:\\a\\11.jpg\r\n"
                      "File12=C:\\a\\12.jpg\r\n";
    ASSERT_TRUE(VktWriteFile(dir / "DocTest.ini", ini));
    theDocApp.LoadStdProfileSettings(10);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\a\\1.jpg", "C:\\a\\3.jpg", "C:\\表\\6.jpg", "C:\\a\\10.jpg"}));
    theDocApp.ExitInstance();
    EXPECT_EQ(Ini("File2"), "C:\\a\\3.jpg");
    EXPECT_EQ(Ini("File4"), "C:\\a\\10.jpg");
    EXPECT_EQ(Ini("File5"), "");
    EXPECT_EQ(Ini("File11"), "");
}

TEST_F(DocRecentTest, AnEntryThatNoLongerOpensLeavesTheList)
{
    std::string kept = dir / "有る.jpg", gone = dir / "無い.jpg";
    ASSERT_TRUE(VktWriteFile(kept, "x"));
    theDocApp.AddToRecentFileList(kept.c_str());
    theDocApp.AddToRecentFileList(gone.c_str());
    NewDocument();
    {
        VktMsgBox answer({IDOK});
        frame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1);
        EXPECT_EQ(answer.Count(), 1);
    }
    EXPECT_EQ(Entries(), std::vector<std::string>{kept});
    frame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1);
    EXPECT_EQ(doc->GetPathName(), CString(kept.c_str()));
    EXPECT_EQ(Entries(), std::vector<std::string>{kept});
}
