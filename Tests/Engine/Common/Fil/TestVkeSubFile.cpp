// Making, copying, moving and deleting files and folders, and the key counter file.
// Every operation runs without undo, so nothing ever goes to the user's recycle bin.
#include "VktMsgBox.h"
#include "VktSupport.h"
#include <set>
#include <stdlib.h>
#include <thread>

namespace {

class Files : public VktSubFixture {
protected:
    void SetUp() override
    {
        VktSubFixture::SetUp();
        char buf[1024] = {};
        ASSERT_EQ(VkeSubGetPathName(sub, buf, dir.Path().c_str(), sizeof(buf)), 0);
        root = buf;
    }
    std::string P(const std::string& name) const { return root + "\\" + name; }
    static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    static bool IsDir(const std::string& path)
    {
        DWORD a = GetFileAttributesA(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }
    // The names in a folder, sorted, joined by "|".
    static std::string Names(const std::string& folder)
    {
        std::set<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return "";
        do
            if (strcmp(fd.cFileName, ".") != 0 && strcmp(fd.cFileName, "..") != 0) names.insert(fd.cFileName);
        while (FindNextFileA(h, &fd));
        FindClose(h);
        std::string all;
        for (const std::string& n : names) all += (all.empty() ? "" : "|") + n;
        return all;
    }
    // A small tree: name\one.txt, name\表\ソ.txt.
    void MakeTree(const std::string& name)
    {
        ASSERT_TRUE(CreateDirectoryA(P(name).c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(P(name + "\\表").c_str(), nullptr));
        ASSERT_TRUE(VktWriteFile(P(name + "\\one.txt"), "one"));
        ASSERT_TRUE(VktWriteFile(P(name + "\\表\\ソ.txt"), "so"));
    }

    VktTempDir dir;
    std::string root;
};

} // namespace

TEST_F(Files, CreateDirWithParents)
{
    EXPECT_EQ(VkeSubCreateDir(sub, P("a/b/c/").c_str()), 0);
    EXPECT_TRUE(IsDir(P("a\\b\\c")));
    EXPECT_EQ(VkeSubCreateDir(sub, P("表\\ソ\\能").c_str()), 0);
    EXPECT_TRUE(IsDir(P("表\\ソ\\能")));
    EXPECT_EQ(Names(root), "a|表");   // no folder named by a lead byte alone
    EXPECT_EQ(VkeSubCreateDir(sub, P("a\\b").c_str()), -9); // exists
    ASSERT_TRUE(VktWriteFile(P("f"), "x"));
    EXPECT_EQ(VkeSubCreateDir(sub, P("f").c_str()), -9);
    EXPECT_EQ(VkeSubCreateDir(sub, "C:\\"), -9);
    EXPECT_EQ(VkeSubCreateDir(sub, P("f\\sub").c_str()), -10); // a file is in the way
    EXPECT_EQ(VkeSubCreateDir(sub, nullptr), -9);
    EXPECT_EQ(VkeSubCreateDir(sub, ""), -12);
}

TEST_F(Files, CopyMoveDeleteFileRoundTrip)
{
    ASSERT_TRUE(VktWriteFile(P("ソ.txt"), "data"));
    EXPECT_EQ(VkeSubCopyFile(sub, P("copy.txt").c_str(), P("ソ.txt").c_str(), 0, 1, nullptr), 0);
    EXPECT_EQ(VktReadFile(P("copy.txt")), "data");
    EXPECT_EQ(VktReadFile(P("ソ.txt")), "data");
    EXPECT_EQ(VkeSubMoveFile(sub, P("表.txt").c_str(), P("copy.txt").c_str(), 0, 1, nullptr), 0);
    EXPECT_FALSE(Exists(P("copy.txt")));
    EXPECT_EQ(VktReadFile(P("表.txt")), "data");
    EXPECT_EQ(VkeSubDeleteFile(sub, P("表.txt").c_str(), 0, 1, nullptr), 0);
    EXPECT_FALSE(Exists(P("表.txt")));
    EXPECT_TRUE(Exists(P("ソ.txt")));
}

TEST_F(Files, FileIntoFolder)
{
    ASSERT_TRUE(VktWriteFile(P("a.txt"), "a"));
    ASSERT_TRUE(CreateDirectoryA(P("表").c_str(), nullptr));
    EXPECT_EQ(VkeSubCopyFile(sub, P("表").c_str(), P("a.txt").c_str(), 0, 1, nullptr), 0);
    EXPECT_EQ(VktReadFile(P("表\\a.txt")), "a");
    EXPECT_EQ(VkeSubMoveFile(sub, P("表\\").c_str(), P("a.txt").c_str(), 0, 1, nullptr), 0);
    EXPECT_FALSE(Exists(P("a.txt")));
    // The moved file met the copy already there and took a new name.
    EXPECT_EQ(VktReadFile(P("表\\a (2).txt")), "a");
}

TEST_F(Files, FileIntoFolderNotThereYet)
{
    ASSERT_TRUE(VktWriteFile(P("a.txt"), "a"));
    EXPECT_EQ(VkeSubCopyFile(sub, P("新\\b.txt").c_str(), P("a.txt").c_str(), 0, 1, nullptr), 0);
    EXPECT_EQ(VktReadFile(P("新\\b.txt")), "a");
    EXPECT_EQ(VkeSubMoveFile(sub, P("x/y/c.txt").c_str(), P("a.txt").c_str(), 0, 1, nullptr), 0);
    EXPECT_EQ(VktReadFile(P("x\\y\\c.txt")), "a");
    EXPECT_FALSE(Exists(P("a.txt")));
}

TEST_F(Files, SilentCollisionGivesNewName)
{
    ASSERT_TRUE(VktWriteFile(P("a.txt"), "new"));
    ASSERT_TRUE(VktWriteFile(P("b.txt"), "old"));
    ASSERT_TRUE(VktWriteFile(P("b (2).txt"), "older"));
    EXPECT_EQ(VkeSubCopyFile(sub, P("b.txt").c_str(), P("a.txt").c_str(), 0, 1, nullptr), 0);
    EXPECT_EQ(VktReadFile(P("b.txt")), "old");
    EXPECT_EQ(VktReadFile(P("b (2).txt")), "older");
    EXPECT_EQ(VktReadFile(P("b (3).txt")), "new");
    // A copy onto itself makes a second file; a move onto itself changes nothing.
    EXPECT_EQ(VkeSubCopyFile(sub, P("a.txt").c_str(), P("a.txt").c_str(), 0, 1, nullptr), 0);
    EXPECT_EQ(VktReadFile(P("a (2).txt")), "new");
    EXPECT_EQ(VkeSubMoveFile(sub, P("a.txt").c_str(), P("A.TXT").c_str(), 0, 1, nullptr), 0);
    EXPECT_EQ(VktReadFile(P("a.txt")), "new");
    EXPECT_FALSE(Exists(P("a (3).txt")));
}

TEST_F(Files, FileOperationChecks)
{
    ASSERT_TRUE(CreateDirectoryA(P("d").c_str(), nullptr));
    ASSERT_TRUE(VktWriteFile(P("f"), "x"));
    // A folder or a drive is not a file; a missing file fails as the shell would report it.
    EXPECT_EQ(VkeSubCopyFile(sub, P("x").c_str(), P("d").c_str(), 0, 1, nullptr), -9);
    EXPECT_EQ(VkeSubMoveFile(sub, P("x").c_str(), "C:", 0, 1, nullptr), -9);
    EXPECT_EQ(VkeSubDeleteFile(sub, P("d").c_str(), 0, 1, nullptr), -9);
    EXPECT_EQ(VkeSubCopyFile(sub, P("x").c_str(), P("missing").c_str(), 0, 1, nullptr), -10);
    EXPECT_EQ(VkeSubDeleteFile(sub, P("missing").c_str(), 0, 1, nullptr), -10);
    EXPECT_EQ(VkeSubDeleteFile(sub, P("*").c_str(), 0, 1, nullptr), -10); // no wildcards
    EXPECT_TRUE(Exists(P("f")));
    // Flags are 0 or 1.
    EXPECT_EQ(VkeSubCopyFile(sub, P("x").c_str(), P("f").c_str(), 2, 1, nullptr), -9);
    EXPECT_EQ(VkeSubCopyFile(sub, P("x").c_str(), P("f").c_str(), 0, -1, nullptr), -9);
    EXPECT_EQ(VkeSubDeleteFile(sub, P("f").c_str(), 0, 2, nullptr), -9);
    EXPECT_EQ(VkeSubCopyFile(sub, nullptr, P("f").c_str(), 0, 1, nullptr), -9);
    EXPECT_FALSE(Exists(P("x")));
}

TEST_F(Files, CopyDirToNewName)
{
    MakeTree("src");
    EXPECT_EQ(VkeSubCopyDir(sub, P("copy").c_str(), P("src").c_str(), 0, 1, nullptr), 0);
    EXPECT_EQ(VktReadFile(P("copy\\one.txt")), "one");
    EXPECT_EQ(VktReadFile(P("copy\\表\\ソ.txt")), "so");
    EXPECT_TRUE(Exists(P("src\\one.txt")));
    // Below folders that are not there yet.
    EXPECT_EQ(VkeSubMoveDir(sub, P("x/y/moved").c_str(), P("copy").c_str(), 0, 1, nullptr), 0);
    EXPECT_EQ(VktReadFile(P("x\\y\\moved\\表\\ソ.txt")), "so");
    EXPECT_FALSE(Exists(P("copy")));
}

TEST_F(Files, CopyDirIntoExistingFolderCopiesItsContents)
{
    MakeTree("src");
    ASSERT_TRUE(CreateDirectoryA(P("dst").c_str(), nullptr));
    ASSERT_TRUE(VktWriteFile(P("dst\\one.txt"), "mine"));
    EXPECT_EQ(VkeSubCopyDir(sub, P("dst").c_str(), P("src").c_str(), 0, 1, nullptr), 0);
    EXPECT_FALSE(Exists(P("dst\\src")));
    EXPECT_EQ(VktReadFile(P("dst\\one.txt")), "mine");
    EXPECT_EQ(VktReadFile(P("dst\\one (2).txt")), "one");
    EXPECT_EQ(VktReadFile(P("dst\\表\\ソ.txt")), "so");
    // Again: the folder 表 meets its copy and takes a new name as a whole.
    EXPECT_EQ(VkeSubCopyDir(sub, P("dst").c_str(), P("src").c_str(), 0, 1, nullptr), 0);
    EXPECT_EQ(VktReadFile(P("dst\\表 (2)\\ソ.txt")), "so");
    EXPECT_EQ(VktReadFile(P("dst\\one (3).txt")), "one");
}

TEST_F(Files, MoveDirAndDeleteDir)
{
    MakeTree("src");
    EXPECT_EQ(VkeSubMoveDir(sub, P("moved").c_str(), P("src").c_str(), 0, 1, nullptr), 0);
    EXPECT_FALSE(Exists(P("src")));
    EXPECT_EQ(VktReadFile(P("moved\\表\\ソ.txt")), "so");
    // Onto an existing folder the contents move and the emptied source stays.
    ASSERT_TRUE(CreateDirectoryA(P("into").c_str(), nullptr));
    EXPECT_EQ(VkeSubMoveDir(sub, P("into").c_str(), P("moved").c_str(), 0, 1, nullptr), 0);
    EXPECT_EQ(VktReadFile(P("into\\one.txt")), "one");
    EXPECT_TRUE(IsDir(P("moved")));
    EXPECT_FALSE(Exists(P("moved\\one.txt")));
    EXPECT_EQ(VkeSubDeleteDir(sub, P("into").c_str(), 0, 1, nullptr), 0);
    EXPECT_FALSE(Exists(P("into")));
    // An empty folder onto an existing one: nothing to do.
    ASSERT_TRUE(CreateDirectoryA(P("into").c_str(), nullptr));
    EXPECT_EQ(VkeSubCopyDir(sub, P("into").c_str(), P("moved").c_str(), 0, 1, nullptr), 0);
}

TEST_F(Files, FolderOperationChecks)
{
    MakeTree("src");
    ASSERT_TRUE(VktWriteFile(P("f"), "x"));
    EXPECT_EQ(VkeSubCopyDir(sub, P("x").c_str(), P("missing").c_str(), 0, 1, nullptr), -12);
    EXPECT_EQ(VkeSubCopyDir(sub, P("x").c_str(), P("f").c_str(), 0, 1, nullptr), -9);
    EXPECT_EQ(VkeSubMoveDir(sub, P("f").c_str(), P("src").c_str(), 0, 1, nullptr), -9); // onto a file
    EXPECT_EQ(VkeSubCopyDir(sub, P("x").c_str(), "C:", 0, 1, nullptr), -9);
    EXPECT_EQ(VkeSubDeleteDir(sub, P("missing").c_str(), 0, 1, nullptr), -12);
    EXPECT_EQ(VkeSubDeleteDir(sub, P("f").c_str(), 0, 1, nullptr), -9);
    EXPECT_EQ(VkeSubDeleteDir(sub, "C:", 0, 1, nullptr), -9);
    EXPECT_EQ(VkeSubDeleteDir(sub, P("src").c_str(), 1, 3, nullptr), -9);
    // Into itself or below itself is refused, never an endless copy.
    EXPECT_EQ(VkeSubCopyDir(sub, P("src\\表\\deeper").c_str(), P("src").c_str(), 0, 1, nullptr), -10);
    EXPECT_EQ(VkeSubCopyDir(sub, P("SRC").c_str(), P("src").c_str(), 0, 1, nullptr), -10);
    EXPECT_FALSE(Exists(P("src\\表\\deeper")));
    EXPECT_TRUE(Exists(P("src\\one.txt")));
}

TEST_F(Files, UserDeclinesTheShellsQuestion)
{
    ASSERT_TRUE(VktWriteFile(P("keep.txt"), "k"));
    VktMsgBox answer({IDNO});
    int rc = VkeSubDeleteFile(sub, P("keep.txt").c_str(), 0, 0, nullptr);
    if (answer.Count() == 0) GTEST_SKIP() << "the shell asked nothing";
    EXPECT_EQ(rc, 3);
    EXPECT_TRUE(Exists(P("keep.txt")));
}

// ---- The key counter file ----

namespace {

unsigned KeyFileValue(const std::string& path)
{
    std::string bytes = VktReadFile(path);
    if (bytes.size() != 4) return 0;
    const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes.data());
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<unsigned>(b[3]) << 24);
}

} // namespace

