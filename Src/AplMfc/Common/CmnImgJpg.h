// A JPEG read at one eighth of its size, for thumbnails. The DC coefficient of each 8 x 8 block is
// the block's mean, so the entropy-coded data is only walked (AC coefficients are skipped, the AC
// scans of a progressive file are not read at all) and no inverse transform runs. Plain C++ over
// bytes in memory: the caller reads the file and makes the bitmap.
//
// Taken: baseline, extended sequential and progressive Huffman files of 8-bit samples with one
// (grey) or three (YCbCr) components, any sampling factors, restart intervals. Everything else
// (arithmetic coding, 12 bits, lossless or hierarchical files, 2 or 4 components, RGB, CMYK or
// YCCK, a marker not known here, any damage met) answers NotDone: the caller decodes the file the
// platform's way. Nothing is read outside the bytes given, and the coefficient planes are sized
// only once the data could hold them.
//
//   CmnImgJpg jpg;
//   if (jpg.ReadHeader(data, size) == CmnImgJpg::Ok && <the reduction is wanted>
//       && jpg.Decode(data, size, &pixels) == CmnImgJpg::Ok)
//       ...  // jpg.ReducedWidth() x jpg.ReducedHeight() pixels, 3 bytes each (blue, green, red)
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <vector>

class CmnImgJpg {
public:
    enum {
        Ok = 0,
        NotDone = 1, // not a file this decode takes, or damaged
        NeedMore = 2 // the header goes on past the bytes given (a part of the file)
    };

    CmnImgJpg() = default;
    CmnImgJpg(const CmnImgJpg&) = delete;
    CmnImgJpg& operator=(const CmnImgJpg&) = delete;

    // Reads the markers up to the frame header. data may be the file's first bytes only: NeedMore
    // when they end first.
    int ReadHeader(const uint8_t* data, size_t size);
    // After ReadHeader: the whole file (at the same address as the part given to ReadHeader).
    // Fills pixels with ReducedWidth() x ReducedHeight() pixels, top row first, 3 bytes each in
    // the order blue, green, red, rows not padded.
    int Decode(const uint8_t* data, size_t size, std::vector<uint8_t>* pixels);

    int Width() const { return m_iWidth; }
    int Height() const { return m_iHeight; }
    int ReducedWidth() const { return (m_iWidth + 7) / 8; }
    int ReducedHeight() const { return (m_iHeight + 7) / 8; }

private:
    // One Huffman table: codes of up to 9 bits by look-up, longer ones by length (the canonical
    // code's largest code per length); for AC tables also a look-up that skips a whole
    // run-and-size symbol with its extra bits.
    struct Huff {
        bool bDefined = false;
        uint16_t awFast[512];       // (length << 8) | symbol; 0: a longer code
        int32_t alMaxCode[17];      // by length; -1 when none
        int32_t alValOff[17];       // index into abVal minus the length's first code
        uint8_t abVal[256];
        union {
            // AC: a whole run-and-size symbol with its extra bits:
            // bits | (coefficients advanced << 5); 0: decode it slowly.
            uint16_t awSkip[1 << 11];
            // DC: a whole difference: (difference << 8) | bits; 0: decode it slowly.
            int32_t alDiff[1 << 11];
        };
    };
    struct Comp {
        int iId, iH, iV, iTq;
        int iQ0;               // DC quantiser, taken at the component's first scan
        int iDcAl;             // -1 before its first DC scan; its point transform after
        int iPlaneW, iPlaneH;  // blocks in the plane (MCU-padded)
        std::vector<int16_t> plane; // DC coefficients
    };
    struct Scan;
    struct Slot;
    class Bits;

    bool Segment(const uint8_t* data, size_t size, size_t* pos, int* marker, size_t* length, int* rc);
    int ReadFrame(const uint8_t* p, size_t length);
    int ReadTables(int marker, const uint8_t* p, size_t length);
    int ReadScan(const uint8_t* data, size_t size, const uint8_t* p, size_t length, size_t* pos);
    int Planes(size_t size);
    int DecodeScan(const Scan& scan, const uint8_t* data, size_t size, size_t* pos);
    static bool SkipAc(Bits& bits, const Huff& ac);
    bool Done() const;
    void Means(const Comp& comp, int w, int h, std::vector<float>* out) const;
    void Convert(std::vector<uint8_t>* pixels) const;
    static bool BuildHuff(Huff* h, const uint8_t* counts, const uint8_t* vals, bool ac);

    int m_iWidth = 0, m_iHeight = 0;
    int m_iHMax = 1, m_iVMax = 1;
    int m_iMcusX = 0, m_iMcusY = 0;
    bool m_bFrame = false, m_bProgressive = false, m_bPlanes = false;
    bool m_bAdobeRgb = false;
    int m_iRestart = 0;
    size_t m_nPos = 0; // where ReadHeader stopped
    int m_aiQ0[4] = {};
    bool m_abQ[4] = {};
    std::vector<Comp> m_comps;
    Huff m_dc[4], m_ac[4];
};
