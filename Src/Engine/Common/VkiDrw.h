// VkiDrw: the draw object. One per system object; it owns what the engine's drawing needs once
// per process: GDI+ and its encoder list, the colour list, the state colours and their brushes,
// the draw-info stack, three draw memories and the printing state. One method per export.
#pragma once
#include "VkiGdi.h"
#include "VkiObj.h"
#include <functional>
#include <vector>

class VkiSys;
class VkiSub;
struct PrintInfo;

namespace Gdiplus {
class ImageCodecInfo;
class GpBitmap;
}

class VkiDrw : public VkiObj {
public:
    VkiDrw();
    ~VkiDrw() override;

    // The utility object to trace through (null until the system object is known).
    VkiSub* Sub() const { return m_pSub; }

    // ---- Object (VkeDrwBsc.cpp) ----
    int InitParam(VkeDrwParam* param);
    int CheckParam(VkeDrwParam* param, int* field, int* messageNo);
    int Init(VkeDrwParam* param, int* field, int* messageNo);
    int Term();
    int SetProperty(int id, void* value);
    int GetProperty(int id, void* out);
    int GetName(char* buffer, int size);
    int SetVkeSysPtr(VkiSys* sys);
    int GetVkeSysPtr(VkiSys** out);
    int SetErrorColor(COLORREF color) { return SetStateColor(kError, color); }
    int SetModifiedColor(COLORREF color) { return SetStateColor(kModified, color); }
    int SetSelectedColor(COLORREF color) { return SetStateColor(kSelected, color); }
    int SetHdrSelectedColor(COLORREF color) { return SetStateColor(kHdrSelected, color); }
    int GetErrorColor(COLORREF* out) { return GetStateColor(kError, out); }
    int GetModifiedColor(COLORREF* out) { return GetStateColor(kModified, out); }
    int GetSelectedColor(COLORREF* out) { return GetStateColor(kSelected, out); }
    int GetHdrSelectedColor(COLORREF* out) { return GetStateColor(kHdrSelected, out); }
    int GetErrorBrushHandle(HBRUSH* out) { return GetStateBrush(kError, out); }
    int GetModifiedBrushHandle(HBRUSH* out) { return GetStateBrush(kModified, out); }
    int GetSelectedBrushHandle(HBRUSH* out) { return GetStateBrush(kSelected, out); }
    int GetHdrSelectedBrushHandle(HBRUSH* out) { return GetStateBrush(kHdrSelected, out); }
    // True while a page is printed or the system object prints or previews.
    bool IsPrinting() const;

    // ---- Colour list and palettes (VkeDrwOpr.cpp) ----
    int SetColor(COLORREF color);
    int OpenPalette(HPALETTE* out, HBITMAP bitmap, int halftone, int withList);
    int ClosePalette(HPALETTE* palette);

    // ---- Draw memory (VkeDrwDrm.cpp) ----
    int AllocDrm(Drm** out);
    int FreeDrm(Drm** drm);
    int InitDrm(Drm* drm);
    int TermDrm(Drm* drm);
    int CopyDrm(Drm* dst, Drm* src);
    int DupDrm(Drm** out, Drm* src);
    int SetDrm(Drm* src);
    int GetDrm(Drm* dst);
    int AttachDrmDIB(Drm* drm, HBITMAP dib);
    int DetachDrmDIB(Drm* drm, HBITMAP* out);
    int CreateDrawMemory(Drm* drm, int width, int height, int bitCount);
    int CopyScreen(Drm* drm, int x, int y, int width, int height, int bitCount);
    int WriteScreenDIB(const char* path, Drm* drm, int x, int y, int width, int height, int bitCount);
    // Detaches the Drm's DIB and deletes it (a work slot between calls).
    void EmptyDrm(Drm* drm);

    // ---- Draw-info stack (VkeDrwDrm.cpp) ----
    int SetDrawInfoLast(DrawInfo* info);
    int GetDrawInfoCnt(HDC dc, int* count);
    int GetDrawInfo(HDC dc, int n, DrawInfo* out);
    int GetDrawInfoLast(HDC dc, DrawInfo* out);
    int ResetDrawInfo(HDC dc, int n);
    int ClearDrawInfo(HDC dc);
    int CopyDrawInfo(DrawInfo* dst, const DrawInfo* src);
    // Records of one DC in the array.
    int CountDrawInfo(HDC dc) const;