TEST_F(Files, KeysFromANewFile)
{
    std::string key = P("表.key");
    int keys[3] = {};
    EXPECT_EQ(VkeSubGenUniqueKey(sub, key.c_str(), 3, keys), 0);
    EXPECT_EQ(keys[0], 1);
    EXPECT_EQ(keys[2], 3);
    EXPECT_EQ(KeyFileValue(key), 4u);
    EXPECT_EQ(VkeSubGenUniqueKey(sub, key.c_str(), 3, keys), 0);
    EXPECT_EQ(keys[0], 4);
    EXPECT_EQ(keys[2], 6);
    EXPECT_EQ(KeyFileValue(key), 7u);
}

TEST_F(Files, KeyFileFaults)
{
    int keys[2] = {9, 9};
    EXPECT_EQ(VkeSubGenUniqueKey(sub, root.c_str(), 2, keys), -9);
    EXPECT_EQ(keys[0], 0);
    EXPECT_EQ(VkeSubGenUniqueKey(sub, "C:", 2, keys), -9);
    EXPECT_EQ(VkeSubGenUniqueKey(sub, P("k").c_str(), 0, keys), -9);
    EXPECT_EQ(VkeSubGenUniqueKey(sub, P("k").c_str(), 1, nullptr), -9);
    EXPECT_EQ(VkeSubGenUniqueKey(sub, P("missing\\k").c_str(), 1, keys), -10);
    // A short file is damaged; an empty one was never written and starts at 1.
    ASSERT_TRUE(VktWriteFile(P("short"), "ab"));
    keys[0] = keys[1] = 9;
    EXPECT_EQ(VkeSubGenUniqueKey(sub, P("short").c_str(), 2, keys), -10);
    EXPECT_EQ(keys[0], 0);
    EXPECT_EQ(VktReadFile(P("short")), "ab");
    ASSERT_TRUE(VktWriteFile(P("empty"), ""));
    EXPECT_EQ(VkeSubGenUniqueKey(sub, P("empty").c_str(), 2, keys), 0);
    EXPECT_EQ(keys[0], 1);
    EXPECT_EQ(KeyFileValue(P("empty")), 3u);
}

