// JPEG files written by the engine itself: a baseline sequential encoder, the once-per-process probe
// of whether the platform's encoder keeps the quality it is given, and the save that uses the two.
#include "VkiDrw.h"
#include "VkiGdp.h"
#include "VkiJpg.h"
#include "VkiScr.h"
#include "VkiSub.h"
#include <math.h>
#include <string.h>

namespace {

// ---- Tables of the baseline format ----

// Natural (row-major) index of each position in zigzag order.
const BYTE kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                          12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                          35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                          58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The standard quantisation tables in natural order: luminance, chrominance. Quality 50 uses them
// as they stand.
const BYTE kQuant[2][64] = {
    {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
     14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
     18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
     49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99},
    {17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
     24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
     99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
     99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99}};

// The standard Huffman tables: codes per length 1..16, then the symbols in code order.
struct HuffDef {
    BYTE bits[16];
    const BYTE* symbols;
};
const BYTE kDcSymbols[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
const BYTE kAcLumaSymbols[162] = {
    0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22, 0x71,
    0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52, 0xd1, 0xf0, 0x24, 0x33, 0x62, 0x72,
    0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x34, 0x35, 0x36, 0x37,
    0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59,
    0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83,
    0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3,
    0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3,
    0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2,
    0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};
const BYTE kAcChromaSymbols[162] = {
    0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71, 0x13, 0x22,
    0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09, 0x23, 0x33, 0x52, 0xf0, 0x15, 0x62, 0x72, 0xd1,
    0x0a, 0x16, 0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18, 0x19, 0x1a, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x35, 0x36,
    0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58,
    0x59, 0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a,
    0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a,
    0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba,
    0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda,
    0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};
// DC luminance, AC luminance, DC chrominance, AC chrominance.
const HuffDef kDcDef[2] = {{{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}, kDcSymbols},
                             {{0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}, kDcSymbols}};
const HuffDef kAcDef[2] = {{{0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d}, kAcLumaSymbols},
                             {{0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77}, kAcChromaSymbols}};

int SymbolCount(const HuffDef& def)
{
    int n = 0;
    for (BYTE b : def.bits) n += b;
    return n;
}

// Code and length of each symbol, assigned in order of length (the canonical codes).
struct HuffTable {
    WORD code[256];
    BYTE size[256];
};

void BuildHuff(const HuffDef& def, HuffTable* t)
{
    memset(t, 0, sizeof(*t));
    int code = 0, k = 0;
    for (int len = 1; len <= 16; ++len) {
        for (int i = 0; i < def.bits[len - 1]; ++i, ++k, ++code) {
            t->code[def.symbols[k]] = static_cast<WORD>(code);
            t->size[def.symbols[k]] = static_cast<BYTE>(len);
        }
        code <<= 1;
    }
}

// ---- Entropy-coded output ----

// Bits into bytes, most significant first, with a 0 stuffed after every 0xFF.
class BitWriter {
public:
    explicit BitWriter(std::vector<BYTE>* out) : m_out(out) {}
    // count is at most 27 (a 16-bit code and 11 extra bits).
    void Put(unsigned bits, int count)
    {
        m_acc = (m_acc << count) | bits;
        m_n += count;
        if (m_n >= 32) Drain();
    }
    // Pads the last byte with 1 bits.
    void Flush()
    {
        Drain();
        if (m_n > 0) Put((1u << (8 - m_n)) - 1, 8 - m_n);
        Drain();
    }

private:
    void Drain()
    {
        while (m_n >= 8) {
            m_n -= 8;
            BYTE b = static_cast<BYTE>(m_acc >> m_n);
            m_out->push_back(b);
            if (b == 0xFF) m_out->push_back(0);
        }
    }
    std::vector<BYTE>* m_out;
    unsigned long long m_acc = 0;
    int m_n = 0;
};

// Bits needed for magnitude v (0..2047).
inline int Category(int v) { return v ? 32 - __builtin_clz(static_cast<unsigned>(v)) : 0; }

// ---- Transform ----

// One 8-point forward DCT (the Arai-Agui-Nakajima factorisation) in place over p[0], p[step], ...,
// p[7 * step]. Output k carries a factor 8 * s(k) beside the true coefficient (s(0) = 1, else
// sqrt(2) cos(k pi / 16) per direction); the quantisation multipliers take both out.
inline void Dct8(float* p, int step)
{
    float s07 = p[0] + p[7 * step], d07 = p[0] - p[7 * step];
    float s16 = p[step] + p[6 * step], d16 = p[step] - p[6 * step];
    float s25 = p[2 * step] + p[5 * step], d25 = p[2 * step] - p[5 * step];
    float s34 = p[3 * step] + p[4 * step], d34 = p[3 * step] - p[4 * step];
    // Even half.
    float a = s07 + s34, b = s07 - s34, c = s16 + s25, d = s16 - s25;
    p[0] = a + c;
    p[4 * step] = a - c;
    float e = (d + b) * 0.707106781f;
    p[2 * step] = b + e;
    p[6 * step] = b - e;
    // Odd half.
    float t0 = d34 + d25, t1 = d25 + d16, t2 = d16 + d07;
    float z5 = (t0 - t2) * 0.382683433f;
    float z2 = 0.541196100f * t0 + z5;
    float z4 = 1.306562965f * t2 + z5;
    float z3 = t1 * 0.707106781f;
    float z11 = d07 + z3, z13 = d07 - z3;
    p[5 * step] = z13 + z2;
    p[3 * step] = z13 - z2;
    p[step] = z11 + z4;
    p[7 * step] = z11 - z4;
}

// Rounds half up; coefficients stay far inside +-16384.
inline int Round(float v) { return static_cast<int>(v + 16384.5f) - 16384; }

inline int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// ---- The encoder ----

class Encoder {
public:
    Encoder(const VkiJpgSource& src, std::vector<BYTE>* out) : m_src(src), m_out(out), m_bits(out) {}
    int Run(int quality, int xDpi, int yDpi);

private:
    bool FindGrey(bool* grey);
    void MakeTables(int quality);
    void WriteHeaders(int xDpi, int yDpi);
    void Marker(int marker, int length);
    void Byte(int b) { m_out->push_back(static_cast<BYTE>(b)); }
    void Word(int w)
    {
        Byte(w >> 8);
        Byte(w);
    }
    bool EncodeStrips();
    void ConvertStrip(int rows);
    void EncodeBlock(const float* plane, int stride, int x, int y, int table, int* prevDc);

    const VkiJpgSource& m_src;
    std::vector<BYTE>* m_out;
    BitWriter m_bits;
    int m_comps = 3;     // 1 grey, 3 YCbCr
    bool m_half = false; // chroma halved both ways
    int m_mcu = 8;       // MCU width and height in pixels
    int m_padWidth = 0;  // width rounded up to whole MCUs
    BYTE m_quant[2][64] = {};  // natural order
    float m_mult[2][64] = {};  // zigzag order: quantisation with the transform's factors
    HuffTable m_dc[2], m_ac[2];
    std::vector<BYTE> m_rows;  // one strip of source pixels
    std::vector<float> m_y, m_cb, m_cr, m_cbFull, m_crFull;
};

int Encoder::Run(int quality, int xDpi, int yDpi)
{
    bool grey = false;
    if (!FindGrey(&grey)) return VKE_NOT_DONE;
    m_comps = grey ? 1 : 3;
    m_half = !grey && quality < 90;
    m_mcu = m_half ? 16 : 8;
    m_padWidth = (m_src.width + m_mcu - 1) / m_mcu * m_mcu;
    MakeTables(quality);
    WriteHeaders(xDpi, yDpi);
    if (!EncodeStrips()) return VKE_NOT_DONE;
    m_bits.Flush();
    Word(0xFFD9);
    return VKE_OK;
}

bool Encoder::FindGrey(bool* grey)
{
    const int strip = 64;
    m_rows.resize(static_cast<size_t>(m_src.width) * 4 * strip);
    for (int y = 0; y < m_src.height; y += strip) {
        int n = m_src.height - y < strip ? m_src.height - y : strip;
        if (!m_src.read(m_src.context, y, n, m_rows.data())) return false;
        const BYTE* p = m_rows.data();
        for (size_t i = 0, count = static_cast<size_t>(m_src.width) * n; i < count; ++i, p += 4) {
            if (p[0] != p[1] || p[1] != p[2]) {
                *grey = false;
                return true;
            }
        }
    }
    *grey = true;
    return true;
}

void Encoder::MakeTables(int quality)
{
    // Quality 50 keeps the standard tables; below, each entry is scaled by 5000 / q percent, from 50
    // up by 200 - 2q percent; entries stay within 1..255 (8-bit tables).
    int q = quality < 1 ? 1 : quality;
    int scale = q < 50 ? 5000 / q : 200 - 2 * q;
    double factor[8];
    for (int k = 0; k < 8; ++k) factor[k] = k == 0 ? 1.0 : sqrt(2.0) * cos(k * 3.14159265358979323846 / 16);
    for (int t = 0; t < 2; ++t) {
        for (int i = 0; i < 64; ++i) m_quant[t][i] = static_cast<BYTE>(Clamp((kQuant[t][i] * scale + 50) / 100, 1, 255));
        for (int k = 0; k < 64; ++k) {
            int n = kZigzag[k];
            m_mult[t][k] = static_cast<float>(1.0 / (m_quant[t][n] * factor[n / 8] * factor[n % 8] * 8.0));
        }
        BuildHuff(kDcDef[t], &m_dc[t]);
        BuildHuff(kAcDef[t], &m_ac[t]);
    }
}

void Encoder::Marker(int marker, int length)
{
    Word(0xFF00 | marker);
    Word(length);
}

void Encoder::WriteHeaders(int xDpi, int yDpi)
{
    int tables = m_comps == 1 ? 1 : 2;
    Word(0xFFD8);
    // JFIF 1.01, density in dots per inch, no thumbnail.
    Marker(0xE0, 16);
    for (char c : {'J', 'F', 'I', 'F', '\0'}) Byte(c);
    Byte(1);
    Byte(1);
    Byte(1);
    Word(xDpi);
    Word(yDpi);
    Byte(0);
    Byte(0);
    Marker(0xDB, 2 + 65 * tables);
    for (int t = 0; t < tables; ++t) {
        Byte(t);
        for (int k = 0; k < 64; ++k) Byte(m_quant[t][kZigzag[k]]);
    }
    // Baseline frame: Y (2x2 when chroma is halved) on table 0, Cb and Cr on table 1.
    Marker(0xC0, 8 + 3 * m_comps);
    Byte(8);
    Word(m_src.height);
    Word(m_src.width);
    Byte(m_comps);
    for (int c = 0; c < m_comps; ++c) {
        Byte(c + 1);
        Byte(c == 0 && m_half ? 0x22 : 0x11);
        Byte(c == 0 ? 0 : 1);
    }
    int length = 2;
    for (int t = 0; t < tables; ++t) length += 34 + SymbolCount(kDcDef[t]) + SymbolCount(kAcDef[t]);
    Marker(0xC4, length);
    for (int t = 0; t < tables; ++t) {
        for (int ac = 0; ac < 2; ++ac) {
            const HuffDef& def = ac ? kAcDef[t] : kDcDef[t];
            Byte(ac << 4 | t);
            for (BYTE b : def.bits) Byte(b);
            for (int i = 0, n = SymbolCount(def); i < n; ++i) Byte(def.symbols[i]);
        }
    }
    Marker(0xDA, 6 + 2 * m_comps);
    Byte(m_comps);
    for (int c = 0; c < m_comps; ++c) {
        Byte(c + 1);
        Byte(c == 0 ? 0x00 : 0x11);
    }
    Byte(0);
    Byte(63);
    Byte(0);
}

bool Encoder::EncodeStrips()
{
    int mcu = m_mcu, pw = m_padWidth, cw = m_half ? pw / 2 : pw;
    m_rows.resize(static_cast<size_t>(m_src.width) * 4 * mcu);
    m_y.resize(static_cast<size_t>(pw) * mcu);
    if (m_comps == 3) {
        m_cb.resize(static_cast<size_t>(cw) * 8);
        m_cr.resize(static_cast<size_t>(cw) * 8);
        if (m_half) {
            m_cbFull.resize(m_y.size());
            m_crFull.resize(m_y.size());
        }
    }
    int dc[3] = {0, 0, 0};
    for (int y = 0; y < m_src.height; y += mcu) {
        int rows = m_src.height - y < mcu ? m_src.height - y : mcu;
        if (!m_src.read(m_src.context, y, rows, m_rows.data())) return false;
        ConvertStrip(rows);
        for (int x = 0; x < pw; x += mcu) {
            for (int by = 0; by < mcu; by += 8)
                for (int bx = 0; bx < mcu; bx += 8) EncodeBlock(m_y.data(), pw, x + bx, by, 0, &dc[0]);
            if (m_comps == 1) continue;
            int cx = m_half ? x / 2 : x;
            EncodeBlock(m_cb.data(), cw, cx, 0, 1, &dc[1]);
            EncodeBlock(m_cr.data(), cw, cx, 0, 1, &dc[2]);
        }
    }
    return true;
}

// The strip's pixels as level-shifted Y, Cb and Cr planes; the last column and row repeat out to
// whole MCUs, and halved chroma is the mean of each 2 x 2.
void Encoder::ConvertStrip(int rows)
{
    int w = m_src.width, pw = m_padWidth;
    bool full = m_comps == 3 && !m_half;
    float* cbRow = nullptr;
    float* crRow = nullptr;
    for (int r = 0; r < m_mcu; ++r) {
        const BYTE* p = m_rows.data() + static_cast<size_t>(r < rows ? r : rows - 1) * w * 4;
        float* yRow = m_y.data() + static_cast<size_t>(r) * pw;
        if (m_comps == 3) {
            cbRow = (full ? m_cb.data() : m_cbFull.data()) + static_cast<size_t>(r) * pw;
            crRow = (full ? m_cr.data() : m_crFull.data()) + static_cast<size_t>(r) * pw;
        }
        for (int x = 0; x < w; ++x, p += 4) {
            float b = p[0], g = p[1], rd = p[2];
            yRow[x] = 0.299f * rd + 0.587f * g + 0.114f * b - 128.0f;
            if (!cbRow) continue;
            cbRow[x] = -0.168736f * rd - 0.331264f * g + 0.5f * b;
            crRow[x] = 0.5f * rd - 0.418688f * g - 0.081312f * b;
        }
        for (int x = w; x < pw; ++x) {
            yRow[x] = yRow[w - 1];
            if (!cbRow) continue;
            cbRow[x] = cbRow[w - 1];
            crRow[x] = crRow[w - 1];
        }
    }
    if (!m_half) return;
    int cw = pw / 2;
    for (int r = 0; r < 8; ++r) {
        const float* cb0 = m_cbFull.data() + static_cast<size_t>(2 * r) * pw;
        const float* cr0 = m_crFull.data() + static_cast<size_t>(2 * r) * pw;
        float* cb = m_cb.data() + static_cast<size_t>(r) * cw;
        float* cr = m_cr.data() + static_cast<size_t>(r) * cw;
        for (int x = 0; x < cw; ++x) {
            cb[x] = 0.25f * (cb0[2 * x] + cb0[2 * x + 1] + cb0[pw + 2 * x] + cb0[pw + 2 * x + 1]);
            cr[x] = 0.25f * (cr0[2 * x] + cr0[2 * x + 1] + cr0[pw + 2 * x] + cr0[pw + 2 * x + 1]);
        }
    }
}

void Encoder::EncodeBlock(const float* plane, int stride, int x, int y, int table, int* prevDc)
{
    float blk[64];
    for (int r = 0; r < 8; ++r) memcpy(blk + r * 8, plane + static_cast<size_t>(y + r) * stride + x, 8 * sizeof(float));
    for (int r = 0; r < 8; ++r) Dct8(blk + r * 8, 1);
    for (int c = 0; c < 8; ++c) Dct8(blk + c, 8);
    const float* mult = m_mult[table];
    int q[64];
    for (int k = 0; k < 64; ++k) q[k] = Round(blk[kZigzag[k]] * mult[k]);

    // DC: the difference from the previous block of the component.
    int dc = Clamp(q[0], -1024, 1023);
    int diff = dc - *prevDc;
    *prevDc = dc;
    int mag = diff < 0 ? -diff : diff, cat = Category(mag);
    const HuffTable& dct = m_dc[table];
    m_bits.Put(static_cast<unsigned>(dct.code[cat]) << cat | (static_cast<unsigned>(diff < 0 ? diff - 1 : diff) & ((1u << cat) - 1)),
               dct.size[cat] + cat);
    // AC: runs of zeros and values; 16 zeros as 0xF0, the end of the block as 0x00.
    const HuffTable& act = m_ac[table];
    int run = 0;
    for (int k = 1; k < 64; ++k) {
        int v = Clamp(q[k], -1023, 1023);
        if (v == 0) {
            ++run;
            continue;
        }
        for (; run > 15; run -= 16) m_bits.Put(act.code[0xF0], act.size[0xF0]);
        mag = v < 0 ? -v : v;
        cat = Category(mag);
        int sym = run << 4 | cat;
        m_bits.Put(static_cast<unsigned>(act.code[sym]) << cat | (static_cast<unsigned>(v < 0 ? v - 1 : v) & ((1u << cat) - 1)),
                   act.size[sym] + cat);
        run = 0;
    }
    if (run > 0) m_bits.Put(act.code[0], act.size[0]);
}

// ---- The platform's encoder ----

// Size of a 32 x 32 image of noise saved by the platform's encoder at quality into memory; false
// when it cannot be saved.
bool PlatformSize(const CLSID& jpeg, ULONG quality, ULONGLONG* size)
{
    BYTE pixels[32 * 32 * 3];
    unsigned seed = 12345;
    for (BYTE& p : pixels) {
        seed = seed * 1103515245u + 12345u;
        p = static_cast<BYTE>(seed >> 16);
    }
    VkiGdpImage image;
    if (Gdp::GdipCreateBitmapFromScan0(32, 32, 32 * 3, PixelFormat24bppRGB, pixels, image.Out()) != Gdiplus::Ok)
        return false;
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(nullptr, TRUE, &stream) != S_OK) return false;
    Gdiplus::EncoderParameters params;
    params.Count = 1;
    params.Parameter[0] = {VkiGdpQualityId, 1, Gdiplus::EncoderParameterValueTypeLong, &quality};
    LARGE_INTEGER zero = {};
    ULARGE_INTEGER end = {};
    bool ok = Gdp::GdipSaveImageToStream(image.Get(), stream, &jpeg, &params) == Gdiplus::Ok &&
              stream->Seek(zero, STREAM_SEEK_CUR, &end) == S_OK;
    stream->Release();
    *size = end.QuadPart;
    return ok && end.QuadPart > 0;
}

INIT_ONCE g_probe = INIT_ONCE_STATIC_INIT;
bool g_qualityIgnored = false;

BOOL CALLBACK Probe(PINIT_ONCE, PVOID jpeg, PVOID*)
{
    ULONGLONG low = 0, high = 0;
    const CLSID& id = *static_cast<const CLSID*>(jpeg);
    // A probe that could not run is tried again by the next save.
    if (!PlatformSize(id, 10, &low) || !PlatformSize(id, 90, &high)) return FALSE;
    g_qualityIgnored = low == high;
    return TRUE;
}

// ---- Bitmap rows ----

struct BitmapRows {
    HBITMAP bitmap;
    int width, height;
    HDC dc;
    std::vector<BYTE> buffer;
};

// Rows of a bitmap at 32 bits through GetDIBits, which reads them bottom-up.
bool ReadBitmapRows(void* context, int y, int count, BYTE* rows)
{
    auto* src = static_cast<BitmapRows*>(context);
    VkiBitmapInfo info;
    memset(&info.h, 0, sizeof(info.h));
    VkiFillHeader(&info.h, src->width, src->height, 32);
    size_t stride = static_cast<size_t>(src->width) * 4;
    src->buffer.resize(stride * count);
    if (GetDIBits(src->dc, src->bitmap, static_cast<UINT>(src->height - y - count), static_cast<UINT>(count),
                  src->buffer.data(), info.Get(), DIB_RGB_COLORS) != count)
        return false;
    for (int i = 0; i < count; ++i) memcpy(rows + stride * i, src->buffer.data() + stride * (count - 1 - i), stride);
    return true;
}

// A resolution as a JFIF density: whole dots per inch, 1..65535.
int Density(float res) { return res >= 65535.0f ? 65535 : res < 1.0f ? 1 : static_cast<int>(res + 0.5f); }

} // namespace