    // ---- DIB operations (VkeDrwDib.cpp) ----
    int GetDefaultBitCnt(int* bits);
    int CreateDIB(HDC dc, int width, int height, int bits, HBITMAP* out);
    int DIBToMemDIB(HDC dc, HBITMAP bitmap, int bits, HGLOBAL* out);
    int FreeMemDIB(HGLOBAL* mem);
    int MemDIBToDIB(HDC dc, HGLOBAL mem, int bits, HBITMAP* out, int* type, float* xRes, float* yRes);
    int CopyDIBByIcon(HBITMAP* inOut, HICON icon, HBRUSH brush);
    int CopyDIB(HBITMAP* inOut, HBITMAP src);
    int CopyDIBRgn(HBITMAP* inOut, HBITMAP src, int x, int y, int width, int height);
    int CopyDIBWithBitCnt(HBITMAP* inOut, HBITMAP src, int bits);
    int CopyDIBRgnWithBitCnt(HBITMAP* inOut, HBITMAP src, int x, int y, int width, int height, int bits);
    int StretchDIB(HBITMAP* inOut, int dstWidth, int dstHeight, HBITMAP src, int x, int y, int width, int height,
                   int keepRatio, HBRUSH brush, int mode);
    int StretchDIBWithBitCnt(HBITMAP* inOut, int dstWidth, int dstHeight, HBITMAP src, int x, int y, int width,
                             int height, int bits, int keepRatio, HBRUSH brush, int mode);
    int GetDIBData(HDC dc, HBITMAP bitmap, int bits, BITMAPFILEHEADER** fileHeader, BITMAPINFOHEADER** infoHeader,
                   int* tableSize, RGBQUAD** table, int* imageSize, BYTE** pixels);
    int FreeDIBData(BITMAPFILEHEADER** fileHeader, BITMAPINFOHEADER** infoHeader, RGBQUAD** table, BYTE** pixels);
    int WriteDIBData(const char* path, const BITMAPFILEHEADER* fileHeader, const BITMAPINFOHEADER* infoHeader,
                     int tableSize, const RGBQUAD* table, int imageSize, const BYTE* pixels);
    int WriteDIB(const char* path, HDC dc, HBITMAP bitmap, int bits);
    int CopyImage(HDC dst, int dx, int dy, HDC src, int sx, int sy, int width, int height);
    int CopyImageWithMode(HDC dst, int dx, int dy, HDC src, int sx, int sy, int width, int height, int mode);
    int StretchImage(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh);
    int StretchImageWithMode(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh,
                             int mode);
    // Copies to a bit count, taking the colour table of 1, 4 and 8 bits from a GDI+ image.
    int CopyDIBWithImagePalette(HBITMAP* inOut, HBITMAP src, int bits, Gdiplus::GpBitmap* image);
    // Bit count argument to a real one: 0 the source's (sourceBits, or the screen's when 0), -1 the
    // screen's; -9 for anything outside the six counts.
    int ResolveBitCnt(int bits, int sourceBits, int* out);
    // A DIB section of the stored depth from a packed DIB of size bytes (header, masks or colour
    // table, rows; the rows at rowsAt when not 0), checked against its size (-9), through dc (null:
    // the screen); resolutions from the header.
    int PackedToDIB(HDC dc, const BYTE* block, size_t size, size_t rowsAt, HBITMAP* out, float* xRes, float* yRes);

    // ---- Image files (VkeDrwImg.cpp) ----
    int GetEncClsId(const char* mimeType, CLSID* out);
    int GetEncClsIdByImgTyp(int type, CLSID* out);
    int GetImageType(const char* path, int* type);
    int GetFilter(int kind, char* filter, char* extensions, int filterSize, int extensionsSize);
    int GetImageInf(HBITMAP bitmap, int* width, int* height, int* bitCount);
    int OpenImage(const char* path, HBITMAP* out, int* type, float* xRes, float* yRes, int* typeKnown);
    int CloseImage(HBITMAP* bitmap);
    int SaveImage(const char* path, HBITMAP bitmap, int type, float xRes, float yRes, int quality);
    int SaveImageWithEncPrm(const char* path, HBITMAP bitmap, int type, float xRes, float yRes,
                            const Gdiplus::EncoderParameters* params);
    int RotateImage(HBITMAP* out, HBITMAP src, double angle);
    int ReflectImage(HBITMAP* out, HBITMAP src, int direction);

    // ---- Clipboard (VkeDrwClb.cpp) ----
    int IsExistClbStr(int* exists);
    int CopyStrToClb(HWND owner, const char* text);
    int CopyClbToStr(HWND owner, char** out);
    int FreeClbStr(char** text);
    int IsExistClbDIB(int* exists);
    int CopyDIBToClbWithColor(HWND owner, HBITMAP bitmap, COLORREF color);
    int CopyDIBToClb(HWND owner, HBITMAP bitmap) { return CopyDIBToClbWithColor(owner, bitmap, 0); }
    int CopyClbToDIB(HWND owner, HBITMAP* out, int* type, float* xRes, float* yRes);
    int FreeClbDIB(HBITMAP* bitmap);
    int CopyDrmToClbWithColor(HWND owner, Drm* drm, COLORREF color);
    int CopyDrmToClb(HWND owner, Drm* drm) { return CopyDrmToClbWithColor(owner, drm, 0); }
    int CopyClbToDrm(HWND owner, Drm* drm, int* type, float* xRes, float* yRes);
    // ---- end: clipboard ----

