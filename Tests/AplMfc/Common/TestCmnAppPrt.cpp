// The printer set-up against the test bed's default printer, the CUPS queue "PDF": the printer
// files of the work folder, damaged ones, the current pair and the orientation.
#include "TestAplCmn.h"
#include <commdlg.h>
#include <functional>

namespace {

std::string Bytes(HGLOBAL h)
{
    std::string bytes;
    if (!h) return bytes;
    const char* p = static_cast<const char*>(GlobalLock(h));
    if (p) bytes.assign(p, GlobalSize(h));
    GlobalUnlock(h);
    return bytes;
}

std::string DeviceName(HGLOBAL names)
{
    std::string bytes = Bytes(names);
    if (bytes.size() < sizeof(DEVNAMES)) return "";
    const DEVNAMES* dn = reinterpret_cast<const DEVNAMES*>(bytes.data());
    return bytes.c_str() + dn->wDeviceOffset;
}

// A device-names block for the three names.
std::string DevNames(const char* driver, const char* device, const char* port)
{
    DEVNAMES dn = {};
    std::string names = std::string(driver) + '\0' + device + '\0' + port + '\0';
    dn.wDriverOffset = sizeof(DEVNAMES);
    dn.wDeviceOffset = static_cast<WORD>(dn.wDriverOffset + strlen(driver) + 1);
    dn.wOutputOffset = static_cast<WORD>(dn.wDeviceOffset + strlen(device) + 1);
    return std::string(reinterpret_cast<const char*>(&dn), sizeof(dn)) + names;
}

HGLOBAL Block(const std::string& bytes)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    return h;
}

} // namespace

class PrinterTest : public AppTest {
protected:
    // Started with margins already set, unless margins is null.
    void StartWith(const RECT* margins)
    {
        if (margins) theCmnAppInf.rctPrintMargin = *margins;
        ASSERT_EQ(Start(), 0);
        ASSERT_EQ(app->InitPrinter(), 0);
    }
    std::string NamesFile() const { return Sys("Vkt\\Pictavo.dvn"); }
    std::string ModeFile() const { return Sys("Vkt\\Pictavo.dvm"); }
    int Orientation()
    {
        int orient = -1;
        EXPECT_EQ(app->GetPrtOrient(&orient), 0);
        return orient;
    }
    const RECT kMargins = {1000, 1500, 2000, 2500};
};

TEST_F(PrinterTest, WithoutFilesTheDefaultPrinterAndMarginsNotSetBecomeZero)
{
    const RECT unset = {-1, -1, -1, -1};
    StartWith(&unset);
    EXPECT_EQ(DeviceName(app->DevNames()), "PDF");
    const RECT& m = theCmnAppInf.rctPrintMargin;
    EXPECT_TRUE(m.left == 0 && m.top == 0 && m.right == 0 && m.bottom == 0);
    int same = -2;
    ASSERT_EQ(VkeSysCmpHGlobal(theCmnAppInf.pSys, app->DevNames(), app->EngineNames(), &same), 0);
    EXPECT_EQ(same, 0);
    ASSERT_EQ(VkeSysCmpHGlobal(theCmnAppInf.pSys, app->DevMode(), app->EngineMode(), &same), 0);
    EXPECT_EQ(same, 0);
    EXPECT_EQ(Orientation(), 0);

    // The end writes the framework's two blocks as they are.
    std::string names = Bytes(app->DevNames()), mode = Bytes(app->DevMode());
    app->Term();
    EXPECT_EQ(VktReadFile(NamesFile()), names);
    EXPECT_EQ(VktReadFile(ModeFile()), mode);
}

TEST_F(PrinterTest, TheFilesSelectTheirPrinterAgainWithItsOrientation)
{
    StartWith(&kMargins);
    ASSERT_EQ(app->SetPrtOrient(1), 0);
    EXPECT_EQ(Orientation(), 1);
    EXPECT_EQ(app->SetPrtOrient(2), -9);
    std::string names = Bytes(app->DevNames()), mode = Bytes(app->DevMode());

    Restart();
    StartWith(&kMargins);
    EXPECT_EQ(Bytes(app->DevNames()), names);
    EXPECT_EQ(Bytes(app->DevMode()), mode);
    EXPECT_EQ(Orientation(), 1);
    EXPECT_NE(app->PrinterDC(), nullptr) << "a printer from the files gets its DC";
    const RECT& m = theCmnAppInf.rctPrintMargin;
    EXPECT_TRUE(EqualRect(&m, &kMargins)) << "margins already set stay";
}

