// The file dialogs driven as a person would: names typed into the system dialog's name box, the
// program's controls set and clicked, OK or "閉じる" pressed, every message answered. The save
// dialog names a file of the chosen type, refuses what cannot be saved and leaves its choice in
// the settings; the open dialogs keep their folder, their options and whole names.
#include "TestVkaFil.h"
#include "CmnRes.h"
#include "DlgOpi.h"
#include "DlgOpn.h"
#include "DlgSav.h"
#include <memory>

namespace {

// A dialog whose own start fails.
class FailingOpn : public DlgOpn {
public:
    FailingOpn() : DlgOpn(TRUE) {}

protected:
    int InitOwn() override { return VKE_ERR_SYSTEM; }
};

} // namespace

class FilDlgTest : public OpnTest {
protected:
    void SetUp() override
    {
        OpnTest::SetUp();
        strcpy(theCmnAppInf.strCurDir, dir.Path().c_str());
        theAppInf.svi.iImgType = 1;
        theAppInf.svi.lQltJpg = 90;
        theAppInf.svi.bChkExt = 1;
        theAppInf.svi.bOrgSiz = 1;
        MakeBmp(dir / "own.bmp", 8, 8, RGB(255, 0, 0), RGB(0, 0, 255));
        page = Open(dir / "own.bmp");
        ASSERT_NE(page, nullptr);
    }

    // The save dialog for page from name; its answer, the caller's buffer after it.
    int Save(const char* name, DlgImg* owner = nullptr)
    {
        strcpy(buffer, name);
        DlgSav dialog(FALSE, nullptr, nullptr, DlgSav::kFlags, nullptr, main);
        dialog.m_ofn.lpstrFile = buffer;
        dialog.m_ofn.nMaxFile = sizeof(buffer);
        dialog.SetParam(owner ? owner : page);
        return static_cast<int>(dialog.DoModal());
    }

    DlgImg* page = nullptr;
    char buffer[CmnPathSize] = {};
};