int VkiJpgEncode(const VkiJpgSource& src, int quality, int xDpi, int yDpi, std::vector<BYTE>* out)
{
    if (!out || !src.read || quality < 0 || quality > 100 || xDpi < 1 || xDpi > 65535 || yDpi < 1 || yDpi > 65535)
        return VKE_ERR_ARG;
    out->clear();
    if (src.width < 1 || src.height < 1 || src.width > 65535 || src.height > 65535) return VKE_NOT_DONE;
    Encoder encoder(src, out);
    int rc = encoder.Run(quality, xDpi, yDpi);
    if (rc != VKE_OK) out->clear();
    return rc;
}

bool VkiJpgQualityIgnored(const CLSID& jpeg)
{
    return InitOnceExecuteOnce(&g_probe, Probe, const_cast<CLSID*>(&jpeg), nullptr) && g_qualityIgnored;
}

// ---- The save ----

bool VkiDrw::UseOwnJpeg(const Gdiplus::EncoderParameters* params, int* quality)
{
    *quality = -1;
    if (!params) return false;
    for (UINT i = 0; i < params->Count; ++i) {
        const Gdiplus::EncoderParameter& p = params->Parameter[i];
        if (IsEqualGUID(p.Guid, VkiGdpQualityId) && p.Type == Gdiplus::EncoderParameterValueTypeLong &&
            p.NumberOfValues >= 1 && p.Value && *static_cast<const ULONG*>(p.Value) <= 100)
            *quality = static_cast<int>(*static_cast<const ULONG*>(p.Value));
    }
    CLSID jpeg;
    return *quality >= 0 && GetEncClsIdByImgTyp(1, &jpeg) == VKE_OK && VkiJpgQualityIgnored(jpeg);
}

