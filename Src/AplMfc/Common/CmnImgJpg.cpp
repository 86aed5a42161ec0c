// The reduced JPEG decode: markers, Huffman tables, the walk of the entropy-coded data that keeps
// only DC coefficients, and the colour conversion of the block means.
#include "CmnImgJpg.h"
#include <string.h>

namespace {

// Marker codes.
enum {
    kSof0 = 0xC0, kSof1 = 0xC1, kSof2 = 0xC2, kDht = 0xC4, kRst0 = 0xD0, kSoi = 0xD8, kEoi = 0xD9, kSos = 0xDA,
    kDqt = 0xDB, kDri = 0xDD, kApp0 = 0xE0, kApp14 = 0xEE, kCom = 0xFE
};

const int kSkipBits = 11; // look-ahead of the AC skip table
const int kEob = 128;     // coefficients "advanced" by an end of block: past any real position
const uint64_t kMostBlocks = 4u << 20; // blocks of all components at most: some 85 MP in full colour

int Be16(const uint8_t* p) { return (p[0] << 8) | p[1]; }

} // namespace

// The parameters of one scan.
struct CmnImgJpg::Scan {
    int iCount;
    int aiComp[4]; // indexes into m_comps
    int aiTd[4], aiTa[4];
    int iSs, iSe, iAh, iAl;
};

// The entropy-coded data as bits, most significant first: byte stuffing removed, stopped at the
// first marker or the end of the bytes. Past them it reads zero bits and counts them, so a
// decode that used bits the data does not hold is found (Overrun) and nothing past the bytes is
// ever read.
class CmnImgJpg::Bits {
public:
    Bits(const uint8_t* p, const uint8_t* end) : m_p(p), m_pEnd(end) {}

    const uint8_t* Pos() const { return m_p; }
    bool Overrun() const { return m_iCnt < m_iPad; }

    // At least 32 bits in the buffer afterwards.
    void Need()
    {
        if (m_iCnt >= 32) return;
        // Eight bytes at hand and none of them 0xFF: as many whole bytes as fit, at once.
        if (m_pEnd - m_p >= 8) {
            uint64_t v;
            memcpy(&v, m_p, 8);
            v = __builtin_bswap64(v);
            const uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
            const uint64_t inv = ~v;
            if (((inv - ones) & ~inv & highs) == 0) {
                const int bytes = (63 - m_iCnt) >> 3;
                m_qBuf |= (v & (~0ull << (64 - 8 * bytes))) >> m_iCnt;
                m_iCnt += 8 * bytes;
                m_p += bytes;
                return;
            }
        }
        Fill();
    }
    uint32_t Peek(int n) const { return static_cast<uint32_t>(m_qBuf >> (64 - n)); }
    void Skip(int n)
    {
        m_qBuf <<= n;
        m_iCnt -= n;
    }
    // n bits (1..16) as a number; Need first.
    int Get(int n)
    {
        int v = static_cast<int>(Peek(n));
        Skip(n);
        return v;
    }
    // n bits read as a signed difference of magnitude category n (0..16); Need first.
    int Receive(int n)
    {
        if (n == 0) return 0;
        int v = Get(n);
        return v < (1 << (n - 1)) ? v - (1 << n) + 1 : v;
    }
    // A symbol of h; -1 when the bits are no code of it.
    int Decode(const Huff& h)
    {
        Need();
        unsigned e = h.awFast[Peek(9)];
        if (e) {
            Skip(static_cast<int>(e >> 8));
            return static_cast<int>(e & 0xFF);
        }
        for (int len = 10; len <= 16; ++len) {
            int32_t code = static_cast<int32_t>(Peek(len));
            if (code <= h.alMaxCode[len]) {
                Skip(len);
                return h.abVal[h.alValOff[len] + code];
            }
        }
        return -1;
    }
    // After a restart interval: the marker RSTn must come next (fill bytes allowed); the bits
    // start again after it.
    bool Restart(int n)
    {
        m_qBuf = 0;
        m_iCnt = m_iPad = 0;
        m_pEnd = m_pLimit ? m_pLimit : m_pEnd;
        m_pLimit = nullptr;
        const uint8_t* p = m_p;
        if (p >= m_pEnd || *p != 0xFF) return false;
        while (p < m_pEnd && *p == 0xFF) ++p;
        if (p >= m_pEnd || *p != kRst0 + n) return false;
        m_p = p + 1;
        return true;
    }

private:
    void Fill()
    {
        while (m_iCnt <= 56) {
            uint32_t b = 0;
            if (m_p < m_pEnd) {
                b = *m_p;
                if (b != 0xFF) {
                    ++m_p;
                } else if (m_p + 1 < m_pEnd && m_p[1] == 0) {
                    m_p += 2; // a stuffed 0xFF
                } else {
                    // A marker (or the last byte): the data ends here; the end is kept for a
                    // restart to go on after the marker.
                    m_pLimit = m_pEnd;
                    m_pEnd = m_p;
                    b = 0;
                    m_iPad += 8;
                }
            } else {
                m_iPad += 8;
            }
            m_qBuf |= static_cast<uint64_t>(b) << (56 - m_iCnt);
            m_iCnt += 8;
        }
    }

