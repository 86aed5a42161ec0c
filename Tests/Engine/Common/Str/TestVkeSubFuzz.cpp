// A seeded fuzz of the engine's text exports: strings, CSV fields, keywords, paths and typed
// values get random Shift-JIS texts (whole characters, with trail bytes that look like
// separators) and buffers of random sizes that end where an inaccessible page begins, so a
// write past a buffer faults at once. After success or a cut (-13), and after any result that
// wrote into it, a buffer holds a terminator within its size and never half a character, and the
// bytes before it are untouched.
#include "VktSupport.h"
#include <functional>
#include <random>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

std::string g_case; // the call under way, told when a guard page faults

LONG CALLBACK TellFault(EXCEPTION_POINTERS* info)
{
    if (info->ExceptionRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION) return EXCEPTION_CONTINUE_SEARCH;
    fprintf(stderr, "\nwritten or read past the buffer in %s\n", g_case.c_str());
    fflush(stderr);
    ExitProcess(3);
}

bool IsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// A buffer whose last byte lies just before a page that cannot be touched, with a canary before it.
class PageEndBuf {
public:
    PageEndBuf()
    {
        SYSTEM_INFO si;
        GetSystemInfo(&si);
        m_page = si.dwPageSize;
        m_base = static_cast<char*>(VirtualAlloc(nullptr, 3 * m_page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(m_base + 2 * m_page, m_page, PAGE_NOACCESS, &old);
    }
    ~PageEndBuf() { VirtualFree(m_base, 0, MEM_RELEASE); }
    PageEndBuf(const PageEndBuf&) = delete;
    PageEndBuf& operator=(const PageEndBuf&) = delete;

    // size bytes (at most two pages, less the canary) holding text and its terminator, or (text
    // null) holding no terminator at all.
    char* Fill(int size, const char* text)
    {
        m_size = size;
        m_p = m_base + 2 * m_page - size;
        memset(m_base, kCanary, 2 * m_page - size);
        memset(m_p, 'x', static_cast<size_t>(size));
        if (text) memcpy(m_p, text, strlen(text) + 1);
        m_before.assign(m_p, static_cast<size_t>(size));
        return m_p;
    }
    bool Changed() const { return m_before.compare(0, std::string::npos, m_p, static_cast<size_t>(m_size)) != 0; }
    // Empty when the buffer is sound: terminated, whole characters (when sjs), canary intact.
    std::string Fault(bool sjs) const
    {
        for (char* q = m_base; q < m_p; ++q)
            if (*q != kCanary) return "written before the buffer";
        const void* end = memchr(m_p, 0, static_cast<size_t>(m_size));
        if (!end) return "not terminated";
        if (!sjs) return std::string();
        const unsigned char* u = reinterpret_cast<const unsigned char*>(m_p);
        for (int i = 0; u[i]; ++i) {
            if (!IsLead(u[i])) continue;
            if (!IsTrail(u[i + 1])) return "half a character at byte " + std::to_string(i);
            ++i;
        }
        return std::string();
    }
    char* Ptr() const { return m_p; }
    static int MaxSize() { return 4096; }

private:
    static const char kCanary = '\x5A';
    char* m_base = nullptr;
    char* m_p = nullptr;
    int m_size = 0;
    DWORD m_page = 4096;
    std::string m_before;
};

// Random whole Shift-JIS texts: ASCII, separators, digits, single-byte kana and double-byte
// characters whose trail byte is "\" or "|" (表 ソ 能 ポ) or a letter.
class TextGen {
public:
    explicit TextGen(unsigned seed) : m_rng(seed) {}
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool Chance(int percent) { return Int(1, 100) <= percent; }
    template <class T> const T& Pick(const std::vector<T>& v)
    {
        return v[static_cast<size_t>(Int(0, static_cast<int>(v.size()) - 1))];
    }
    std::string Text(int maxChars, const std::vector<std::string>& pieces)
    {
        std::string s;
        for (int n = Int(0, maxChars); n > 0; --n) s += Pick(pieces);
        return s;
    }
    std::string Text(int maxChars) { return Text(maxChars, kPieces); }

    static const std::vector<std::string> kPieces;

private:
    std::mt19937 m_rng;
};

const std::vector<std::string> TextGen::kPieces = {
    "a", "Z", "0", "7", " ", "\t", ",", "\"", "\\", "|", "/", ":", ".", "-", "+", "%", "=", "\xB1", "\xDF",
    "表", "ソ", "能", "ポ", "Ａ", "ｚ", "１", "年", "月", "日", "時", "分", "秒", "　", "abc", "表ソ"};

class Fuzz : public VktSubFixture {
protected:
    void SetUp() override
    {
        VktSubFixture::SetUp();
        VkeSubSetTraceFlag(sub, 0, 0); // failures are the point here: none is written down
        m_handler = AddVectoredExceptionHandler(1, TellFault);
    }
    void TearDown() override
    {
        RemoveVectoredExceptionHandler(m_handler);
        VktSubFixture::TearDown();
    }

    // One call: out buffers are filled before it (a text or no terminator), checked after it.
    struct Out {
        PageEndBuf* buf;
        int size;
        const char* init; // null: an output only, holding no terminator before the call
        bool sjs;
    };
    void Run(const std::string& name, std::vector<Out> outs, const std::function<int()>& call)
    {
        for (Out& o : outs) o.buf->Fill(o.size, o.init);
        g_case = name;
        int rc = call();
        for (size_t i = 0; i < outs.size(); ++i) {
            const Out& o = outs[i];
            // Success (0, or 1: a position moved off half a character) and a cut (-13) leave a
            // text; a refusal may leave an output untouched, but anything written is a text.
            const bool done = rc == VKE_OK || rc == VKE_NOT_DONE || rc == VKE_ERR_CUT;
            if (!o.init && !done && !o.buf->Changed()) continue;
            std::string fault = o.buf->Fault(o.sjs);
            if (fault.empty()) continue;
            ++m_faults;
            if (m_faults <= 20)
                ADD_FAILURE() << name << ": buffer " << i << " of size " << o.size << " " << fault << " (result " << rc
                              << ", holds \"" << std::string(o.buf->Ptr(), strnlen(o.buf->Ptr(), o.size)) << "\")";
        }
        ++m_calls;
    }
    // A size for a text of n bytes: mostly around it, sometimes far below or above.
    int SizeFor(size_t n)
    {
        int len = static_cast<int>(n);
        switch (gen.Int(0, 3)) {
        case 0: return gen.Int(1, 8);
        case 1: return std::max(1, len + gen.Int(-3, 3));
        case 2: return gen.Int(1, 128);
        default: return std::min(PageEndBuf::MaxSize(), len + gen.Int(1, 300));
        }
    }
    static std::string Quote(const std::string& s) { return "\"" + s + "\""; }
    // The longest run of whole characters from the start of s that fits in size bytes with its
    // terminator: a caller's text in a buffer of that size.
    static std::string Fit(const std::string& s, int size)
    {
        size_t keep = 0;
        for (size_t i = 0; i < s.size();) {
            i += IsLead(static_cast<unsigned char>(s[i])) ? 2 : 1;
            if (i > s.size() || i + 1 > static_cast<size_t>(size)) break;
            keep = i;
        }
        return s.substr(0, keep);
    }

    TextGen gen{20250101};
    PageEndBuf a, b;
    int m_calls = 0, m_faults = 0;

private:
    void* m_handler = nullptr;
};

} // namespace

TEST_F(Fuzz, StringsKeepTheirTextWhole)
{
    for (int round = 0; round < 10000; ++round) {
        std::string src = gen.Text(40), more = gen.Text(12), pat = gen.Text(2), rep = gen.Text(4);
        int start = gen.Int(-1, static_cast<int>(src.size()) + 2), count = gen.Int(-1, 12);
        int size = SizeFor(src.size() + more.size());
        int p1 = 0, p2 = 0, p3 = 0, p4 = 0;
        std::string in = Fit(src, size);
        const std::string tag = " src " + Quote(src) + " size " + std::to_string(size);
        Run("CopyStr" + tag, {{&a, size, nullptr, true}}, [&] { return VkeSubCopyStr(sub, a.Ptr(), src.c_str(), size); });
        Run("ConcatStr" + tag, {{&a, size, in.c_str(), true}},
            [&] { return VkeSubConcatStr(sub, a.Ptr(), more.c_str(), size); });
        Run("MidStr" + tag, {{&a, size, nullptr, true}},
            [&] { return VkeSubMidStr(sub, a.Ptr(), src.c_str(), start, count, size); });
        Run("LeftStr" + tag, {{&a, size, nullptr, true}},
            [&] { return VkeSubLeftStr(sub, a.Ptr(), src.c_str(), count, size); });
        Run("RightStr" + tag, {{&a, size, nullptr, true}},
            [&] { return VkeSubRightStr(sub, a.Ptr(), src.c_str(), count, size); });
        Run("InsStr" + tag, {{&a, size, in.c_str(), true}},
            [&] { return VkeSubInsStr(sub, a.Ptr(), more.c_str(), start, size, &p1, &p2); });
        int dsize = gen.Int(1, 16);
        Run("DelStr" + tag, {{&a, size, in.c_str(), true}, {&b, dsize, nullptr, true}}, [&] {
            return VkeSubDelStr(sub, a.Ptr(), b.Ptr(), start, count, dsize, &p1,
                                &p2);
        });
        Run("UpdStr" + tag, {{&a, size, in.c_str(), true}, {&b, dsize, nullptr, true}}, [&] {
            return VkeSubUpdStr(sub, a.Ptr(), more.c_str(), b.Ptr(), nullptr,
                                start, count, size, dsize, 0, &p1, &p2, &p3);
        });
        for (int all = 0; all < 2; ++all) {
            for (int rev = 0; rev < 2; ++rev) {
                int mode = gen.Int(0, 1);
                Run("ChangeStr" + std::to_string(all) + std::to_string(rev) + tag + " " + Quote(pat) + "->" + Quote(rep),
                    {{&a, size, in.c_str(), true}}, [&] {
                        char* buf = a.Ptr();
                        if (all)
                            return rev ? VkeSubChangeStrRevAll(sub, buf, pat.c_str(), rep.c_str(), mode, start, size, &p1,
                                                               &p2, &p3, &p4)
                                       : VkeSubChangeStrAll(sub, buf, pat.c_str(), rep.c_str(), mode, start, size, &p1,
                                                            &p2, &p3, &p4);
                        return rev ? VkeSubChangeStrRev(sub, buf, pat.c_str(), rep.c_str(), mode, start, size, &p1, &p2, &p3)
                                   : VkeSubChangeStr(sub, buf, pat.c_str(), rep.c_str(), mode, start, size, &p1, &p2, &p3);
                    });
            }
        }
        // In place, without a size: the buffer ends with the text's terminator.
        const int exact = static_cast<int>(in.size()) + 1;
        Run("DeleteStr" + tag, {{&a, exact, in.c_str(), true}},
            [&] { return VkeSubDeleteStr(sub, a.Ptr(), pat.c_str(), gen.Int(0, 1)); });
        Run("TrimStr" + tag, {{&a, exact, in.c_str(), true}}, [&] { return VkeSubTrimStr(sub, a.Ptr()); });
        Run("ToUpperStr" + tag, {{&a, exact, in.c_str(), true}},
            [&] { return VkeSubToUpperStr(sub, a.Ptr()); });
        Run("SJSToEUC" + tag, {{&a, size, nullptr, false}},
            [&] { return VkeSubSJSToEUC(sub, a.Ptr(), src.c_str(), size); });
        char euc[512] = {};
        VkeSubSJSToEUC(sub, euc, src.c_str(), sizeof(euc));
        Run("EUCToSJS" + tag, {{&a, size, nullptr, true}},
            [&] { return VkeSubEUCToSJS(sub, a.Ptr(), euc, size); });
    }
    EXPECT_EQ(m_faults, 0) << "of " << m_calls << " calls";
}

TEST_F(Fuzz, CsvFieldsAndKeywordsKeepTheirTextWhole)
{
    const std::vector<std::string> csvPieces = {"a", "表", "ソ", "ポ", ",", ",", "\"", "\"\"", "\t", " ", "1", "能"};
    for (int round = 0; round < 10000; ++round) {
        std::string line = gen.Text(30, csvPieces), field = gen.Text(8, csvPieces), key = gen.Text(2);
        const char* sep = gen.Chance(70) ? "," : gen.Chance(50) ? "\t" : "表";
        int size = SizeFor(line.size()), start = gen.Int(0, static_cast<int>(line.size()) + 2), next = 0, found = 0;
        std::string in = Fit(line, size);
        const std::string tag = " line " + Quote(line) + " size " + std::to_string(size);
        Run("CsvGetFld" + tag, {{&a, size, nullptr, true}},
            [&] { return VkeSubCsvGetFld(sub, line.c_str(), sep, a.Ptr(), size, start, &next); });
        Run("CsvSetFld" + tag + " field " + Quote(field), {{&a, size, in.c_str(), true}}, [&] {
            return VkeSubCsvSetFld(sub, a.Ptr(), sep, field.c_str(), size, gen.Int(0, 1), gen.Int(0, 1));
        });
        int sepSize = gen.Int(1, 4);
        Run("GetFldInfo" + tag, {{&a, sepSize, "", true}},
            [&] { return VkeSubGetFldInfo(sub, line.c_str(), a.Ptr(), sepSize, &found); });
        Run("KwdGetLft" + tag + " key " + Quote(key), {{&a, size, nullptr, true}}, [&] {
            return VkeSubKwdGetLft(sub, line.c_str(), key.c_str(), a.Ptr(), size, start, &found);
        });
        Run("KwdGetRgt" + tag + " key " + Quote(key), {{&a, size, nullptr, true}}, [&] {
            return VkeSubKwdGetRgt(sub, line.c_str(), key.c_str(), a.Ptr(), size, start, &found);
        });
        // An empty keyword would end the list at its first pair. A piece that fails (cut, or its
        // keyword missing) ends the call: the rest's destination holds a text, but maybe its own.
        const std::string first = key.empty() ? "," : key;
        Run("KwdGetLftMulti" + tag + " key " + Quote(first), {{&a, size, nullptr, true}, {&b, size, "", true}},
            [&] { return VkeSubKwdGetLftMulti(sub, line.c_str(), size, first.c_str(), a.Ptr(), "", b.Ptr()); });
    }
    EXPECT_EQ(m_faults, 0) << "of " << m_calls << " calls";
}

TEST_F(Fuzz, PathsKeepTheirTextWhole)
{
    const std::vector<std::string> parts = {"a", "表", "ソ", "能", "ポ", "\\", "\\", "/", ".", "..", "x.jpg", " ", "ｱ"};
    const std::vector<std::string> roots = {"C:\\", "C:", "\\\\srv\\share\\", "", "Z:\\tmp\\", "."};
    using PathFn = int (*)(VkiSub*, char*, const char*, int);
    const std::pair<const char*, PathFn> fns[] = {{"GetPathName", VkeSubGetPathName},
                                                  {"GetFileName", VkeSubGetFileName},
                                                  {"GetBaseFileName", VkeSubGetBaseFileName},
                                                  {"GetFileExtention", VkeSubGetFileExtention},
                                                  {"GetDirPath", VkeSubGetDirPath}};
    // Paths are made full through the platform (slow under Wine): fewer rounds.
    for (int round = 0; round < 500; ++round) {
        std::string path = gen.Pick(roots) + gen.Text(gen.Chance(10) ? 150 : 20, parts);
        int size = SizeFor(path.size() + 8);
        for (const auto& fn : fns)
            Run(std::string(fn.first) + " " + Quote(path) + " size " + std::to_string(size), {{&a, size, nullptr, true}},
                [&] { return fn.second(sub, a.Ptr(), path.c_str(), size); });
    }
    EXPECT_EQ(m_faults, 0) << "of " << m_calls << " calls";
}

TEST_F(Fuzz, TypedValuesKeepTheirTextWhole)
{
    using GetFn = int (*)(VkiSub*, char*, int);
    using SetFn = int (*)(VkiSub*, char*, const char*, int);
    struct Kind {
        const char* name;
        GetFn get;
        SetFn set;
        std::vector<std::string> samples;
    };
    const std::vector<Kind> kinds = {
        {"Text", VkeSubGetText, VkeSubSetText, {"abc", "表ソ", " x "}},
        {"Date", VkeSubGetDate, VkeSubSetDate, {"2024/02/29", "1999-12-31", "20240101", "令和"}},
        {"YYMM", VkeSubGetYYMM, VkeSubSetYYMM, {"2024/02", "199912"}},
        {"MMDD", VkeSubGetMMDD, VkeSubSetMMDD, {"02/29", "1231"}},
        {"Year", VkeSubGetYear, VkeSubSetYear, {"2024", "99"}},
        {"Month", VkeSubGetMonth, VkeSubSetMonth, {"12", "1"}},
        {"Day", VkeSubGetDay, VkeSubSetDay, {"31", "1"}},
        {"WeekOfYear", VkeSubGetWeekOfYear, VkeSubSetWeekOfYear, {"53", "1"}},
        {"WeekOfMonth", VkeSubGetWeekOfMonth, VkeSubSetWeekOfMonth, {"5", "1"}},
        {"Time", VkeSubGetTime, VkeSubSetTime, {"12:34:56", "235959"}},
        {"HHMM", VkeSubGetHHMM, VkeSubSetHHMM, {"12:34", "2359"}},
        {"MMSS", VkeSubGetMMSS, VkeSubSetMMSS, {"59:59", "0000"}},
        {"Hour", VkeSubGetHour, VkeSubSetHour, {"23", "0"}},
        {"Minute", VkeSubGetMinute, VkeSubSetMinute, {"59"}},
        {"Second", VkeSubGetSecond, VkeSubSetSecond, {"59"}},
        {"Font", VkeSubGetFont, VkeSubSetFont, {std::string(128, '0'), "F4FFFFFF" + std::string(120, '0')}},
        {"Color", VkeSubGetColor, VkeSubSetColor, {"255,0,128", " 1, 2, 3", "300,0,0"}},
        {"Int", [](VkiSub* s, char* t, int n) { int v = 0; return VkeSubGetInt(s, t, &v, n); }, VkeSubSetInt,
         {"1,234", "-0", "2147483647", "99999999999"}},
        {"Cur", [](VkiSub* s, char* t, int n) { double v = 0; return VkeSubGetCur(s, t, &v, n); }, VkeSubSetCur,
         {"\\1,234", "-12.5"}},
        {"Dbl", [](VkiSub* s, char* t, int n) { double v = 0; return VkeSubGetDbl(s, t, &v, n); }, VkeSubSetDbl,
         {"1.5e300", "-0.001", "1,234.5"}},
    };
    const std::vector<std::string> fmtPieces = {"%", "%", "y", "Y", "m", "d", "H", "M", "S", "r", "g", "b", "x",
                                                "v", "s", ",", "-", "0", "9", ".", "年", "表", " ", "*"};
    const std::vector<std::string> valPieces = {"0", "1", "2", "9", "/", ":", "-", ".", ",", " ", "年", "表", "a", "Ｆ"};
    AppMem* mem = nullptr;
    ASSERT_EQ(VkeSubAllocAppMem(sub, &mem), 0);
    for (int round = 0; round < 2500; ++round) {
        for (const Kind& k : kinds) {
            std::string value = gen.Chance(50) ? gen.Pick(k.samples) : gen.Text(12, valPieces);
            if (gen.Chance(30)) value += gen.Text(3, valPieces);
            std::string format = gen.Text(5, fmtPieces);
            int size = SizeFor(value.size() + 4);
            std::string in = Fit(value, size);
            const std::string tag = " " + Quote(in) + " size " + std::to_string(size);
            Run(std::string("Get") + k.name + tag, {{&a, size, in.c_str(), true}},
                [&] { return k.get(sub, a.Ptr(), size); });
            Run(std::string("Set") + k.name + tag + " format " + Quote(format), {{&a, size, in.c_str(), true}},
                [&] { return k.set(sub, a.Ptr(), format.c_str(), size); });
        }
        std::string number = gen.Text(14, {"1", "2", "3", "0", ".", "-", ",", " ", "表"});
        int size = SizeFor(number.size() + 4);
        std::string in = Fit(number, size);
        Run("SetComma " + Quote(in) + " size " + std::to_string(size), {{&a, size, in.c_str(), true}},
            [&] { return VkeSubSetComma(sub, a.Ptr(), size); });
        BYTE bytes[64];
        for (BYTE& x : bytes) x = static_cast<BYTE>(gen.Int(0, 255));
        int count = gen.Int(1, 64);
        size = SizeFor(2 * static_cast<size_t>(count));
        Run("SetHexStr count " + std::to_string(count) + " size " + std::to_string(size), {{&a, size, nullptr, true}},
            [&] { return VkeSubSetHexStr(sub, a.Ptr(), bytes, count, size); });
        VkeFontRec font;
        memcpy(&font, bytes, sizeof(font));
        size = SizeFor(128);
        Run("SetFontStr size " + std::to_string(size), {{&a, size, nullptr, true}},
            [&] { return VkeSubSetFontStr(sub, a.Ptr(), size, &font); });
        size = SizeFor(13);
        Run("SetColorStr size " + std::to_string(size), {{&a, size, nullptr, true}}, [&] {
            return VkeSubSetColorStr(sub, a.Ptr(), size, gen.Int(-300, 300), bytes[1], bytes[2]);
        });
        std::string text = gen.Text(30);
        VkeSubSetAppMemStr(sub, mem, text.c_str());
        size = SizeFor(text.size());
        Run("GetAppMemStr " + Quote(text) + " size " + std::to_string(size), {{&a, size, nullptr, true}},
            [&] { return VkeSubGetAppMemStr(sub, mem, a.Ptr(), size); });
    }
    VkeSubFreeAppMem(sub, &mem);
    EXPECT_EQ(m_faults, 0) << "of " << m_calls << " calls";
}