// A set-up read when first needed: whichever use comes first finds the printer of the files
// (landscape), not the default one.
TEST_F(PrinterTest, ADeferredSetUpIsReadByItsFirstUse)
{
    StartWith(&kMargins);
    ASSERT_EQ(app->SetPrtOrient(1), 0);
    const std::string names = Bytes(app->DevNames()), mode = Bytes(app->DevMode());
    HGLOBAL h1 = nullptr, h2 = nullptr;
    HDC dc = nullptr;
    int orient = 0;
    PRINTDLGA pd = {};
    const struct {
        const char* what;
        std::function<void()> use;
    } uses[] = {
        {"the current pair", [&] { app->GetPrtInf(&h1, &h2); }},
        {"the orientation", [&] { app->GetPrtOrient(&orient); }},
        {"the printer DC", [&] { app->GetPrtHDC(&dc); }},
        {"a print's defaults", [&] { app->GetPrinterDeviceDefaults(&pd); }},
        {"the start's end", [&] { app->NeedPrinter(); }},
    };
    for (const auto& u : uses) {
        SCOPED_TRACE(u.what);
        Restart(); // the end wrote the landscape printer's files
        ASSERT_EQ(Start(), 0);
        app->DeferPrinter();
        EXPECT_EQ(app->DevNames(), nullptr) << "nothing read yet";
        u.use();
        EXPECT_EQ(Bytes(app->DevNames()), names);
        EXPECT_EQ(Bytes(app->DevMode()), mode);
        EXPECT_NE(app->PrinterDC(), nullptr);
        EXPECT_EQ(Orientation(), 1);
    }
}

TEST_F(PrinterTest, MissingOrDamagedFilesGiveTheDefaultPrinter)
{
    StartWith(&kMargins);
    ASSERT_EQ(app->SetPrtOrient(1), 0);
    const std::string names = Bytes(app->DevNames()), mode = Bytes(app->DevMode());
    std::string random(600, '\0');
    unsigned seed = 12345;
    for (char& c : random) c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
    const struct {
        const char* what;
        std::string names, mode;
        bool writeNames;
    } cases[] = {
        {"no names file", "", mode, false},
        {"empty files", "", "", true},
        {"truncated names", names.substr(0, sizeof(DEVNAMES) + 4), mode, true},
        {"truncated mode", names, mode.substr(0, 100), true},
        {"random bytes", random, random.substr(0, 300), true},
        {"a lost printer", DevNames("winspool", "Lost", "LPT9:"), mode, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Restart(); // the end wrote the files of the printer then selected
        DeleteFileA(NamesFile().c_str());
        if (c.writeNames) {
            ASSERT_TRUE(VktWriteFile(NamesFile(), c.names));
        }
        ASSERT_TRUE(VktWriteFile(ModeFile(), c.mode));
        StartWith(&kMargins);
        EXPECT_EQ(DeviceName(app->DevNames()), "PDF");
        EXPECT_EQ(Orientation(), 0) << "the default printer, not the landscape one of the files";
    }
}

TEST_F(PrinterTest, APairThatWasTheCurrentPrinterStaysCurrent)
{
    StartWith(&kMargins);
    // A copy of the current printer in a pair of the caller's own.
    HGLOBAL names = nullptr, mode = nullptr;
    ASSERT_EQ(app->SetPrtInf(&names, &mode, app->DevNames(), app->DevMode()), 0);
    EXPECT_NE(names, app->DevNames());
    EXPECT_EQ(Bytes(names), Bytes(app->DevNames()));
    // The current pair made a copy of another printer of another size: the block is new, and the
    // framework holds the new one.
    HGLOBAL current = app->DevNames(), currentMode = app->DevMode();
    HGLOBAL other = Block(DevNames("winspool", "表示プリンタ", "LPT9:"));
    ASSERT_EQ(app->SetPrtInf(&current, &currentMode, other, app->DevMode()), 0);
    HGLOBAL gotNames = nullptr, gotMode = nullptr;
    ASSERT_EQ(app->GetPrtInf(&gotNames, &gotMode), 0);
    EXPECT_EQ(gotNames, current);
    EXPECT_EQ(DeviceName(gotNames), "表示プリンタ");
    EXPECT_EQ(app->SetPrtInf(nullptr, &mode, other, nullptr), -9);
    GlobalFree(other);
    VkeSysPrintFreeHandle(theCmnAppInf.pSys, &names, &mode);
}