    const uint8_t* m_p;
    const uint8_t* m_pEnd;
    const uint8_t* m_pLimit = nullptr; // the bytes' real end while m_pEnd stops at a marker
    uint64_t m_qBuf = 0;
    int m_iCnt = 0; // bits in m_qBuf
    int m_iPad = 0; // zero bits at its low end that are not data
};

// ---- Huffman tables ----

bool CmnImgJpg::BuildHuff(Huff* h, const uint8_t* counts, const uint8_t* vals, bool ac)
{
    memset(h->awFast, 0, sizeof(h->awFast));
    int32_t code = 0;
    int k = 0;
    for (int len = 1; len <= 16; ++len) {
        h->alValOff[len] = k - code;
        for (int i = 0; i < counts[len - 1]; ++i, ++k, ++code) {
            if (code >= (1 << len)) return false; // more codes than the length holds
            if (len <= 9) {
                int first = code << (9 - len);
                for (int j = 0; j < (1 << (9 - len)); ++j)
                    h->awFast[first + j] = static_cast<uint16_t>((len << 8) | vals[k]);
            }
        }
        h->alMaxCode[len] = counts[len - 1] ? code - 1 : -1;
        code <<= 1;
    }
    memcpy(h->abVal, vals, static_cast<size_t>(k));
    h->bDefined = true;
    // Whole symbols with their extra bits within the look-ahead: one step each.
    for (uint32_t bits = 0; bits < (1u << kSkipBits); ++bits) {
        int len = 0, sym = -1;
        unsigned e = h->awFast[bits >> (kSkipBits - 9)];
        if (e) {
            len = static_cast<int>(e >> 8);
            sym = static_cast<int>(e & 0xFF);
        } else {
            for (int l = 10; l <= kSkipBits && sym < 0; ++l) {
                int32_t c = static_cast<int32_t>(bits >> (kSkipBits - l));
                if (c <= h->alMaxCode[l]) {
                    len = l;
                    sym = h->abVal[h->alValOff[l] + c];
                }
            }
        }
        const int run = sym >> 4, size = sym & 15;
        if (!ac) {
            int32_t diff = 0;
            if (sym < 0 || sym > 11 || len + sym > kSkipBits) {
                h->alDiff[bits] = 0;
                continue;
            }
            if (sym) {
                diff = static_cast<int32_t>((bits >> (kSkipBits - len - sym)) & ((1u << sym) - 1));
                if (diff < (1 << (sym - 1))) diff += 1 - (1 << sym);
            }
            h->alDiff[bits] = diff * 256 + len + sym;
            continue;
        }
        uint16_t skip = 0;
        if (sym == 0) skip = static_cast<uint16_t>(len | (kEob << 5));
        else if (sym == 0xF0) skip = static_cast<uint16_t>(len | (16 << 5));
        else if (sym > 0 && size > 0 && len + size <= kSkipBits) skip = static_cast<uint16_t>((len + size) | ((run + 1) << 5));
        h->awSkip[bits] = skip;
    }
    return true;
}

// ---- Markers ----

