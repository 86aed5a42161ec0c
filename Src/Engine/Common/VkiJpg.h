// The engine's own baseline JPEG encoder (VkeDrwJpg.cpp). A JPEG save with a quality goes through it
// where the platform's encoder writes the same file whatever quality it is given.
#pragma once
#include "VkeEng.h"
#include <vector>

// Fills rows [y, y + count) of the image, top row first, as 32-bit BGRX pixels (width * 4 bytes
// a row); false when they cannot be read.
using VkiJpgReadRows = bool (*)(void* context, int y, int count, BYTE* rows);

struct VkiJpgSource {
    int width, height;
    VkiJpgReadRows read;
    void* context;
};

// Encodes the image as baseline sequential JPEG (JFIF, 8 bits, standard Huffman tables) at quality
// 0..100, with a density of xDpi x yDpi dots per inch. Chroma is halved both ways below quality 90;
// an image whose pixels are all grey is written as one component.
// -9 quality or density out of range; 1 a size JPEG cannot hold (1..65535) or rows not readable.
int VkiJpgEncode(const VkiJpgSource& src, int quality, int xDpi, int yDpi, std::vector<BYTE>* out);

// True when the platform's encoder (class id jpeg) writes a small image at qualities 10 and 90 to
// the same size. Probed once per process; false while the probe cannot run.
bool VkiJpgQualityIgnored(const CLSID& jpeg);