TEST_F(Files, KeysFromTwoThreadsNeverRepeat)
{
    std::string key = P("threads.key");
    std::vector<int> a, b;
    auto take = [&](std::vector<int>* out) {
        for (int i = 0; i < 100; ++i) {
            int keys[2] = {};
            if (VkeSubGenUniqueKey(sub, key.c_str(), 2, keys) == 0) out->insert(out->end(), keys, keys + 2);
        }
    };
    std::thread t1(take, &a), t2(take, &b);
    t1.join();
    t2.join();
    std::set<int> all(a.begin(), a.end());
    all.insert(b.begin(), b.end());
    EXPECT_EQ(a.size() + b.size(), 400u);
    EXPECT_EQ(all.size(), 400u);
    EXPECT_EQ(KeyFileValue(key), 401u);
}

// The child side of the two-process test: the same program started with VKT_KEYFILE set.
TEST(KeyChild, TakesKeys)
{
    const char* keyFile = getenv("VKT_KEYFILE");
    const char* outFile = getenv("VKT_KEYOUT");
    const char* go = getenv("VKT_KEYGO");
    if (!keyFile || !outFile || !go) GTEST_SKIP() << "runs only as the child of KeysFromTwoProcessesNeverRepeat";
    // Both children start taking keys at the same moment.
    HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, go);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 30000), WAIT_OBJECT_0);
    CloseHandle(event);
    VkiSub* sub = nullptr;
    VkeSubParam param;
    int field = 0, messageNo = 0;
    ASSERT_EQ(VkeSubAlloc(&sub), 0);
    VkeSubInitParam(sub, &param);
    ASSERT_EQ(VkeSubInit(sub, &param, &field, &messageNo), 0);
    std::string out;
    for (int i = 0; i < 200; ++i) {
        int keys[2] = {};
        EXPECT_EQ(VkeSubGenUniqueKey(sub, keyFile, 2, keys), 0);
        out += std::to_string(keys[0]) + "\n" + std::to_string(keys[1]) + "\n";
    }
    VkeSubFree(&sub);
    ASSERT_TRUE(VktWriteFile(outFile, out));
}