// The next marker segment from *pos: its code, and for a segment with a length the bytes after
// the length field. False with *rc set when the bytes end or are no marker.
bool CmnImgJpg::Segment(const uint8_t* data, size_t size, size_t* pos, int* marker, size_t* length, int* rc)
{
    size_t p = *pos;
    if (p >= size) {
        *rc = NeedMore;
        return false;
    }
    if (data[p] != 0xFF) {
        *rc = NotDone;
        return false;
    }
    while (p < size && data[p] == 0xFF) ++p; // fill bytes
    if (p >= size) {
        *rc = NeedMore;
        return false;
    }
    *marker = data[p++];
    *length = 0;
    if (*marker == kEoi || (*marker >= kRst0 && *marker < kRst0 + 8) || *marker == 0) {
        *pos = p;
        return true;
    }
    if (size - p < 2) {
        *rc = NeedMore;
        return false;
    }
    size_t len = static_cast<size_t>(Be16(data + p));
    if (len < 2) {
        *rc = NotDone;
        return false;
    }
    if (size - p < len) {
        *rc = NeedMore;
        return false;
    }
    *length = len - 2;
    *pos = p + 2;
    return true;
}

int CmnImgJpg::ReadFrame(const uint8_t* p, size_t length)
{
    if (m_bFrame || length < 6) return NotDone;
    int count = p[5];
    if (p[0] != 8 || (count != 1 && count != 3) || length != 6 + 3 * static_cast<size_t>(count)) return NotDone;
    m_iHeight = Be16(p + 1);
    m_iWidth = Be16(p + 3);
    if (m_iHeight < 1 || m_iWidth < 1) return NotDone; // a height given later (DNL) is not taken
    m_comps.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const uint8_t* c = p + 6 + 3 * i;
        Comp& comp = m_comps[static_cast<size_t>(i)];
        comp.iId = c[0];
        comp.iH = c[1] >> 4;
        comp.iV = c[1] & 15;
        comp.iTq = c[2];
        comp.iQ0 = 0;
        comp.iDcAl = -1;
        if (comp.iH < 1 || comp.iH > 4 || comp.iV < 1 || comp.iV > 4 || comp.iTq > 3) return NotDone;
        for (int j = 0; j < i; ++j)
            if (m_comps[static_cast<size_t>(j)].iId == comp.iId) return NotDone;
        if (comp.iH > m_iHMax) m_iHMax = comp.iH;
        if (comp.iV > m_iVMax) m_iVMax = comp.iV;
    }
    // Three components named R, G and B hold no YCbCr.
    if (count == 3 && m_comps[0].iId == 'R' && m_comps[1].iId == 'G' && m_comps[2].iId == 'B') return NotDone;
    m_iMcusX = (m_iWidth + 8 * m_iHMax - 1) / (8 * m_iHMax);
    m_iMcusY = (m_iHeight + 8 * m_iVMax - 1) / (8 * m_iVMax);
    m_bFrame = true;
    return Ok;
}

int CmnImgJpg::ReadTables(int marker, const uint8_t* p, size_t length)
{
    size_t i = 0;
    switch (marker) {
    case kDqt:
        while (i < length) {
            int pq = p[i] >> 4, tq = p[i] & 15;
            size_t n = pq ? 128 : 64;
            if (pq > 1 || tq > 3 || length - i - 1 < n) return NotDone;
            int q0 = pq ? Be16(p + i + 1) : p[i + 1];
            if (q0 == 0) return NotDone;
            m_aiQ0[tq] = q0;
            m_abQ[tq] = true;
            i += 1 + n;
        }
        return Ok;
    case kDht:
        while (i < length) {
            int tc = p[i] >> 4, th = p[i] & 15;
            if (tc > 1 || th > 3 || length - i < 17) return NotDone;
            const uint8_t* counts = p + i + 1;
            size_t total = 0;
            for (int l = 0; l < 16; ++l) total += counts[l];
            if (total > 256 || length - i - 17 < total) return NotDone;
            if (!BuildHuff(tc ? &m_ac[th] : &m_dc[th], counts, p + i + 17, tc == 1)) return NotDone;
            i += 17 + total;
        }
        return Ok;
    case kDri:
        if (length != 2) return NotDone;
        m_iRestart = Be16(p);
        return Ok;
    case kApp14:
        // Adobe's marker: a transform of 0 on three components means RGB.
        if (length >= 12 && memcmp(p, "Adobe", 5) == 0 && p[11] == 0) m_bAdobeRgb = true;
        return Ok;
    default:
        return (marker >= kApp0 && marker <= 0xEF) || marker == kCom ? Ok : NotDone;
    }
}

