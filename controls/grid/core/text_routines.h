#pragma once
#include <QString>

// Free routines on cell texts.
namespace grid {

// 0 plain, 1 mini-HTML (only with checkHtml), 2 rich text, 3 formula, 5 wide-encoded.
int GetTextKind(const QString& s, bool checkHtml);
// 1 + the number of CRs with multiline, else 1.
int CountLines(const QString& s, bool multiline);

} // namespace grid
