#pragma once

// A string tree's content as an HTML table, an RTF table, separated text (tab or CSV) and the clipboard
// HTML block. Output grows in 4096-character steps, never by repeated concatenation of the whole.

#include "controls/tree/core/tree_types.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace lazytree {

class TCustomLazyStringTree;

enum TVSTTextSourceType { tstAll, tstInitialized, tstSelected, tstCutCopySet, tstVisible, tstChecked };
enum TVTExportType { etRTF, etHTML, etText, etCustom, etNone };

QString ExportToHTML(TCustomLazyStringTree& tree, TVSTTextSourceType source, const QString& caption = QString());
QByteArray ExportToRTF(TCustomLazyStringTree& tree, TVSTTextSourceType source);
// A cell holding the separator, a double quote, CR or LF is quoted, inner quotes doubled.
QString ExportToText(TCustomLazyStringTree& tree, TVSTTextSourceType source, const QString& separator);

// The export events only: before the tree, per node admitted by the export mode before, at and after it,
// after the tree (the before-node answer is not consulted here).
void ExportToCustom(TCustomLazyStringTree& tree, TVSTTextSourceType source);

// The HTML block with its offset header ("Version:1.0", StartHTML, EndHTML, StartFragment, EndFragment).
QByteArray AddClipboardHtmlHeader(const QByteArray& fragment);

// The CSV separator: ";" where the locale writes decimals with a comma, else ",".
QString CsvSeparator(const QLocale& locale = QLocale());

// "\paperw16840\paperh11907" on metric locales, else "\paperw15840\paperh12240".
QByteArray RtfPaperSize(const QLocale& locale = QLocale());

// Twips of a pixel distance at a logical DPI, halves to even.
int PixelsToTwips(int pixels, int dpi);

} // namespace lazytree