int CmnImgJpg::ReadHeader(const uint8_t* data, size_t size)
{
    if (!data) return NotDone;
    if (size < 2) return NeedMore;
    if (data[0] != 0xFF || data[1] != kSoi) return NotDone;
    m_bFrame = m_bAdobeRgb = false;
    m_iRestart = 0;
    m_comps.clear();
    m_iHMax = m_iVMax = 1;
    size_t pos = 2;
    for (;;) {
        int marker = 0, rc = Ok;
        size_t length = 0;
        if (!Segment(data, size, &pos, &marker, &length, &rc)) return rc;
        const uint8_t* p = data + pos;
        pos += length;
        if (marker == kSof0 || marker == kSof1 || marker == kSof2) {
            m_bProgressive = marker == kSof2;
            rc = ReadFrame(p, length);
            m_nPos = pos;
            return rc;
        }
        rc = ReadTables(marker, p, length);
        if (rc != Ok) return rc;
    }
}

// ---- Scans ----

// Sizes the coefficient planes once: refused when the file is too short to hold that many
// blocks (each coded block takes at least one bit), so a header that lies allocates nothing, and
// beyond kMostBlocks (some 85 million pixels in full colour), which the platform's decode takes.
int CmnImgJpg::Planes(size_t size)
{
    if (m_bPlanes) return Ok;
    uint64_t total = 0;
    for (const Comp& c : m_comps)
        total += static_cast<uint64_t>(m_iMcusX) * static_cast<uint64_t>(c.iH) * static_cast<uint64_t>(m_iMcusY) *
                 static_cast<uint64_t>(c.iV);
    if (total > 32 * static_cast<uint64_t>(size) + 4096 || total > kMostBlocks) return NotDone;
    for (Comp& c : m_comps) {
        c.iPlaneW = m_iMcusX * c.iH;
        c.iPlaneH = m_iMcusY * c.iV;
        c.plane.assign(static_cast<size_t>(c.iPlaneW) * static_cast<size_t>(c.iPlaneH), 0);
    }
    m_bPlanes = true;
    return Ok;
}

int CmnImgJpg::ReadScan(const uint8_t* data, size_t size, const uint8_t* p, size_t length, size_t* pos)
{
    if (length < 1) return NotDone;
    Scan scan = {};
    scan.iCount = p[0];
    if (scan.iCount < 1 || scan.iCount > static_cast<int>(m_comps.size()) ||
        length != 4 + 2 * static_cast<size_t>(scan.iCount))
        return NotDone;
    int blocks = 0;
    for (int i = 0; i < scan.iCount; ++i) {
        int id = p[1 + 2 * i], idx = -1;
        for (size_t c = 0; c < m_comps.size(); ++c)
            if (m_comps[c].iId == id) idx = static_cast<int>(c);
        if (idx < 0) return NotDone; // a component the frame does not have
        for (int j = 0; j < i; ++j)
            if (scan.aiComp[j] == idx) return NotDone;
        scan.aiComp[i] = idx;
        scan.aiTd[i] = p[2 + 2 * i] >> 4;
        scan.aiTa[i] = p[2 + 2 * i] & 15;
        if (scan.aiTd[i] > 3 || scan.aiTa[i] > 3) return NotDone;
        blocks += m_comps[static_cast<size_t>(idx)].iH * m_comps[static_cast<size_t>(idx)].iV;
    }
    if (scan.iCount > 1 && blocks > 10) return NotDone;
    const uint8_t* q = p + 1 + 2 * scan.iCount;
    scan.iSs = q[0];
    scan.iSe = q[1];
    scan.iAh = q[2] >> 4;
    scan.iAl = q[2] & 15;
    if (m_bAdobeRgb && m_comps.size() == 3) return NotDone;
    if (!m_bProgressive) {
        if (scan.iSs != 0 || scan.iSe != 63 || scan.iAh != 0 || scan.iAl != 0) return NotDone;
    } else if (scan.iSs != 0) {
        // An AC scan: not needed; its data is passed over up to the next marker.
        if (scan.iSe < scan.iSs || scan.iSe > 63 || scan.iCount != 1) return NotDone;
        size_t i = *pos;
        for (;;) {
            const void* ff = i < size ? memchr(data + i, 0xFF, size - i) : nullptr;
            if (!ff) return NotDone;
            i = static_cast<size_t>(static_cast<const uint8_t*>(ff) - data);
            if (i + 1 >= size) return NotDone;
            uint8_t next = data[i + 1];
            if (next != 0 && next != 0xFF && (next < kRst0 || next >= kRst0 + 8)) break;
            i += next == 0xFF ? 1 : 2;
        }
        *pos = i;
        return Ok;
    } else if (scan.iSe != 0 || scan.iAl > 13) {
        return NotDone;
    }
    // A DC scan (or a sequential one): first or refining, in the order the components need.
    for (int i = 0; i < scan.iCount; ++i) {
        Comp& c = m_comps[static_cast<size_t>(scan.aiComp[i])];
        if (scan.iAh == 0 ? c.iDcAl >= 0 : c.iDcAl != scan.iAh || scan.iAl != scan.iAh - 1) return NotDone;
        if (scan.iAh == 0 && (!m_dc[scan.aiTd[i]].bDefined || !m_abQ[c.iTq])) return NotDone;
        if (!m_bProgressive && !m_ac[scan.aiTa[i]].bDefined) return NotDone;
        if (c.iDcAl < 0) c.iQ0 = m_aiQ0[c.iTq];
    }
    int rc = Planes(size);
    if (rc == Ok) rc = DecodeScan(scan, data, size, pos);
    if (rc != Ok) return rc;
    for (int i = 0; i < scan.iCount; ++i) m_comps[static_cast<size_t>(scan.aiComp[i])].iDcAl = scan.iAl;
    return Ok;
}