TEST_F(FilDlgTest, TheSaveDialogNamesAFileOfTheChosenType)
{
    const struct {
        const char* start;
        const char* shown;
    } cases[] = {{"a.b.png", "a.b.jpg"}, {"*.*", "*.jpg"}, {"x.jpeg", "x.jpeg"}, {"C:\\elsewhere\\写真表.bmp", "写真表.jpg"}};
    for (const auto& c : cases) {
        std::string shown;
        auto seen = VktDrive([&] { EXPECT_EQ(Save(c.start), 2); }, {[&](HWND sys) { shown = WndText(NameBox(sys)); }},
                          {IDCANCEL});
        EXPECT_EQ(shown, c.shown) << c.start;
    }

    // PNG chosen: the name follows and the quality is disabled; JPEG again enables it.
    std::vector<std::string> names;
    std::vector<int> quality;
    auto seen = VktDrive([&] { Save("photo.jpg"); },
                      {[&](HWND sys) {
                          HWND edit = ::GetDlgItem(Part(sys), IDC_DLGSAV_QUALITY);
                          quality.push_back(::IsWindowEnabled(edit));
                          ChooseType(sys, 5);
                          names.push_back(WndText(NameBox(sys)));
                          quality.push_back(::IsWindowEnabled(edit));
                          ChooseType(sys, 1);
                          names.push_back(WndText(NameBox(sys)));
                          quality.push_back(::IsWindowEnabled(edit));
                      }},
                      {IDCANCEL});
    EXPECT_EQ(names, (std::vector<std::string>{"photo.png", "photo.jpg"}));
    EXPECT_EQ(quality, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(FilDlgTest, TheSaveDialogLeavesItsChoiceInTheSettingsAndNoFileBehind)
{
    const std::string target = dir / "表ソ.png";
    VktStep choose = [&](HWND sys) {
        Name("表ソ.png")(sys);
        ChooseType(sys, 5);
        Name("表ソ.png")(sys);
        HWND part = Part(sys);
        ::SetDlgItemTextA(part, IDC_DLGSAV_QUALITY, " 75 ");
        ::CheckRadioButton(part, IDC_DLGSAV_ORGSIZ, IDC_DLGSAV_SHWSIZ, IDC_DLGSAV_SHWSIZ);
    };
    auto seen = VktDrive([&] { EXPECT_EQ(Save("own.bmp"), 1); }, {choose}, {IDOK});
    ASSERT_EQ(seen.size(), 1u) << seen.back().text;
    EXPECT_EQ(std::string(buffer), target);
    EXPECT_FALSE(Exists(target)) << "the test of writing leaves nothing";
    Svi& svi = theAppInf.svi;
    EXPECT_EQ(Text(svi.amPathName), target);
    EXPECT_EQ(Text(svi.amSavDir), dir.Path());
    EXPECT_EQ(svi.iImgType, 5);
    EXPECT_EQ(svi.lQltJpg, 75);
    EXPECT_EQ(svi.bChkExt, 1);
    EXPECT_EQ(svi.bOrgSiz, 0);

    // The next dialog starts in that folder with those choices, wherever the current folder is.
    strcpy(theCmnAppInf.strCurDir, "C:\\");
    std::string folder, type, quality;
    int shown = -1;
    VktDrive([&] { Save("next.bmp"); },
          {[&](HWND sys) {
              char path[CmnPathSize] = {};
              ::SendMessageA(sys, CDM_GETFOLDERPATH, sizeof(path), reinterpret_cast<LPARAM>(path));
              folder = path;
              HWND part = Part(sys);
              type = std::to_string(::SendDlgItemMessageA(part, IDC_DLGSAV_TYPE, CB_GETCURSEL, 0, 0));
              quality = WndText(::GetDlgItem(part, IDC_DLGSAV_QUALITY));
              shown = ::IsDlgButtonChecked(part, IDC_DLGSAV_SHWSIZ);
          }},
          {IDCANCEL});
    EXPECT_EQ(folder, dir.Path());
    EXPECT_EQ(type, "4");
    EXPECT_EQ(quality, "75");
    EXPECT_EQ(shown, BST_CHECKED);
}

TEST_F(FilDlgTest, TheSaveDialogSavesInTheFolderTypedInTheNameBox)
{
    // The dialog shows a folder of its own; the names go elsewhere or into folders below it.
    const std::string shown = dir / "shown", other = dir / "other";
    for (const std::string& folder : {shown, other, shown + "\\sub", shown + "\\表"})
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    const struct {
        std::string typed;
        bool typeFirst; // PNG chosen before the name is typed, else after
        std::string box; // the name box once PNG is chosen
        std::string folder, name; // where it is saved
    } cases[] = {
        {other + "\\out.jpg", false, other + "\\out.png", other, "out.png"},
        {other + "\\表.png", true, other + "\\表.png", other, "表.png"},
        {"表.jpg", false, "表.png", shown, "表.png"},
        {"sub\\a.jpg", false, "sub\\a.png", shown + "\\sub", "a.png"},
        {"表\\ソ.jpg", false, "表\\ソ.png", shown + "\\表", "ソ.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        VkeSubSetAppMemStr(theCmnAppInf.pSub, &theAppInf.svi.amSavDir, shown.c_str());
        std::string start, box;
        auto seen = VktDrive([&] { EXPECT_EQ(Save("own.bmp"), 1); },
                             {[&](HWND sys) {
                                 char path[CmnPathSize] = {};
                                 ::SendMessageA(sys, CDM_GETFOLDERPATH, sizeof(path), reinterpret_cast<LPARAM>(path));
                                 start = path;
                                 if (c.typeFirst) ChooseType(sys, 5);
                                 Name(c.typed)(sys);
                                 if (!c.typeFirst) ChooseType(sys, 5);
                                 box = WndText(NameBox(sys));
                             }},
                             {IDOK});
        ASSERT_EQ(seen.size(), 1u) << seen.back().text;
        EXPECT_EQ(start, shown);
        EXPECT_EQ(box, c.box);
        const std::string saved = c.folder + "\\" + c.name;
        EXPECT_EQ(std::string(buffer), saved);
        EXPECT_EQ(Text(theAppInf.svi.amPathName), saved);
        EXPECT_EQ(Text(theAppInf.svi.amSavDir), c.folder);
        EXPECT_FALSE(Exists(saved));
    }
}

TEST_F(FilDlgTest, TheSaveDialogRefusesWhatCannotBeSavedAndStaysOpen)
{
    const std::string other = dir / "other.bmp", ro = dir / "ro.png";
    MakeBmp(other, 8, 8, RGB(0, 255, 0), RGB(0, 255, 0));
    ASSERT_NE(Open(other), nullptr);
    ASSERT_TRUE(VktWriteFile(ro, "old"));
    SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string mismatch = "指定した形式 (" + std::string(theVkaSubDat.GetFmtDes(5)) +
                                 ") と、ファイルの拡張子 (txt) が一致しません。\n\nこのまま保存しても、よろしいですか？";
    const struct {
        const char* what;
        std::string name;
        int type;
        const char* quality;
        std::vector<int> answers; // the messages' buttons, in order
        std::vector<std::string> texts;
    } cases[] = {
        {"quality above 100 for BMP", "q.bmp", 2, "101", {IDOK}, {Msg(IDS_VKA_BAD_QUALITY)}},
        {"negative quality", "q.jpg", 1, "-1", {IDOK}, {Msg(IDS_VKA_BAD_QUALITY)}},
        {"letters", "q.jpg", 1, "abc", {IDOK}, {Msg(IDS_VKA_BAD_QUALITY)}},
        {"full-width digits", "q.jpg", 1, "１０", {IDOK}, {Msg(IDS_VKA_BAD_QUALITY)}},
        {"another page's file", "other.bmp", 2, "90", {IDOK}, {MsgPath(IDS_VKA_SAVE_OPENED, other)}},
        {"overwrite declined", "ro.png", 5, "90", {IDNO}, {MsgPath(IDS_VKA_OVERWRITE, ro)}},
        {"a read-only file", "ro.png", 5, "90", {IDYES, IDOK}, {MsgPath(IDS_VKA_OVERWRITE, ro), MsgPath(IDS_VKA_CANNOT_WRITE, ro)}},
        {"extension declined", "q.txt", 5, "90", {IDNO}, {mismatch}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // The dialog, its messages, then the dialog again, still open, closed.
        std::vector<VktStep> steps = {[&](HWND sys) {
            ChooseType(sys, c.type);
            Name(c.name)(sys);
            ::SetDlgItemTextA(Part(sys), IDC_DLGSAV_QUALITY, c.quality);
        }};
        std::vector<int> buttons = {IDOK};
        for (int answer : c.answers) {
            steps.push_back(nullptr);
            buttons.push_back(answer);
        }
        buttons.push_back(IDCANCEL);
        auto seen = VktDrive([&] { EXPECT_EQ(Save("own.bmp"), 2); }, steps, buttons);
        ASSERT_EQ(seen.size(), c.texts.size() + 2);
        for (size_t i = 0; i < c.texts.size(); ++i) EXPECT_EQ(seen[i + 1].text, c.texts[i]);
        EXPECT_EQ(seen.back().hwnd, seen.front().hwnd) << "the same dialog stays open";
    }
    EXPECT_EQ(VktReadFile(ro), "old");
    EXPECT_FALSE(Exists(dir / "q.txt"));
    SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_NORMAL);

    // The owning page's own file is saved over after the question; the file stays as it was.
    const std::string own = dir / "own.bmp", before = VktReadFile(own);
    auto seen = VktDrive([&] { EXPECT_EQ(Save("x.bmp"), 1); }, {[](HWND sys) {
                                                                ChooseType(sys, 2);
                                                                Name("own.bmp")(sys);
                                                            }},
                      {IDOK, IDYES});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, MsgPath(IDS_VKA_OVERWRITE, own));
    EXPECT_EQ(VktReadFile(own), before);
}

TEST_F(FilDlgTest, TheSaveDialogNeedsItsPageAndAbortsABatchPrint)
{
    DlgSav lone;
    EXPECT_EQ(lone.DoModal(), 2);
    EXPECT_EQ(Traced("DoModal"), 1);
    EXPECT_EQ(lone.SetParam(nullptr), VKE_ERR_ARG);

    // Outside a batch print no abort button; during one it aborts the batch.
    int shown = -1;
    VktDrive([&] { Save("a.jpg"); }, {[&](HWND sys) { shown = ::IsWindowVisible(::GetDlgItem(Part(sys), IDC_DLGSAV_ABORT)); }},
          {IDCANCEL});
    EXPECT_EQ(shown, 0);
    app->SetFlgPrtAll(1);
    int aborted = 0;
    VktDrive([&] { EXPECT_EQ(Save("a.jpg"), 2); },
          {[&](HWND sys) {
              HWND abort = ::GetDlgItem(Part(sys), IDC_DLGSAV_ABORT);
              shown = ::IsWindowVisible(abort);
              ::SendMessageA(abort, BM_CLICK, 0, 0);
          }},
          {0});
    app->GetFlgPrtAbt(&aborted);
    app->SetFlgPrtAll(0);
    app->SetFlgPrtAbt(0);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(aborted, 1);
}

TEST_F(FilDlgTest, TheOpenDialogKeepsItsFolderAndWholeNames)
{
    for (const char* name : {"a.bmp", "bb.bmp", "ccc.bmp"}) ASSERT_TRUE(VktWriteFile(dir / name, "x"));
    theCmnAppInf.strOpnDir[0] = '\0';
    std::string cancel, readOnly;
    const std::string folder = dir.Path();
    // Room for the folder and two names, not the third.
    std::vector<char> names(folder.size() + 1 + 6 + 7 + 1 + 4, 'z');
    auto run = [&](int expect) {
        strcpy(names.data(), "*.*");
        DlgOpn dialog(TRUE, nullptr, nullptr, DlgOpn::kOpenFlags, nullptr, main);
        dialog.m_ofn.lpstrFile = names.data();
        dialog.m_ofn.nMaxFile = static_cast<DWORD>(names.size());
        EXPECT_EQ(dialog.DoModal(), expect);
    };
    VktDrive([&] { run(2); },
          {[&](HWND sys) {
              cancel = WndText(::GetDlgItem(sys, IDCANCEL));
              readOnly = std::to_string(::IsWindowVisible(::GetDlgItem(sys, chx1)));
          }},
          {IDCANCEL});
    EXPECT_EQ(cancel, "閉じる");
    EXPECT_EQ(readOnly, "0");
    EXPECT_STREQ(theCmnAppInf.strOpnDir, "") << "a cancel keeps no folder";

    VktDrive([&] { run(1); }, {Name("\"a.bmp\" \"bb.bmp\" \"ccc.bmp\"")}, {IDOK});
    EXPECT_EQ(VkaSelectedNames(names.data()), (std::vector<CString>{CString((dir / "a.bmp").c_str()), CString((dir / "bb.bmp").c_str())}));
    EXPECT_EQ(names[folder.size() + 1 + 6 + 7], '\0') << "two zero bytes end the list";
    EXPECT_EQ(std::string(theCmnAppInf.strOpnDir), folder);

    // A buffer too small for any whole path chooses nothing.
    names.assign(8, 'z');
    VktDrive([&] { run(2); }, {Name("a.bmp")}, {IDOK});
    EXPECT_EQ(Traced("DoModal"), 1);

    // A start that fails says so and chooses nothing.
    FailingOpn failing;
    auto seen = VktDrive([&] { EXPECT_EQ(failing.DoModal(), 2); }, {}, {IDOK});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, Msg(IDS_CMN_SYS_MEMORY));
}

TEST_F(FilDlgTest, TheOpenDialogInSaveModeAsksBeforeOverwriting)
{
    const std::string there = dir / "there.csv";
    ASSERT_TRUE(VktWriteFile(there, "keep"));
    std::vector<char> name(DlgOpn::kBufSize, '\0');
    auto run = [&](int expect) {
        DlgOpn dialog(FALSE, nullptr, nullptr, DlgOpn::kSaveFlags, nullptr, main);
        dialog.m_ofn.lpstrFile = name.data();
        dialog.m_ofn.nMaxFile = static_cast<DWORD>(name.size());
        dialog.m_ofn.lpstrInitialDir = dir.Path().c_str();
        EXPECT_EQ(dialog.DoModal(), expect);
    };
    auto seen = VktDrive([&] { run(1); }, {Name("there.csv"), nullptr, nullptr, nullptr}, {IDOK, IDNO, IDOK, IDYES});
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[1].text, MsgPath(IDS_VKA_OVERWRITE, there));
    EXPECT_EQ(seen[2].hwnd, seen[0].hwnd) << "No keeps the dialog open";
    EXPECT_EQ(std::string(name.data()), there);
    EXPECT_EQ(VktReadFile(there), "keep");
}

