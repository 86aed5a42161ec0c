// The fonts the window objects share: one font object for each record in use, however many
// windows show it, counted and deleted with its last user.
#include "VkiWnd.h"
#include <mutex>
#include <vector>

namespace {

struct SharedFont {
    LOGFONTA lf;
    HFONT font;
    int users;
};

std::mutex g_lock;
std::vector<SharedFont> g_fonts;

// Records compared field by field, the face name up to its end.
bool SameRecord(const LOGFONTA& a, const LOGFONTA& b)
{
    return memcmp(&a, &b, offsetof(LOGFONTA, lfFaceName)) == 0 &&
           strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

} // namespace

HFONT VkiTakeFont(const LOGFONTA& lf)
{
    std::lock_guard<std::mutex> hold(g_lock);
    for (SharedFont& f : g_fonts)
        if (SameRecord(f.lf, lf)) {
            ++f.users;
            return f.font;
        }
    HFONT made = CreateFontIndirectA(&lf);
    if (made) g_fonts.push_back(SharedFont{lf, made, 1});
    return made;
}

void VkiDropFont(HFONT font)
{
    if (!font) return;
    std::lock_guard<std::mutex> hold(g_lock);
    for (size_t i = 0; i < g_fonts.size(); ++i) {
        if (g_fonts[i].font != font) continue;
        if (--g_fonts[i].users > 0) return;
        g_fonts.erase(g_fonts.begin() + static_cast<long>(i));
        break;
    }
    DeleteObject(font);
}
