#include "VkiImgHdr.h"
#include "VkiScr.h"
#include <io.h>
#include <stdio.h>
#include <string.h>

namespace {

// A file read front to back through a buffer.
class FileBytes {
public:
    explicit FileBytes(const char* path) : m_f(fopen(path, "rb")) {}
    ~FileBytes()
    {
        if (m_f) fclose(m_f);
    }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    bool Ok() const { return m_f != nullptr; }
    long long Size() const { return m_f ? _filelengthi64(_fileno(m_f)) : -1; }
    // The next byte; -1 at the end.
    int Byte()
    {
        if (m_at == m_len && !Fill()) return -1;
        return m_buf[m_at++];
    }
    bool Read(BYTE* out, size_t n)
    {
        for (size_t i = 0; i < n; ++i) {
            int b = Byte();
            if (b < 0) return false;
            out[i] = static_cast<BYTE>(b);
        }
        return true;
    }
    bool Skip(size_t n)
    {
        while (n > 0) {
            if (m_at == m_len && !Fill()) return false;
            size_t step = m_len - m_at < n ? m_len - m_at : n;
            m_at += step;
            n -= step;
        }
        return true;
    }

private:
    bool Fill()
    {
        m_at = 0;
        m_len = fread(m_buf, 1, sizeof(m_buf), m_f);
        return m_len > 0;
    }

    FILE* m_f;
    BYTE m_buf[16384];
    size_t m_at = 0, m_len = 0;
};

template <class T>
T Le(const BYTE* p)
{
    T v = 0;
    for (size_t i = sizeof(T); i-- > 0;) v = static_cast<T>((v << 8) | p[i]);
    return v;
}

// After "BM": pixel data inside the file from the offset the file header gives: plain or bit-field
// rows, or run-length data of the size the header gives.
VkiImgHdr ReadBitmapHdr(FileBytes& f)
{
    BYTE h[52]; // the rest of the file header, then an info header's first 40 bytes
    if (!f.Read(h, 16)) return VKI_IMG_BITMAP_OTHER;
    unsigned long long offset = Le<DWORD>(h + 8), headerSize = Le<DWORD>(h + 12);
    long long width = 0, height = 0;
    int planes = 0, bits = 0;
    DWORD compression = BI_RGB, dataSize = 0;
    if (headerSize == 12) {
        if (!f.Read(h + 16, 8)) return VKI_IMG_BITMAP_OTHER;
        width = Le<WORD>(h + 16);
        height = Le<WORD>(h + 18);
        planes = Le<WORD>(h + 20);
        bits = Le<WORD>(h + 22);
    } else if (headerSize >= 40) {
        if (!f.Read(h + 16, 36)) return VKI_IMG_BITMAP_OTHER;
        width = static_cast<LONG>(Le<DWORD>(h + 16));
        height = static_cast<LONG>(Le<DWORD>(h + 20));
        planes = Le<WORD>(h + 24);
        bits = Le<WORD>(h + 26);
        compression = Le<DWORD>(h + 28);
        dataSize = Le<DWORD>(h + 32);
    } else {
        return VKI_IMG_BITMAP_OTHER;
    }
    if (height < 0) height = -height;
    if (width < 1 || height < 1 || planes != 1 || !VkiIsBitCnt(bits) || offset < 14 + headerSize)
        return VKI_IMG_BITMAP_OTHER;
    unsigned long long data = 0;
    if (compression == BI_RGB || (compression == BI_BITFIELDS && (bits == 16 || bits == 32)))
        data = static_cast<unsigned long long>(VkiStride(width, bits)) * height;
    else if ((compression == BI_RLE8 && bits == 8) || (compression == BI_RLE4 && bits == 4))
        data = dataSize;
    long long size = f.Size();
    return data > 0 && size > 0 && offset <= static_cast<unsigned long long>(size) &&
                   data <= static_cast<unsigned long long>(size) - offset
               ? VKI_IMG_BITMAP
               : VKI_IMG_BITMAP_OTHER;
}

// Skips data sub-blocks up to their terminator; false at the end of the file.
bool SkipSubBlocks(FileBytes& f)
{
    for (;;) {
        int n = f.Byte();
        if (n <= 0) return n == 0;
        if (!f.Skip(static_cast<size_t>(n))) return false;
    }
}

// After "GIF": true when some image has no colour table, or no image can be reached at all.
bool GifLacksColors(FileBytes& f)
{
    BYTE head[10]; // the version, then the logical screen descriptor
    if (!f.Read(head, sizeof(head))) return true;
    if (head[7] & 0x80) return false; // a global table serves every image
    bool image = false;
    for (;;) {
        int block = f.Byte();
        if (block == 0x2C) {
            BYTE d[9];
            if (!f.Read(d, sizeof(d))) return !image;
            if (!(d[8] & 0x80)) return true;
            image = true;
            // The local table, the code size and the image data.
            if (!f.Skip(size_t(3) << ((d[8] & 7) + 1)) || f.Byte() < 0 || !SkipSubBlocks(f)) return false;
        } else if (block == 0x21) {
            if (f.Byte() < 0 || !SkipSubBlocks(f)) return !image;
        } else {
            return !image; // the trailer, the end, or bytes no decoder goes past
        }
    }
}

} // namespace

VkiImgHdr VkiReadImgHdr(const char* path)
{
    FileBytes f(path);
    BYTE sign[3];
    if (!f.Ok() || !f.Read(sign, 2)) return VKI_IMG_OTHER;
    if (sign[0] == 'B' && sign[1] == 'M') return ReadBitmapHdr(f);
    if (sign[0] == 'G' && sign[1] == 'I' && f.Read(sign + 2, 1) && sign[2] == 'F')
        return GifLacksColors(f) ? VKI_IMG_GIF_NO_COLORS : VKI_IMG_OTHER;
    return VKI_IMG_OTHER;
}