TEST_F(FilDlgTest, TheOpenInformationDialogOffersTheOptionsOfItsMode)
{
    Ooi& ooi = theAppInf.ooi;
    ooi.bOnlLcd = 1;
    ooi.bOpnLck = 0;
    ooi.bOpnApd = 1;
    ooi.bImgSel = 0;
    ooi.bCreBak = 1;
    std::vector<char> name(DlgOpi::kBufSize, '\0');
    std::string title;
    std::vector<int> enabled, checked;
    auto look = [&](HWND sys) {
        title = WndText(sys);
        enabled.clear();
        checked.clear();
        for (int id = IDC_DLGOPI_ONLLCD; id <= IDC_DLGOPI_CREBAK; ++id) {
            enabled.push_back(::IsWindowEnabled(::GetDlgItem(Part(sys), id)));
            checked.push_back(::IsDlgButtonChecked(Part(sys), id));
        }
    };
    auto run = [&](bool open, int expect) {
        DlgOpi dialog(open, nullptr, nullptr, open ? DlgOpi::kOpenFlags : DlgOpi::kSaveFlags, nullptr, main);
        dialog.m_ofn.lpstrFile = name.data();
        dialog.m_ofn.nMaxFile = static_cast<DWORD>(name.size());
        dialog.m_ofn.lpstrInitialDir = dir.Path().c_str();
        EXPECT_EQ(dialog.DoModal(), expect);
    };

    // Reading: only-locked and open-locked; OK stores them and leaves the others.
    ASSERT_TRUE(VktWriteFile(dir / "pages.csv", "x"));
    VktDrive([&] { run(true, 1); },
          {[&](HWND sys) {
              look(sys);
              ::CheckDlgButton(Part(sys), IDC_DLGOPI_ONLLCD, BST_UNCHECKED);
              ::CheckDlgButton(Part(sys), IDC_DLGOPI_OPNLCK, BST_CHECKED);
              Name("pages.csv")(sys);
          }},
          {IDOK});
    EXPECT_EQ(title, "オープン情報を読み込む");
    EXPECT_EQ(enabled, (std::vector<int>{1, 1, 0, 0, 0}));
    EXPECT_EQ(checked, (std::vector<int>{1, 0, 1, 0, 1}));
    EXPECT_EQ(std::vector<int>({ooi.bOnlLcd, ooi.bOpnLck, ooi.bOpnApd, ooi.bImgSel, ooi.bCreBak}),
              (std::vector<int>{0, 1, 1, 0, 1}));

    // Writing: a name without an extension is a csv file; the write options are stored.
    VktDrive([&] { run(false, 1); },
          {[&](HWND sys) {
              look(sys);
              ::CheckDlgButton(Part(sys), IDC_DLGOPI_IMGSEL, BST_CHECKED);
              Name("旅行表")(sys);
          }},
          {IDOK});
    EXPECT_EQ(title, "オープン情報を書き込む");
    EXPECT_EQ(enabled, (std::vector<int>{1, 0, 1, 1, 1}));
    EXPECT_EQ(std::string(name.data()), dir / "旅行表.csv");
    EXPECT_EQ(ooi.bImgSel, 1);
    EXPECT_FALSE(Exists(dir / "旅行表.csv")) << "the dialog writes nothing";
}

