// Helpers of the typed-value tests: run a parse or format export on a copy of a text in a
// buffer of a given size, and see that nothing was written past that size.
#pragma once
#include "VktSupport.h"
#include "VkiSub.h" // the utility object's record of the last trace
#include <string>
#include <vector>

using VktGetFn = int (*)(VkiSub*, char*, int);
using VktSetFn = int (*)(VkiSub*, char*, const char*, int);
using VktChkFn = int (*)(VkiSub*, const char*);

// The result of one call: its code and the text left in the buffer.
struct VktOut {
    int rc;
    std::string text;
};

// A buffer of size bytes holding text, with guard bytes behind it.
class VktBuf {
public:
    VktBuf(const std::string& text, int size) : m_buf(static_cast<size_t>(size) + 16, '\x7E'), m_iSize(size)
    {
        size_t n = text.size() < static_cast<size_t>(size) ? text.size() : static_cast<size_t>(size) - 1;
        memcpy(m_buf.data(), text.data(), n);
        m_buf[n] = '\0';
    }
    char* Ptr() { return m_buf.data(); }
    int Size() const { return m_iSize; }
    std::string Text() const { return std::string(m_buf.data()); }
    // The guard bytes behind the buffer are untouched.
    bool Guarded() const
    {
        for (size_t i = static_cast<size_t>(m_iSize); i < m_buf.size(); ++i)
            if (m_buf[i] != '\x7E') return false;
        return true;
    }

private:
    std::vector<char> m_buf;
    int m_iSize;
};

inline VktOut VktRunGet(VktGetFn fn, VkiSub* sub, const std::string& in, int size = 1024)
{
    VktBuf b(in, size);
    int rc = fn(sub, b.Ptr(), b.Size());
    EXPECT_TRUE(b.Guarded()) << "written past the size for " << in;
    return {rc, b.Text()};
}

inline VktOut VktRunSet(VktSetFn fn, VkiSub* sub, const std::string& in, const char* format, int size = 1024)
{
    VktBuf b(in, size);
    int rc = fn(sub, b.Ptr(), format, b.Size());
    EXPECT_TRUE(b.Guarded()) << "written past the size for " << in << " with " << format;
    return {rc, b.Text()};
}

// One row of a table of inputs: the text, the code, and the text after a parse.
struct VktRow {
    const char* in;
    int rc;
    const char* out; // null: the text stays as it was
};

// Runs a parse export over a table; a failing parse other than -12 leaves the text unchanged,
// -12 empties it.
inline void VktGetTable(VktGetFn fn, VkiSub* sub, const std::vector<VktRow>& rows)
{
    for (const VktRow& r : rows) {
        SCOPED_TRACE(std::string("input \"") + r.in + "\"");
        VktOut o = VktRunGet(fn, sub, r.in);
        EXPECT_EQ(o.rc, r.rc);
        std::string want = r.out ? r.out : (r.rc == -12 ? "" : r.in);
        EXPECT_EQ(o.text, want);
    }
}

// Runs a check export over a table of texts and codes.
inline void VktChkTable(VktChkFn fn, VkiSub* sub, const std::vector<std::pair<const char*, int>>& rows)
{
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string("input \"") + r.first + "\"");
        EXPECT_EQ(fn(sub, r.first), r.second);
    }
}

// The test fixture: a utility object that traces into a file the test reads back.
using VktFmt = VktSubFixture;