// One block's place in every MCU of a scan.
struct CmnImgJpg::Slot {
    int16_t* pBase;    // the block in the first MCU
    size_t nStepX;     // from one MCU to the next along a row
    size_t nStepY;     // from one row of MCUs to the next
    int iPred;         // the scan's component index: its DC predictor
    const Huff* pDc;
    const Huff* pAc;
};

int CmnImgJpg::DecodeScan(const Scan& scan, const uint8_t* data, size_t size, size_t* pos)
{
    // One component alone is not interleaved: its own blocks, row by row, one to an MCU.
    Slot slots[10];
    int count = 0, unitsX = m_iMcusX, unitsY = m_iMcusY;
    for (int i = 0; i < scan.iCount; ++i) {
        Comp& c = m_comps[static_cast<size_t>(scan.aiComp[i])];
        const size_t row = static_cast<size_t>(c.iPlaneW);
        const int bw = scan.iCount == 1 ? 1 : c.iH, bh = scan.iCount == 1 ? 1 : c.iV;
        if (scan.iCount == 1) {
            unitsX = ((m_iWidth * c.iH + m_iHMax - 1) / m_iHMax + 7) / 8;
            unitsY = ((m_iHeight * c.iV + m_iVMax - 1) / m_iVMax + 7) / 8;
        }
        for (int by = 0; by < bh; ++by)
            for (int bx = 0; bx < bw; ++bx)
                slots[count++] = {&c.plane[static_cast<size_t>(by) * row + static_cast<size_t>(bx)],
                                  static_cast<size_t>(bw), static_cast<size_t>(bh) * row, i, &m_dc[scan.aiTd[i]],
                                  &m_ac[scan.aiTa[i]]};
    }
    const int mode = scan.iAh ? 2 : m_bProgressive ? 1 : 0;
    Bits bits(data + *pos, data + size);
    int pred[4] = {};
    int left = m_iRestart, rst = 0;
    const int scale = 1 << scan.iAl;
    for (int uy = 0; uy < unitsY; ++uy) {
        for (int ux = 0; ux < unitsX; ++ux) {
            if (m_iRestart) {
                if (left == 0) {
                    if (!bits.Restart(rst)) return NotDone;
                    rst = (rst + 1) & 7;
                    left = m_iRestart;
                    pred[0] = pred[1] = pred[2] = pred[3] = 0;
                }
                --left;
            }
            for (int b = 0; b < count; ++b) {
                const Slot& sl = slots[b];
                int16_t* coef = sl.pBase + static_cast<size_t>(uy) * sl.nStepY + static_cast<size_t>(ux) * sl.nStepX;
                if (mode == 2) {
                    // A refining DC scan: one more bit of each coefficient, uncoded.
                    bits.Need();
                    if (bits.Get(1)) *coef = static_cast<int16_t>(*coef | scale);
                    continue;
                }
                int diff;
                bits.Need();
                const int32_t e = sl.pDc->alDiff[bits.Peek(kSkipBits)];
                if (e) {
                    bits.Skip(e & 31);
                    diff = e >> 8; // an arithmetic shift: the difference's sign stays
                } else {
                    int s = bits.Decode(*sl.pDc);
                    if (s < 0 || s > 11) return NotDone;
                    diff = bits.Receive(s);
                }
                int v = (pred[sl.iPred] += diff) * scale;
                if (v < -2048 || v > 2047) return NotDone;
                *coef = static_cast<int16_t>(v);
                if (mode == 0 && !SkipAc(bits, *sl.pAc)) return NotDone;
            }
            if (bits.Overrun()) return NotDone;
        }
    }
    // Past the scan: the next marker, wherever the data ended.
    size_t i = static_cast<size_t>(bits.Pos() - data);
    while (i < size && !(data[i] == 0xFF && i + 1 < size && data[i + 1] != 0)) ++i;
    *pos = i;
    return Ok;
}

