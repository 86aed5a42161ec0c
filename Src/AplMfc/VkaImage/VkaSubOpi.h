// The open-information file: the image pages of the tab view as rows (the image's full path
// between double quotes, then the page's lock, rotation, flips, cut-frame and print values) after
// a header line that carries the format's version and the column titles. Shift-JIS text, lines
// ended by CR LF. The view's ReadOpenInfo and WriteOpenInfo only call the functions below over
// itself; the main frame's exit writes GetExitPath() and the next start reads it.
//
//   VkaSubOpi::ReadOpenInfo(view, path, 1, 0, 1);        // 0, 1, 3, -11 or an error
//   VkaSubOpi::WriteOpenInfo(view, path, 1, 0, 1, 0, 1);  // 0, 1 or an error
#pragma once
#include "VkaSubDat.h"

class DlgImg;
class HalcorViw;

namespace VkaSubOpi {

// The columns of a row and the longest line in bytes (CR LF aside).
enum { ColCnt = 20, LineMax = 2047 };
// The version this program writes. Files of version 1.0 hold the margins and the frame in the
// order left, right, top, bottom; every other version (or none) left, top, right, bottom.
constexpr double Version = 1.02;
constexpr double Version10 = 1.0;

// The header line of version 1.02, CR LF included.
CString GetHeader();
// The version a header line carries (0 for none); -11 when the line is no header (no "//" first,
// or its first field no longer than the header's first text).
int ReadVersion(const char* line, double* version);
// A trimmed row into the record, whose values stay for the fields the row lacks; the read rules
// bring every value into its range. -11 when the row has no path. A field that is no number takes
// its column's value for one out of range; *bad (when given) tells whether any did.
int ReadRow(const char* line, double version, Opi* opi, bool* bad = nullptr);
// The record as a row in the version's column order, CR LF included.
int WriteRow(Opi* opi, double version, CString* line);
// "<work folder>\Pictavo.csv": written at exit, read at the next start.
CString GetExitPath();

// Opens the rows' images (a row that names no existing file is skipped silently; one whose page
// is open already asks first) and applies each row to its page. onlyLocked 1: only rows of locked
// pages; openLocked 1: such rows open locked. remember 1 keeps the path as the last one used.
// 0, 1 (the file is absent or cannot be opened), 3 (stopped by the user, or nothing read while an
// opening runs), -11 (a malformed header or row, left out, or a row with a value that is no
// number; the rest is still read, and one message names the file) or the first error.
int ReadOpenInfo(HalcorViw& view, const char* path, int remember, int onlyLocked, int openLocked);
// Writes a row for each image page with a path, in tab order: the selected-image page only with
// withSelImg 1, only locked tabs with onlyLocked 1. append 1 adds the rows to an existing
// non-empty file in its own version's order; otherwise a new file of version 1.02. backup 1 keeps
// the old file as "<base name>.bak" beside it. A target that cannot be written gives 1 and stays
// as it is; a failed write leaves the file as it was before the call. 0, 1 or an error.
int WriteOpenInfo(HalcorViw& view, const char* path, int remember, int onlyLocked, int append, int withSelImg,
                  int backup);

// The settings of one page (its turn, flips, cut frame and print values) handed to another
// through a row record: from fills it, to applies it.
int CopyPageSettings(DlgImg& from, DlgImg& to);

} // namespace VkaSubOpi