    // ---- Text drawing (VkeDrwTxt.cpp) ----
    int DrawText(HDC dc, const LOGFONTA* font, int x, int y, const char* text, int length, BYTE alpha, double angle,
                 int flip, int centreX, int centreY);
    int FillRectangle(HDC dc, const RECT* rect, COLORREF color, BYTE alpha);
    // The horizontal and vertical families: centred on x (hCentre) and on y (vCentre) or not.
    int DrawStrAt(HDC dc, const LOGFONTA* font, int x, int y, const char* text, BYTE alpha, int flip, bool hCentre,
                  bool vCentre);
    int DrawVStrAt(HDC dc, const LOGFONTA* font, int x, int y, const char* text, BYTE alpha, int flip, int downward,
                   bool hCentre, bool vCentre);
    int DrawAngleStr(HDC dc, const LOGFONTA* font, int centreX, int centreY, int x, int y, const char* text,
                     BYTE alpha, double angle, int flip);
    int DrawSlopeStr(HDC dc, const LOGFONTA* font, int x1, int y1, int x2, int y2, int x, int y, const char* text,
                     BYTE alpha, int flip, int fromFirst);
    int GetCompactPath(char* out, const char* path, int outSize, HDC dc, int width);
    // ---- end: text drawing ----

    // ---- Geometry, scale and focus helpers (VkeDrwGeo.cpp) ----
    int GetDCScale(HDC target, HDC reference, int* num, int* den);
    int GetLogFont(HDC dc, const char* face, int size, LOGFONTA* out);
    int GetLogFontSca(LOGFONTA* out, const LOGFONTA* src, int num, int den);
    int GetCharSize(HWND wnd, int* width, int* height);
    int ChangePointToPixel(HDC dc, int* pixels, int points);
    int ChangePixelToPoint(HDC dc, int* points, int pixels);
    int ChangeRadToAng(double* degrees, double radians);
    int ChangeAngToRad(double* radians, double degrees);
    int ChangeSlpToAng(double* degrees, int x1, int y1, int x2, int y2);
    int RotatePoint(double angle, int centreX, int centreY, int* xs, int* ys, int count, int yUp);
    int ScalePoint(int num, int den, int* xs, int* ys, int count);
    int GetDistance(int* distance, int x1, int y1, int x2, int y2);
    int GetDirection(int* code, int mode, int x1, int y1, int x2, int y2, int yUp);
    int SetSelectionCtl(HWND wnd, int start, int end);
    int GetSelectionCtl(HWND wnd, int* start, int* end);
    int GetFstFcsCtlHandle(HWND dialog, HWND* out);
    int SetFocusWnd(HWND wnd);
    // ---- end: geometry ----

    // ---- Print page record and layout (VkeDrwPrt.cpp) ----
    int InitPrintInfo(PrintInfo* info);
    int CopyPrintInfo(PrintInfo* dst, const PrintInfo* src);
    int SetPrintInfoRect(PrintInfo* info, const RECT* page);
    int CheckPrintInfo(PrintInfo* info);
    int SetPrintPageInfo(PrintInfo* info);
    // 1 while a page is printed here, or the system object prints or previews.
    int CheckPrinting();
    int Print(PrintInfo* info);
    // ---- end: print layout ----

public:
    // ---- State ----
    enum { kError, kModified, kSelected, kHdrSelected, kStateCount };

