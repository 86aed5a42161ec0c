// Helpers of the draw-object tests: a started draw object and DIB sections made by hand.
#pragma once
#include "VktSupport.h"
#include "VktSys.h"
#include <vector>

// A DIB section of width x height at bits; table (when given) becomes its colour table.
HBITMAP VktMakeDIB(int width, int height, int bits, const std::vector<RGBQUAD>& table = {});

// Pixel access through the DIB section's own memory (bottom-up rows).
struct VktDIB {
    explicit VktDIB(HBITMAP bitmap);
    int width = 0, height = 0, bits = 0, stride = 0;
    BYTE* rows = nullptr;
    BYTE* Row(int y) const { return rows + static_cast<size_t>(height - 1 - y) * stride; }
    // The pixel at (x, y) as 0x00RRGGBB (through the colour table for 1, 4, 8 bits; 5-5-5 for 16).
    DWORD Rgb(int x, int y) const;
    // The raw index or value at (x, y).
    DWORD Raw(int x, int y) const;
    void SetRaw(int x, int y, DWORD value);
    std::vector<RGBQUAD> Table() const;
    HBITMAP handle = nullptr;
};

// GDI objects this process holds.

// A draw object allocated and initialised with the default parameters, no system object.
class VktDrwFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    VkiDrw* drw = nullptr;
};

// The draw object of a started system object: failures are reported to its main window.
class VktDrwSysFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Failures reported since the start of the test.
    int Traced() const { return static_cast<int>(env->Reports().size()); }
    VktSys* env = nullptr;
    VkiSys* sys = nullptr;
    VkiSub* sub = nullptr;
    VkiDrw* drw = nullptr;
};

// The draw object of a started system object whose copies are checked to leave both work memories
// empty; bitmaps handed to Keep are deleted at the end.
class VktDibFixture : public VktDrwSysFixture {
protected:
    void TearDown() override;
    HBITMAP Keep(HBITMAP b)
    {
        owned.push_back(b);
        return b;
    }
    std::vector<HBITMAP> owned;
};

// Each channel of two 0xRRGGBB colours within tolerance.
bool VktNear(DWORD a, DWORD b, int tolerance);

// A bitmap is valid while GDI still knows it.
bool VktIsBitmap(HBITMAP bitmap);

// Width, height and bit count of a DIB section (0s when it is none).
struct VktInfo {
    int width, height, bits;
};
VktInfo VktInfoOf(HBITMAP bitmap);
