// Path normalisation, the parts of a path, existence and kind tests, module and temporary names,
// protected places.
#include "VktSupport.h"
#include "VkiSub.h" // read the trace count
#include <set>
#include <thread>

namespace {

// Runs with the current directory set to a folder, and puts the old one back.
class CurrentDir {
public:
    explicit CurrentDir(const std::string& dir)
    {
        GetCurrentDirectoryA(sizeof(m_old), m_old);
        SetCurrentDirectoryA(dir.c_str());
    }
    ~CurrentDir() { SetCurrentDirectoryA(m_old); }

private:
    char m_old[MAX_PATH] = {};
};

class Path : public VktSubFixture {
protected:
    void SetUp() override
    {
        VktSubFixture::SetUp();
        char buf[1024] = {};
        ASSERT_EQ(VkeSubGetPathName(sub, buf, dir.Path().c_str(), sizeof(buf)), 0);
        root = buf;
        ASSERT_TRUE(CreateDirectoryA((root + "\\表").c_str(), nullptr));
        ASSERT_TRUE(VktWriteFile(root + "\\表\\ソ.能", "abc"));
        ASSERT_TRUE(VktWriteFile(root + "\\file.txt", std::string(1234, 'x')));
    }
    std::string Norm(const std::string& path, int* rc = nullptr)
    {
        char buf[1024] = "junk";
        int r = VkeSubGetPathName(sub, buf, path.c_str(), sizeof(buf));
        if (rc) *rc = r;
        return buf;
    }

    VktTempDir dir;
    std::string root; // the temporary folder, normalised
};

} // namespace

TEST_F(Path, NormalisedForms)
{
    CurrentDir cd(root);
    std::string parent = root.substr(0, root.find_last_of('\\'));
    struct {
        std::string path, want;
    } cases[] = {
        {root, root},
        {root + "\\", root},
        {"  " + root + "/  ", root},
        {"\t" + root + "\r\n", root},
        {"C:\\", "C:"},
        {" C:/ ", "C:"},
        {"c:", "c:"},
        {"\\\\", "\\\\"},
        {"\\", root.substr(0, 2)}, // the root of the current drive
        {"/", root.substr(0, 2)},
        {"\\\\\\", "\\\\"},
        {".", root},
        {"..", parent},
        {"sub", root + "\\sub"},
        {"sub/x/", root + "\\sub\\x"},
        {"a\\..\\b", root + "\\b"},
        {"file.txt", root + "\\file.txt"},
        {"表", root + "\\表"},
        {"表\\", root + "\\表"},
        {"表/ソ.能", root + "\\表\\ソ.能"},
        {root + "\\表\\new ポ", root + "\\表\\new ポ"},
        {"\\\\server\\share\\dir\\", "\\\\server\\share\\dir"},
    };
    for (const auto& c : cases) {
        int rc = -99;
        EXPECT_EQ(Norm(c.path, &rc), c.want) << c.path;
        EXPECT_EQ(rc, 0) << c.path;
    }
}

TEST_F(Path, ShortNamesBecomeLong)
{
    std::string longDir = root + "\\A Long Folder Name";
    ASSERT_TRUE(CreateDirectoryA(longDir.c_str(), nullptr));
    char shortDir[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(longDir.c_str(), shortDir, sizeof(shortDir)), 0u);
    EXPECT_EQ(Norm(shortDir), longDir);
    // A name not there yet keeps its spelling after the long folder.
    EXPECT_EQ(Norm(std::string(shortDir) + "\\NEW~1.TXT"), longDir + "\\NEW~1.TXT");
}

TEST_F(Path, EverySpellingGivesThePlatformsLongFormAlsoWhenAskedAgain)
{
    // A Japanese name in a long folder, and a name a long-name question may give other capitals.
    std::string folder = root + "\\A Long Folder 写真";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    std::vector<std::string> spellings;
    for (const std::string& file : {folder + "\\ソ表 Photo.jpg", folder + "\\Mixed.Jpg"}) {
        ASSERT_TRUE(VktWriteFile(file, "x"));
        for (const std::string& s : VktPathSpellings(file)) spellings.push_back(s);
        spellings.push_back(VktPathSpellings(file)[1] + "\\..\\new ポ.jpg"); // a name not there yet
    }
    // From the second round on the engine has given each of these answers a moment before.
    for (int round = 0; round < 3; ++round)
        for (const std::string& s : spellings) EXPECT_EQ(Norm(s), VktLongFullPath(s)) << s << ", round " << round;
}

