// Writes small message files for tests.
//
//   std::string path = VktWriteMsgFile(dir.Path(), VktMsgTexts());
//   VkeSubLoadMsg(sub, path.c_str());
#pragma once
#include <string>
#include <vector>

// Writes folder\name: the count line, the default text, then texts[0] as message 1, texts[1] as
// message 2, and so on, each on its own line ended by CR LF. The texts are written as they stand
// (Shift-JIS bytes; write a backslash and n for a line feed); an empty text would be skipped by
// the loader, so none may be empty. Returns the path of the file ("" when it cannot be written).
std::string VktWriteMsgFile(const std::string& folder, const std::vector<std::string>& texts,
                            const std::string& defaultText = "default", const std::string& name = "Quorvane.vmg");

// Texts for messages 1 to 108: "msg 1", "msg 2", ... except the numbers whose text the engine
// reads as a value, which hold what the shipped file holds: 8 to 12 the file-dialog filter texts,
// 49 the face name "ＭＳ Ｐゴシック", 50 and 51 the font sizes 9 and 10, 52 to 57 the marker words
// 年 月 日 時 分 秒.
std::vector<std::string> VktMsgTexts();
