// Path helpers of the documents and the recent-file list. Paths are Shift-JIS: separators are
// found by walking characters, so a trail byte 0x5C is never taken for "\".
#pragma once
#include "CString.h"

// The full path of a name (current folder and drive applied); the name as it is when the
// system cannot make one (an empty name, or one longer than the system takes).
CString AfxFullPath(LPCSTR lpszFileIn);
// The part after the last "\", "/" or ":" (the whole name when there is none).
CString AfxFileNameOf(LPCSTR lpszPathName);
// The path shortened to nMaxChars characters for a menu: the root, "...", and as many of the
// last folders as fit before the file name; the file name alone when even that is too long.
CString AfxAbbreviateName(LPCSTR lpszPathName, int nMaxChars);