TEST_F(Path, TheEnginesOwnMovesAreSeenAtOnce)
{
    // A folder moved away and another one, in capitals, moved into its place.
    std::string old = root + "\\x\\Photo\\a.jpg";
    ASSERT_TRUE(CreateDirectoryA((root + "\\x").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((root + "\\x\\Photo").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((root + "\\PHOTO").c_str(), nullptr));
    ASSERT_TRUE(VktWriteFile(old, "x"));
    ASSERT_TRUE(VktWriteFile(root + "\\PHOTO\\a.jpg", "y"));
    ASSERT_EQ(Norm(old), VktLongFullPath(old));
    ASSERT_EQ(VkeSubMoveDir(sub, (root + "\\gone").c_str(), (root + "\\x\\Photo").c_str(), 0, 1, nullptr), 0);
    ASSERT_EQ(VkeSubMoveDir(sub, (root + "\\x\\PHOTO").c_str(), (root + "\\PHOTO").c_str(), 0, 1, nullptr), 0);
    EXPECT_EQ(Norm(old), VktLongFullPath(old));
}

TEST_F(Path, BadInput)
{
    char buf[1024] = "junk";
    EXPECT_EQ(VkeSubGetPathName(sub, buf, "", sizeof(buf)), -12);
    EXPECT_STREQ(buf, "");
    strcpy(buf, "junk");
    EXPECT_EQ(VkeSubGetPathName(sub, buf, " \t\r\n\x1A ", sizeof(buf)), -12);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(VkeSubGetPathName(sub, nullptr, "a", 10), -9);
    EXPECT_EQ(VkeSubGetPathName(sub, buf, nullptr, 10), -9);
    EXPECT_EQ(VkeSubGetPathName(sub, buf, "a", 0), -9);
    EXPECT_EQ(VkeSubGetPathName(nullptr, buf, "a", 10), -9);
    // Longer than a path may be, also when the input is longer than the work area.
    EXPECT_EQ(VkeSubGetPathName(sub, buf, (root + "\\" + std::string(300, 'a')).c_str(), sizeof(buf)), -9);
    EXPECT_EQ(VkeSubGetPathName(sub, buf, (root + "\\" + std::string(5000, 'a')).c_str(), sizeof(buf)), -9);
    VkiSub* raw = nullptr;
    ASSERT_EQ(VkeSubAlloc(&raw), 0);
    EXPECT_EQ(VkeSubGetPathName(raw, buf, "a", sizeof(buf)), -6);
    VkeSubFree(&raw);
}

TEST_F(Path, FailuresAreTraced)
{
    char buf[16];
    int before = Traced();
    EXPECT_EQ(VkeSubGetPathName(sub, buf, "", sizeof(buf)), -12);
    EXPECT_EQ(Traced(), before + 1);
    EXPECT_EQ(LastTraced(), std::string("VkeSubGetPathName"));
    EXPECT_EQ(VkeSubGetFileName(sub, buf, "C:", sizeof(buf)), -12);
    EXPECT_EQ(Traced(), before + 2);
    // -12 is expected of the field count and goes back untraced.
    int fields = 0;
    char sep[4] = "";
    EXPECT_EQ(VkeSubGetFldInfo(sub, "", sep, sizeof(sep), &fields), -12);
    EXPECT_EQ(Traced(), before + 2);
}

TEST_F(Path, ResultCutToTheBuffer)
{
    std::string want = root + "\\表";
    int len = static_cast<int>(want.size());
    char buf[1024];
    memset(buf, 'Z', sizeof(buf));
    EXPECT_EQ(VkeSubGetPathName(sub, buf, want.c_str(), len + 1), 0);
    EXPECT_EQ(std::string(buf), want);
    memset(buf, 'Z', sizeof(buf));
    // One byte short: the double-byte character does not fit whole and goes.
    EXPECT_EQ(VkeSubGetPathName(sub, buf, want.c_str(), len), -13);
    EXPECT_EQ(std::string(buf), root + "\\");
    EXPECT_EQ(buf[len], 'Z');
    EXPECT_EQ(VkeSubGetPathName(sub, buf, want.c_str(), 1), -13);
    EXPECT_STREQ(buf, "");
}

TEST_F(Path, SameBufferInAndOut)
{
    char buf[1024];
    snprintf(buf, sizeof(buf), "  %s/表/  ", root.c_str());
    EXPECT_EQ(VkeSubGetPathName(sub, buf, buf, sizeof(buf)), 0);
    EXPECT_EQ(std::string(buf), root + "\\表");
}

TEST_F(Path, Parts)
{
    struct {
        std::string path;
        int nameRc;
        std::string name, base, ext;
        int dirRc;
        std::string dir;
    } cases[] = {
        {root + "\\a.txt", 0, "a.txt", "a", "txt", 0, root},
        {root + "\\a.b.c", 0, "a.b.c", "a.b", "c", 0, root},
        {root + "\\noext", 0, "noext", "noext", "", 0, root},
        {root + "\\.hidden", 0, ".hidden", "", "hidden", 0, root},
        {root + "\\dir.x\\file", 0, "file", "file", "", 0, root + "\\dir.x"},
        {root + "\\表", 0, "表", "表", "", 0, root},
        {root + "\\表\\ソ.能", 0, "ソ.能", "ソ", "能", 0, root + "\\表"},
        {root + "\\ポ表.表ポ", 0, "ポ表.表ポ", "ポ表", "表ポ", 0, root},
        {"C:\\a", 0, "a", "a", "", 0, "C:"},
        {"C:\\", -12, "", "", "", -12, ""},
        {"\\\\", -12, "", "", "", -9, ""},
        {"\\\\server", 0, "server", "server", "", 0, "\\\\"},
        {"\\\\server\\share\\f.jpg", 0, "f.jpg", "f", "jpg", 0, "\\\\server\\share"},
        {"", -12, "", "", "", -12, ""},
    };
    for (const auto& c : cases) {
        char out[1024];
        strcpy(out, "junk");
        EXPECT_EQ(VkeSubGetFileName(sub, out, c.path.c_str(), sizeof(out)), c.nameRc) << c.path;
        EXPECT_EQ(std::string(out), c.name) << c.path;
        strcpy(out, "junk");
        EXPECT_EQ(VkeSubGetBaseFileName(sub, out, c.path.c_str(), sizeof(out)), c.nameRc) << c.path;
        EXPECT_EQ(std::string(out), c.base) << c.path;
        strcpy(out, "junk");
        EXPECT_EQ(VkeSubGetFileExtention(sub, out, c.path.c_str(), sizeof(out)), c.nameRc) << c.path;
        EXPECT_EQ(std::string(out), c.ext) << c.path;
        strcpy(out, "junk");
        EXPECT_EQ(VkeSubGetDirPath(sub, out, c.path.c_str(), sizeof(out)), c.dirRc) << c.path;
        EXPECT_EQ(std::string(out), c.dir) << c.path;
    }
}

TEST_F(Path, PartsCutToTheBuffer)
{
    char out[4];
    memset(out, 'Z', sizeof(out));
    EXPECT_EQ(VkeSubGetFileName(sub, out, (root + "\\ab表").c_str(), 4), -13);
    EXPECT_STREQ(out, "ab");
    EXPECT_EQ(VkeSubGetFileExtention(sub, out, (root + "\\a.表表").c_str(), 4), -13);
    EXPECT_STREQ(out, "表");
    EXPECT_EQ(VkeSubGetBaseFileName(sub, out, (root + "\\abcd.x").c_str(), 4), -13);
    EXPECT_STREQ(out, "abc");
    EXPECT_EQ(VkeSubGetFileName(sub, nullptr, "a", 4), -9);
    EXPECT_EQ(VkeSubGetDirPath(sub, out, "a", 0), -9);
}

TEST_F(Path, ExistenceAndKind)
{
    struct {
        std::string path;
        int drive, directory, exists, normal;
    } cases[] = {
        {"C:", 1, 0, 1, 0},
        {"C:\\", 1, 0, 1, 0},
        {root, 0, 1, 1, 0},
        {root + "\\", 0, 1, 1, 0},
        {root + "\\表", 0, 1, 1, 0},
        {root + "\\表\\ソ.能", 0, 0, 1, 1},
        {root + "\\file.txt", 0, 0, 1, 1},
        {root + "\\missing", 0, 0, 0, 0},
        {root + "\\missing\\deeper", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        int is = -1;
        EXPECT_EQ(VkeSubIsDrive(sub, c.path.c_str(), &is), 0);
        EXPECT_EQ(is, c.drive) << c.path;
        EXPECT_EQ(VkeSubIsDirectory(sub, c.path.c_str(), &is), 0);
        EXPECT_EQ(is, c.directory) << c.path;
        EXPECT_EQ(VkeSubIsExistPath(sub, c.path.c_str(), &is), 0);
        EXPECT_EQ(is, c.exists) << c.path;
        char dest[1024];
        EXPECT_EQ(VkeSubIsNormalFile(sub, dest, c.path.c_str(), sizeof(dest), &is), 0);
        EXPECT_EQ(is, c.normal) << c.path;
        EXPECT_EQ(std::string(dest), Norm(c.path));
    }
}

TEST_F(Path, ExistenceBadInput)
{
    int is = -1;
    EXPECT_EQ(VkeSubIsExistPath(sub, "", &is), -12);
    EXPECT_EQ(is, 0);
    EXPECT_EQ(VkeSubIsDirectory(sub, nullptr, &is), -9);
    EXPECT_EQ(VkeSubIsDrive(sub, "C:", nullptr), -9);
    char dest[8] = "junk";
    is = -1;
    EXPECT_EQ(VkeSubIsNormalFile(sub, dest, "  ", sizeof(dest), &is), 0);
    EXPECT_STREQ(dest, "");
    EXPECT_EQ(is, 0);
    // An existing file whose path does not fit: cut, and is stays 0.
    is = -1;
    EXPECT_EQ(VkeSubIsNormalFile(sub, dest, (root + "\\file.txt").c_str(), sizeof(dest), &is), -13);
    EXPECT_EQ(is, 0);
    EXPECT_EQ(strlen(dest), 7u);
}

TEST_F(Path, FileSize)
{
    double size = -1;
    int known = -1;
    EXPECT_EQ(VkeSubGetFileSize(sub, (root + "\\file.txt").c_str(), &size, &known), 0);
    EXPECT_EQ(size, 1234.0);
    EXPECT_EQ(known, 1);
    EXPECT_EQ(VkeSubGetFileSize(sub, (root + "\\表\\ソ.能").c_str(), &size, &known), 0);
    EXPECT_EQ(size, 3.0);
    EXPECT_EQ(VkeSubGetFileSize(sub, (root + "\\missing").c_str(), &size, &known), 0);
    EXPECT_EQ(size, 0.0);
    EXPECT_EQ(known, 0);
    EXPECT_EQ(VkeSubGetFileSize(sub, "C:\\", &size, &known), 0);
    EXPECT_GT(size, 0.0);
    EXPECT_EQ(known, 1);
    EXPECT_EQ(VkeSubGetFileSize(sub, "C:", nullptr, &known), -9);
    EXPECT_EQ(VkeSubGetFileSize(sub, "", &size, &known), -12);
}

TEST_F(Path, ModuleName)
{
    char name[1024];
    EXPECT_EQ(VkeSubGetModuleName(sub, name, sizeof(name)), 0);
    EXPECT_STREQ(name, "TestEngFil");
    char small[5];
    EXPECT_EQ(VkeSubGetModuleName(sub, small, sizeof(small)), -13);
    EXPECT_STREQ(small, "Test");
    EXPECT_EQ(VkeSubGetModuleName(sub, name, 0), -9);
}

TEST_F(Path, TempNames)
{
    char name[1024];
    char prefix[64];
    snprintf(prefix, sizeof(prefix), "\\Vke%lu", GetCurrentProcessId());
    ASSERT_EQ(VkeSubGetTempPathName(sub, name, root.c_str(), sizeof(name), 0), 0);
    EXPECT_EQ(std::string(name).rfind(root + prefix, 0), 0u) << name;
    EXPECT_EQ(GetFileAttributesA(name), INVALID_FILE_ATTRIBUTES);
    // Made one after the other, each is new, even within one tick of the clock.
    std::set<std::string> made;
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(VkeSubGetTempPathName(sub, name, root.c_str(), sizeof(name), 1), 0);
        EXPECT_NE(GetFileAttributesA(name), INVALID_FILE_ATTRIBUTES);
        made.insert(name);
    }
    EXPECT_EQ(made.size(), 50u);
    // Without a folder: the system's temporary folder.
    ASSERT_EQ(VkeSubGetTempPathName(sub, name, nullptr, sizeof(name), 0), 0);
    char sysTemp[MAX_PATH], sysNorm[1024];
    GetTempPathA(sizeof(sysTemp), sysTemp);
    ASSERT_EQ(VkeSubGetPathName(sub, sysNorm, sysTemp, sizeof(sysNorm)), 0);
    EXPECT_EQ(std::string(name).rfind(std::string(sysNorm) + prefix, 0), 0u) << name;
    // A drive is a folder too.
    EXPECT_EQ(VkeSubGetTempPathName(sub, name, "C:", sizeof(name), 0), 0);
    EXPECT_EQ(std::string(name).rfind(std::string("C:") + prefix, 0), 0u) << name;
}

TEST_F(Path, TempNamesBadInput)
{
    char name[1024] = "junk";
    EXPECT_EQ(VkeSubGetTempPathName(sub, name, (root + "\\missing").c_str(), sizeof(name), 0), -12);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(VkeSubGetTempPathName(sub, name, (root + "\\file.txt").c_str(), sizeof(name), 0), -9);
    EXPECT_EQ(VkeSubGetTempPathName(sub, name, root.c_str(), sizeof(name), 2), -9);
    EXPECT_EQ(VkeSubGetTempPathName(sub, nullptr, root.c_str(), 10, 0), -9);
    char small[8];
    EXPECT_EQ(VkeSubGetTempPathName(sub, small, root.c_str(), sizeof(small), 0), -13);
}

TEST_F(Path, TempNamesFromTwoThreadsNeverMeet)
{
    std::vector<std::string> a, b;
    auto make = [&](std::vector<std::string>* out) {
        for (int i = 0; i < 40; ++i) {
            char name[1024];
            if (VkeSubGetTempPathName(sub, name, root.c_str(), sizeof(name), 1) == 0) out->push_back(name);
        }
    };
    std::thread t1(make, &a), t2(make, &b);
    t1.join();
    t2.join();
    std::set<std::string> all(a.begin(), a.end());
    all.insert(b.begin(), b.end());
    EXPECT_EQ(a.size() + b.size(), 80u);
    EXPECT_EQ(all.size(), 80u);
}

TEST_F(Path, SpecialPlaces)
{
    char win[MAX_PATH], sys[MAX_PATH];
    GetWindowsDirectoryA(win, sizeof(win));
    GetSystemDirectoryA(sys, sizeof(sys));
    std::string upper = win;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    std::string system = root + "\\sysfile";
    ASSERT_TRUE(VktWriteFile(system, "x"));
    SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_SYSTEM);
    struct {
        std::string path;
        int special;
    } cases[] = {
        {"C:", 1},
        {"C:\\", 1},
        {"\\\\", 1},
        {win, 1},
        {upper, 1},
        {sys, 1},
        {std::string(win) + "\\Temp", 1},
        {root + "\\WinNT", 1},
        {root + "\\a\\SYSTEM32\\b", 1},
        {root + "\\windows\\x\\windowsx", 1},
        {root + "\\Program Files", 1},
        {root + "\\program files\\", 1},
        {system, 1},
        {root, 0},
        {root + "\\Program Files\\x", 0},
        {root + "\\mywindows", 0},
        {root + "\\system32x", 0},
        {root + "\\表\\ソ.能", 0},
    };
    for (const auto& c : cases) {
        int special = -1;
        EXPECT_EQ(VkeSubCheckSpecialPath(sub, c.path.c_str(), &special), 0) << c.path;
        EXPECT_EQ(special, c.special) << c.path;
    }
    SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_NORMAL);
    int special = -1;
    EXPECT_EQ(VkeSubCheckSpecialPath(sub, "", &special), -12);
    EXPECT_EQ(special, 0);
    EXPECT_EQ(VkeSubCheckSpecialPath(sub, "C:", nullptr), -9);
}