// Passes over a block's AC coefficients, symbol by symbol.
inline bool CmnImgJpg::SkipAc(Bits& bits, const Huff& ac)
{
    int k = 1;
    while (k < 64) {
        bits.Need();
        unsigned e = ac.awSkip[bits.Peek(kSkipBits)];
        if (e) {
            bits.Skip(static_cast<int>(e & 31));
            k += static_cast<int>(e >> 5);
            continue;
        }
        int rs = bits.Decode(ac);
        if (rs < 0) return false;
        int run = rs >> 4, size = rs & 15;
        if (size == 0) {
            if (run == 0) return true;
            if (run != 15) return false;
            k += 16;
            continue;
        }
        if (size > 10) return false;
        k += run + 1;
        bits.Skip(size); // Decode left at least 16 bits
    }
    return k == 64 || k > kEob; // not a run past the block's end
}

bool CmnImgJpg::Done() const
{
    for (const Comp& c : m_comps)
        if (c.iDcAl != 0) return false;
    return true;
}

int CmnImgJpg::Decode(const uint8_t* data, size_t size, std::vector<uint8_t>* pixels)
{
    if (!m_bFrame || !data || !pixels || m_nPos > size) return NotDone;
    size_t pos = m_nPos;
    while (!Done()) {
        int marker = 0, rc = Ok;
        size_t length = 0;
        if (!Segment(data, size, &pos, &marker, &length, &rc)) return NotDone;
        const uint8_t* p = data + pos;
        pos += length;
        rc = marker == kSos ? ReadScan(data, size, p, length, &pos) : ReadTables(marker, p, length);
        if (rc != Ok) return NotDone;
    }
    Convert(pixels);
    return Ok;
}

// ---- Colours ----

namespace {

// Where a reduced row or column takes a component from: two neighbouring blocks and the second's
// weight. The reduced picture's pixels are all alike (a picture of 203 columns makes 26 of
// 203 / 26 columns each, not 25 of 8 and one of 3), so a stretch of it puts everything where the
// whole picture's stretch would. A component sampled as finely as the picture gives the mean of
// what the pixel covers (at most two blocks); one sampled more coarsely is interpolated between
// its block centres, as the full decode's upsampling would.
struct Tap {
    int i0, i1;
    double w;
};

std::vector<Tap> MakeTaps(int count, int size, int sampling, int most, int blocks)
{
    std::vector<Tap> taps(static_cast<size_t>(count));
    const double step = static_cast<double>(size) / count / 8.0; // picture blocks per pixel, at most 1
    for (int x = 0; x < count; ++x) {
        Tap& t = taps[static_cast<size_t>(x)];
        double a, b;
        if (sampling == most) {
            a = x * step;
            b = (x + 1) * step;
        } else {
            // The pixel's centre in the component's blocks, less half a block.
            a = b = ((x + 0.5) * step) * sampling / most - 0.5;
            if (a < 0) a = b = 0;
        }
        int i = static_cast<int>(a);
        double cut = i + 1.0; // where block i ends
        t.i0 = i < blocks ? i : blocks - 1;
        t.i1 = i + 1 < blocks ? i + 1 : blocks - 1;
        if (sampling == most) t.w = b > cut ? (b - cut) / (b - a) : 0.0;
        else t.w = a - i;
    }
    return taps;
}

uint8_t Level(float v)
{
    v += 0.5f;
    return static_cast<uint8_t>(v <= 0 ? 0 : v >= 255 ? 255 : static_cast<int>(v));
}

} // namespace

