// What an image file's own header says, read by the engine before a platform decoder sees the
// file. Under Wine the GIF decoder reads past its data on a GIF without any colour table, and
// LoadImage on a bitmap file whose header promises more pixel data than the file holds; either
// way the process dies. Such files never reach those decoders.
#pragma once
#include "VkeEng.h"

enum VkiImgHdr {
    VKI_IMG_OTHER,         // anything else: left to the decoders
    VKI_IMG_BITMAP,        // a bitmap file whose pixel data lies inside it: the system may read it
    VKI_IMG_BITMAP_OTHER,  // a bitmap file of any other kind: data beyond its end, or unknown
    VKI_IMG_GIF_NO_COLORS  // a GIF with an image that has neither a global nor a local colour table
};

// The kind of the file at path (an absolute path in the ANSI code page); OTHER when it cannot be read.
VkiImgHdr VkiReadImgHdr(const char* path);
