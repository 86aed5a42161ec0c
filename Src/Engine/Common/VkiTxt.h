// Shift-JIS text helpers used inside the engine: character boundaries and bounded copies.
// They need no utility object, so every module (and the frame itself) can use them.
#pragma once
#include <string.h>

// Shift-JIS lead and trail byte ranges (code page 932).
inline bool VkiIsSjsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool VkiIsSjsTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Bytes of the character at p: 2 for a lead byte followed by a trail byte, else 1 (0 at the terminator).
inline int VkiChrLen(const char* p)
{
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    if (u[0] == 0) return 0;
    return (VkiIsSjsLead(u[0]) && VkiIsSjsTrail(u[1])) ? 2 : 1;
}

// Length of text, reading at most max bytes.
inline int VkiStrLen(const char* text, int max)
{
    const void* end = memchr(text, 0, static_cast<size_t>(max));
    return end ? static_cast<int>(static_cast<const char*>(end) - text) : max;
}

// 0 single byte, 1 first byte, 2 second byte of a double-byte character at pos (1-based);
// the walk starts at the beginning. -9 when pos is outside 1..length.
int VkiChkChr(const char* text, int pos);

// Largest prefix of text, at most room bytes, that ends on a character boundary.
int VkiFitLen(const char* text, int len, int room);

// Copies src into dest of destSize bytes; cuts on a character boundary (-13) when it does not fit.
// dest and src may overlap. -9 when dest or src is null or destSize < 1.
int VkiCopyStr(char* dest, const char* src, int destSize);

// A private copy of some bytes, so that a source may overlap the buffer an operation writes.
// Up to 1024 bytes stay in a local area; more come from the heap, released with the copy.
class VkiWorkCopy {
public:
    VkiWorkCopy() = default;
    VkiWorkCopy(const VkiWorkCopy&) = delete;
    VkiWorkCopy& operator=(const VkiWorkCopy&) = delete;
    ~VkiWorkCopy();
    // Room for n bytes; null when the heap refuses.
    char* Room(int n);
    // The first n bytes of src and a terminator; null when the heap refuses.
    char* Copy(const char* src, int n);
    // text and its terminator.
    char* Copy(const char* text) { return Copy(text, static_cast<int>(strlen(text))); }

private:
    char m_local[1024];
    char* m_heap = nullptr;
};