// One component at the reduced size: each block's mean less 128 (a DC coefficient times its
// quantiser is 8 times it), taken between blocks along the rows, then between rows.
void CmnImgJpg::Means(const Comp& comp, int w, int h, std::vector<float>* out) const
{
    const int bw = ((m_iWidth * comp.iH + m_iHMax - 1) / m_iHMax + 7) / 8;
    const int bh = ((m_iHeight * comp.iV + m_iVMax - 1) / m_iVMax + 7) / 8;
    const std::vector<Tap> cols = MakeTaps(w, m_iWidth, comp.iH, m_iHMax, bw);
    const std::vector<Tap> rows = MakeTaps(h, m_iHeight, comp.iV, m_iVMax, bh);
    // A component whose blocks are the reduced pixels themselves (a picture of whole blocks)
    // is only scaled.
    const bool plainCols = comp.iH == m_iHMax && m_iWidth % 8 == 0;
    const bool plainRows = comp.iV == m_iVMax && m_iHeight % 8 == 0;
    const float k = static_cast<float>(comp.iQ0) / 8.0f;
    out->resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    std::vector<float> across;
    if (!plainRows) across.resize(static_cast<size_t>(bh) * static_cast<size_t>(w));
    float* const first = plainRows ? out->data() : across.data();
    for (int y = 0; y < (plainRows ? h : bh); ++y) {
        const int16_t* p = &comp.plane[static_cast<size_t>(y) * static_cast<size_t>(comp.iPlaneW)];
        float* a = first + static_cast<size_t>(y) * static_cast<size_t>(w);
        if (plainCols) {
            for (int x = 0; x < w; ++x) a[x] = p[x] * k;
            continue;
        }
        for (int x = 0; x < w; ++x) {
            const Tap& t = cols[static_cast<size_t>(x)];
            a[x] = (p[t.i0] + (p[t.i1] - p[t.i0]) * static_cast<float>(t.w)) * k;
        }
    }
    if (plainRows) return;
    for (int y = 0; y < h; ++y) {
        const Tap& t = rows[static_cast<size_t>(y)];
        const float* a0 = &across[static_cast<size_t>(t.i0) * static_cast<size_t>(w)];
        const float* a1 = &across[static_cast<size_t>(t.i1) * static_cast<size_t>(w)];
        const float wy = static_cast<float>(t.w);
        float* o = &(*out)[static_cast<size_t>(y) * static_cast<size_t>(w)];
        for (int x = 0; x < w; ++x) o[x] = a0[x] + (a1[x] - a0[x]) * wy;
    }
}

void CmnImgJpg::Convert(std::vector<uint8_t>* pixels) const
{
    const int w = ReducedWidth(), h = ReducedHeight();
    const size_t n = static_cast<size_t>(w) * static_cast<size_t>(h);
    pixels->resize(n * 3);
    uint8_t* out = pixels->data();
    std::vector<float> v[3];
    for (size_t c = 0; c < m_comps.size(); ++c) Means(m_comps[c], w, h, &v[c]);
    if (m_comps.size() == 1) {
        for (size_t i = 0; i < n; ++i, out += 3) out[0] = out[1] = out[2] = Level(v[0][i] + 128);
        return;
    }
    // JFIF's YCbCr to RGB.
    for (size_t i = 0; i < n; ++i, out += 3) {
        const float y = v[0][i] + 128, cb = v[1][i], cr = v[2][i];
        out[2] = Level(y + 1.402f * cr);
        out[1] = Level(y - 0.344136f * cb - 0.714136f * cr);
        out[0] = Level(y + 1.772f * cb);
    }
}