TEST_F(Files, KeysFromTwoProcessesNeverRepeat)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof(exe));
    std::string key = P("procs.key");
    std::string go = "VktKeyGo" + std::to_string(GetCurrentProcessId());
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, go.c_str());
    ASSERT_NE(event, nullptr);
    SetEnvironmentVariableA("VKT_KEYGO", go.c_str());
    PROCESS_INFORMATION pi[2] = {};
    for (int i = 0; i < 2; ++i) {
        SetEnvironmentVariableA("VKT_KEYFILE", key.c_str());
        SetEnvironmentVariableA("VKT_KEYOUT", P("out" + std::to_string(i)).c_str());
        std::string cmd = std::string("\"") + exe + "\" --gtest_filter=KeyChild.TakesKeys";
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        ASSERT_TRUE(CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi[i]));
    }
    SetEnvironmentVariableA("VKT_KEYFILE", nullptr);
    SetEnvironmentVariableA("VKT_KEYOUT", nullptr);
    SetEnvironmentVariableA("VKT_KEYGO", nullptr);
    SetEvent(event);
    std::set<int> all;
    size_t total = 0;
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(WaitForSingleObject(pi[i].hProcess, 60000), WAIT_OBJECT_0);
        DWORD code = 1;
        GetExitCodeProcess(pi[i].hProcess, &code);
        EXPECT_EQ(code, 0u);
        CloseHandle(pi[i].hProcess);
        CloseHandle(pi[i].hThread);
        std::string text = VktReadFile(P("out" + std::to_string(i)));
        for (size_t pos = 0, end; (end = text.find('\n', pos)) != std::string::npos; pos = end + 1, ++total)
            all.insert(atoi(text.substr(pos, end - pos).c_str()));
    }
    CloseHandle(event);
    EXPECT_EQ(total, 800u);
    EXPECT_EQ(all.size(), 800u);
    EXPECT_EQ(KeyFileValue(key), 801u);
}
