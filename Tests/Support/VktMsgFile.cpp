#include "VktMsgFile.h"
#include <stdio.h>

std::string VktWriteMsgFile(const std::string& folder, const std::vector<std::string>& texts,
                            const std::string& defaultText, const std::string& name)
{
    std::string path = folder + "\\" + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return "";
    bool ok = fprintf(f, "%u\r\n%s\r\n", static_cast<unsigned>(texts.size()), defaultText.c_str()) > 0;
    for (const std::string& text : texts) ok = ok && fprintf(f, "%s\r\n", text.c_str()) > 0;
    if (fclose(f) != 0) ok = false;
    return ok ? path : "";
}

std::vector<std::string> VktMsgTexts()
{
    std::vector<std::string> texts;
    for (int no = 1; no <= 108; ++no) texts.push_back("msg " + std::to_string(no));
    struct {
        int no;
        const char* text;
    } values[] = {
        {8, "アイコン・カーソル ファイル"}, {9, "すべての画像ファイル"}, {10, "すべてのファイル"},
        {11, "*.ico;*.cur"}, {12, "*.*"}, {49, "ＭＳ Ｐゴシック"}, {50, "9"}, {51, "10"},
        {52, "年"}, {53, "月"}, {54, "日"}, {55, "時"}, {56, "分"}, {57, "秒"},
    };
    for (const auto& v : values) texts[static_cast<size_t>(v.no - 1)] = v.text;
    return texts;
}