int VkiDrw::SaveOwnJpeg(const char* path, HBITMAP bitmap, float xRes, float yRes, int quality)
{
    char full[1024];
    int rc = CheckSavePath(path, full, sizeof(full));
    if (rc != VKE_OK) return rc;
    BitmapRows rows = {bitmap, 0, 0, nullptr, {}};
    int bits = 0;
    rc = GetImageInf(bitmap, &rows.width, &rows.height, &bits);
    if (rc != VKE_OK) return rc;
    VkiScreenDC screen;
    if (!screen.Get()) return VKE_ERR_MEMORY;
    if (xRes == 0 || yRes == 0) {
        xRes = static_cast<float>(GetDeviceCaps(screen.Get(), LOGPIXELSX));
        yRes = static_cast<float>(GetDeviceCaps(screen.Get(), LOGPIXELSY));
    }
    // A negative or undefined resolution is no density: not written.
    if (!(xRes > 0) || !(yRes > 0)) return VKE_NOT_DONE;
    rows.dc = screen.Get();
    std::vector<BYTE> data;
    rc = VkiJpgEncode({rows.width, rows.height, ReadBitmapRows, &rows}, quality, Density(xRes), Density(yRes), &data);
    if (rc != VKE_OK) return rc;
    return WriteReplacing(full, rows.width, rows.height, [&data](const WCHAR* temp) {
        HANDLE file = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        bool ok = WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
                  written == data.size();
        return CloseHandle(file) && ok;
    });
}