// The focused window's selection (bytes or characters, as the box counts) and text.
static std::pair<DWORD, DWORD> FocusSelection()
{
    DWORD from = 0, to = 0;
    ::SendMessageA(::GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    return {from, to};
}

TEST_F(FilDlgTest, TheNameBoxOpensWithItsBaseNameSelected)
{
    // Save and write an open-information file: the name box has the focus and its base name
    // selected once the dialog shows, so typing replaces the name and keeps the extension.
    const struct {
        bool save; // the save dialog, else the open-information dialog's writing
        const char* start;
        DWORD end; // the selection's end (ASCII names: bytes and characters agree)
        const char* shown;
    } cases[] = {{true, "own.bmp", 3, "own.jpg"}, {true, "photo.b.jpg", 7, "photo.b.jpg"}, {false, "pages.csv", 5, "pages.csv"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        std::pair<DWORD, DWORD> sel;
        std::string focused, text;
        VktStep look = [&](HWND) {
            Pump();
            sel = FocusSelection();
            text = WndText(::GetFocus());
            focused = std::to_string(::GetDlgCtrlID(::GetFocus()));
        };
        if (c.save) {
            VktDrive([&] { Save(c.start); }, {look}, {IDCANCEL});
        } else {
            std::vector<char> name(DlgOpi::kBufSize, '\0');
            strcpy(name.data(), c.start);
            DlgOpi dialog(FALSE, nullptr, nullptr, DlgOpi::kSaveFlags, nullptr, main);
            dialog.m_ofn.lpstrFile = name.data();
            dialog.m_ofn.nMaxFile = static_cast<DWORD>(name.size());
            dialog.m_ofn.lpstrInitialDir = dir.Path().c_str();
            VktDrive([&] { dialog.DoModal(); }, {look}, {IDCANCEL});
        }
        EXPECT_EQ(text, c.shown);
        EXPECT_TRUE(focused == std::to_string(edt1) || focused == std::to_string(cmb13)) << focused;
        EXPECT_EQ(sel, std::make_pair(DWORD{0}, c.end));
    }
    EXPECT_EQ(Traced("SetSelFilNam"), 0) << "nothing traced in normal use";
}

TEST_F(FilDlgTest, ANameTooLongIsRefusedAndTheDialogGoesOn)
{
    // The folder shown and the name may make 259 bytes; beyond that every file dialog says so and
    // stays open (the system dialog is never given the name), then closes as usual.
    const int room = VKE_PATH_MAX - static_cast<int>(dir.Path().size()) - 1; // the name's bytes
    const std::string tooLong = Msg(IDS_VKA_PATH_LONG);
    auto named = [](int length, const char* ext) { return std::string(length - strlen(ext), 'a') + ext; };
    std::vector<char> names(DlgOpn::kBufSize, '\0');
    enum Kind { Sav, Opn, OpnSave, OpiRead, OpiWrite };
    auto run = [&](Kind kind) {
        if (kind == Sav) return Save("own.bmp");
        names.assign(names.size(), '\0');
        const bool open = kind == Opn || kind == OpiRead;
        const DWORD flags = open ? DlgOpn::kOpenFlags : DlgOpn::kSaveFlags;
        std::unique_ptr<DlgFil> dialog;
        if (kind == Opn || kind == OpnSave) dialog.reset(new DlgOpn(open, nullptr, nullptr, flags, nullptr, main));
        else dialog.reset(new DlgOpi(open, nullptr, nullptr, flags, nullptr, main));
        dialog->m_ofn.lpstrFile = names.data();
        dialog->m_ofn.nMaxFile = static_cast<DWORD>(names.size());
        dialog->m_ofn.lpstrInitialDir = dir.Path().c_str();
        return static_cast<int>(dialog->DoModal());
    };
    for (Kind kind : {Sav, Opn, OpnSave, OpiRead, OpiWrite}) {
        for (int length : {250, 260, 300, 1000, room + 1}) {
            SCOPED_TRACE(std::to_string(kind) + ": " + std::to_string(length));
            const std::string name = named(length, kind == Sav ? ".jpg" : ".csv");
            std::string after;
            VktStep type = [&](HWND sys) {
                Name(name)(sys);
                if (kind == Sav) ChooseType(sys, 5); // the name too long stays as typed
            };
            auto seen = VktDrive([&] { EXPECT_EQ(run(kind), 2); },
                                 {type, nullptr, [&](HWND sys) { after = WndText(NameBox(sys)); }},
                                 {IDOK, IDOK, IDCANCEL});
            ASSERT_EQ(seen.size(), 3u);
            EXPECT_EQ(seen[1].text, tooLong);
            EXPECT_EQ(seen[2].hwnd, seen[0].hwnd) << "the same dialog stays open";
            EXPECT_EQ(after, name) << "the name stays as typed";
        }
    }
    // A list of names in the open dialog: one too long refuses them all.
    auto seen = VktDrive([&] { EXPECT_EQ(run(Opn), 2); }, {Name("\"a.bmp\" \"" + named(300, ".bmp") + "\""), nullptr, nullptr},
                         {IDOK, IDOK, IDCANCEL});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].text, tooLong);

    // The longest name that fits is saved; written without its extension, the open-information
    // file's ".csv" would pass the length, which is refused too.
    const std::string longest = named(room, ".jpg");
    seen = VktDrive([&] { EXPECT_EQ(Save("own.bmp"), 1); }, {Name(longest)}, {IDOK});
    ASSERT_EQ(seen.size(), 1u) << seen.back().text;
    EXPECT_EQ(std::string(buffer), dir / longest);
    seen = VktDrive([&] { EXPECT_EQ(run(OpiWrite), 2); }, {Name(std::string(room - 2, 'c')), nullptr, nullptr},
                    {IDOK, IDOK, IDCANCEL});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].text, tooLong);
    EXPECT_EQ(Traced("SetPathName") + Traced("OnFileNameOK") + Traced("DoModal") + Traced("OnSelChangeCmbSavTyp"), 0)
        << "the user was told";
}
