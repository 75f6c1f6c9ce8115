#pragma once
#include <QString>

#include <functional>

// The grid as one HTML table with a style sheet of generated cell classes,
// optionally an XHTML document, with cell pictures as JPEG files beside it.
namespace grid {

class TExStringGrid;

// Opens a written file in the desktop's program for it. The default asks the
// desktop services; tests put a recorder in its place. Returns the previous one.
using HtmlOpener = std::function<void(const QString& fileName)>;
HtmlOpener SetHtmlOpener(HtmlOpener opener);

// The exported string; dir (with "/" separators, ending in "/" or empty)
// receives the image files under "images/". XHTML output is well-formed XML.
QString SaveToHTMLString(TExStringGrid& grid, const QString& dir);

// The clipboard's HTML envelope ("Version:1.0" and the offsets, then the HTML
// document) around the exported string. No image files are written, and
// every character outside ASCII is a character reference, as the document
// declares ISO-8859-1.
QString ClipboardHtml(TExStringGrid& grid);

// Header file lines, the string, footer file lines, each line ending in CR LF;
// UTF-16LE with a byte-order mark when unicode, else 7-bit ASCII with every
// other character as a character reference (an XHTML declaration names
// utf-16 or utf-8 to match). A file that cannot be written
// raises GridError and the old file stays as it was.
void SaveToHTML(TExStringGrid& grid, const QString& fileName, bool show, bool unicode);
// As SaveToHTML after the lines of the existing file (a missing or unreadable
// file counts as empty).
void AppendToHTML(TExStringGrid& grid, const QString& fileName, bool show, bool unicode);

} // namespace grid