    VkiSys* m_pSys = nullptr;  // the owning system object; survives Term
    VkiSub* m_pSub = nullptr;  // its utility object
    COLORREF m_auStateColor[kStateCount] = {};
    ULONG_PTR m_uGdipToken = 0;  // 0 = GDI+ not started
    int m_iEncCnt = 0;
    Gdiplus::ImageCodecInfo* m_pEncList = nullptr;
    int m_iColorCnt = 0;
    COLORREF m_auColor[VKE_DRW_MAX_COLORS] = {};
    int m_iDriCapacity = 0;
    int m_iPrintDepth = 0;       // draw-info records of the printer DC when printing began
    int m_iDriCnt = 0;
    DrawInfo* m_pDri = nullptr;
    Drm m_aDrm[3] = {};          // 0 default, 1 destination and 2 source work slots
    int m_iPrinting = 0;
    PrintInfo* m_pPrintInfo = nullptr;
    VkiGdiObj<HBRUSH> m_ahStateBrush[kStateCount];
    // ---- end: state ----

private:
    void Reset();
    // The printing state of one page (VkeDrwPrt.cpp): begun after the record's check, ended with
    // the printer DC's draw-info stack as it was.
    int BeginPrint(PrintInfo* info);
    int EndPrint();
    int PrintImage(PrintInfo* info);
    int StartGdiplus();
    void StopGdiplus();
    int FillColorList();
    int SetStateColor(int state, COLORREF color);
    int GetStateColor(int state, COLORREF* out);
    int GetStateBrush(int state, HBRUSH* out);
    void DeleteBrushes();
    // Draw-info array helpers; the cores work in any state (a Drm's termination uses them).
    int PushDrawInfo(const DrawInfo& info);
    int ResetDrawInfoCore(HDC dc, int n);
    int ClearDrawInfoCore(HDC dc);
    int GrowDrawInfo(int more);
    void ApplyDrawInfo(const DrawInfo& info);
    void ReadDrawInfo(HDC dc, DrawInfo* info);
    // Blit core shared by the copy and stretch exports: the in-out rule around StretchInto.
    // table (tableCount entries) is the destination's colour table of 1, 4 or 8 bits when given.
    struct StretchJob {
        int dstWidth, dstHeight;
        HBITMAP src;
        int x, y, width, height, bits, keepRatio;
        HBRUSH brush;
        int mode;
        const RGBQUAD* table;
        int tableCount;
    };
    int StretchCore(HBITMAP* inOut, int dstWidth, int dstHeight, HBITMAP src, int x, int y, int width, int height,
                    int bits, int keepRatio, HBRUSH brush, int mode, const RGBQUAD* table, int tableCount);
    // Makes the result in the work memories; reuse is taken over as the result when it fits.
    int StretchInto(const StretchJob& job, VkiGdiObj<HBITMAP>& reuse, HBITMAP* result);
    // Path checks of the file operations: the absolute path into full; -9 a drive or a folder;
    // reading also -12 for a path that does not exist.
    int CheckPath(const char* path, char* full, int size, bool reading);
    int CheckSavePath(const char* path, char* full, int size) { return CheckPath(path, full, size, false); }
    // Image-file helpers (VkeDrwImg.cpp).
    struct OpenedImage {
        VkiGdiObj<HBITMAP> bitmap;
        int type = 0;  // 0 when the type is not one of the five
        float xRes = 0, yRes = 0;
    };
    const Gdiplus::ImageCodecInfo* FindEncoder(const char* mimeType) const;
    int TypeOfImage(Gdiplus::GpBitmap* image, int* type);
    int FillFilter(int kind, char* filter, char* extensions, int filterSize, int extensionsSize);
    int DecodeImage(const char* full, OpenedImage* got);
    int DecodeCursor(const char* full, OpenedImage* got);
    // A bitmap file that GDI+ refuses; 1 when it cannot be read either.
    int DecodeBitmapFile(const char* full, OpenedImage* got);
    // The decoded pixels read straight into a new DIB of 1, 4, 8, 16 or 24 bits; 1 when GDI+
    // cannot give them so.
    int ReadIntoDIB(Gdiplus::GpBitmap* image, int width, int height, int bits, HBITMAP* out);
    int MakeEightBit(HBITMAP bitmap, int width, int height, int bits, HBITMAP* out);
    void ReadColorTable(HBITMAP bitmap, RGBQUAD* table, int* count);
    int TurnImage(HBITMAP* out, HBITMAP src, int how);
    // The engine's own JPEG writer (VkeDrwJpg.cpp): true when params asks for a quality that the
    // platform's encoder would drop; the save through the engine's encoder.
    bool UseOwnJpeg(const Gdiplus::EncoderParameters* params, int* quality);
    int SaveOwnJpeg(const char* path, HBITMAP bitmap, float xRes, float yRes, int quality);
    // Every save: write fills a temporary file beside full (its wide name given), which is read
    // back as an image of width x height and then put in full's place. 1 when any step fails:
    // full is then as it was and the temporary file is gone.
    int WriteReplacing(const char* full, int width, int height, const std::function<bool(const WCHAR*)>& write);
};

// Default state colours.
enum : COLORREF {
    VKI_DRW_ERROR_COLOR = 0x5A78FF,
    VKI_DRW_MODIFIED_COLOR = 0x80FF80,
    VKI_DRW_SELECTED_COLOR = 0xFFA0A0,
    VKI_DRW_HDR_SELECTED_COLOR = 0x3C5A60
};
