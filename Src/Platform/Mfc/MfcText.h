// Shift-JIS (code page 932) character steps used by the string and filter code of the layer.
// Every search for a separator walks characters, so a trail byte 0x5C or 0x7C is never taken
// for "\" or "|".
#pragma once

inline bool AfxIsSjsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool AfxIsSjsTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Bytes of the character at p: 2 for a lead byte followed by a trail byte, else 1; 0 at the end.
inline int AfxCharLen(const char* p)
{
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    if (u[0] == 0) return 0;
    return (AfxIsSjsLead(u[0]) && AfxIsSjsTrail(u[1])) ? 2 : 1;
}

// Start of the character that holds byte index i of text (len bytes long).
inline int AfxCharStart(const char* text, int len, int i)
{
    int p = 0;
    while (p < len) {
        int n = AfxCharLen(text + p);
        if (n == 0 || p + n > i) break;
        p += n;
    }
    return p;
}

// First character boundary at or after byte index i.
inline int AfxCharBoundaryAfter(const char* text, int len, int i)
{
    int p = 0;
    while (p < i && p < len) {
        int n = AfxCharLen(text + p);
        if (n == 0) break;
        p += n;
    }
    return p;
}
