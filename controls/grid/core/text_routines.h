#pragma once
#include "controls/grid/core/grid_types.h"

#include <QString>
#include <QStringList>

// Free routines on cell texts: text kinds, number and date texts (by the
// current FormatSettings, read at each call), line-break and quote codecs,
// small string helpers, R1C1 references, URLs and the clipboard HTML header.
// Positions are 1-based, 0 for none.
namespace grid {

// 0 plain, 1 mini-HTML (only with checkHtml), 2 rich text, 3 formula, 5 wide-encoded.
int GetTextKind(const QString& s, bool checkHtml);

bool IsDigitChar(QChar ch);
bool IsDigitOrMinus(QChar ch);
bool IsNumberTextChar(QChar ch);
bool IsSignedNumberTextChar(QChar ch);
bool IsPlainNumberChar(QChar ch);
bool IsNameSeparator(QChar ch);

// 0 integer, 1 real, 2 not a number, 5 scientific.
int GetNumberKind(const QString& s);
// Separators out, "." as the decimal point, "-" for negative texts.
QString NormalizeNumberText(const QString& s);

// Dates as day numbers from 30 December 1899; 0 for none.
double EncodeDate(int year, int month, int day);
bool IsDateText(const QString& s);
double ParseDateMDY(const QString& s);
double ParseDateDMY(const QString& s);
// The next value of a date series; a day the target month lacks becomes its last day.
double IncDatePart(int years, int months, int days, double step, double date);
// A day number as a short date in the current format, and its time of day as h:mm:ss.
QString ShortDateText(double value);
QString TimeText(double value);

QString HideLineBreaks(const QString& s);
QString RestoreLineBreaks(const QString& s, bool multiline);
void CutFirstLine(QString& s, bool keepRest, QString& line);
int CountLines(const QString& s, bool multiline);
QString EscapeLineBreaks(const QString& s);
QString UnescapeLineBreaks(const QString& s);
QString CRToBreakTags(const QString& s);
void CRLFToVTQuoted(QString& s);
void VTToCRLF(QString& s);
void CRLFToLF(QString& s);
void CRLFToTilde(QString& s);
void TildeToCRLF(QString& s);
QString RemoveCR(const QString& s);
QString CRToLF(const QString& s);
QString DoubleQuoteChars(const QString& s);
QString UndoubleChar(QChar ch, const QString& s);
int FindClosingQuote(QChar quote, const QString& s, int& pos);
int CountClosingQuotes(QChar quote, const QString& s);
int CountCharOccurrences(QChar ch, const QString& s);
// Each character of the result is one byte of code page 850, and back.
void TextToOem(QString& s);
void OemToText(QString& s);

int PosInUpperCase(const QString& subStr, const QString& s);
int FirstCharPos(QChar ch, const QString& s);
int FirstCharPosVar(QChar ch, const QString& s, int& pos);
int TextPosVar(const QString& subStr, const QString& s, int& pos);
int WideTextPos(const QString& subStr, const QString& s);
bool CutField(QString& s, const QString& delim, QString& field);
QString JoinLines(const QStringList& lines);
void FillWithChar(QString& s, QChar ch);
int IntMax(int a, int b);
int IntMin(int a, int b);
int ClampToLimits(int value, int min, int max);
bool CellInGridRect(const TGridRect& rect, int col, int row);
// "R<row>C<col>": true with cell = (col, row).
bool ParseRCReference(const QString& s, QPoint& cell);
QString CapitalizeName(const QString& s);

bool IsUrlText(const QString& s);
void StripUrlPrefix(QString& s);
bool LinkifyUrl(const QString& s, const QString& upperPrefix, QString& result);
// The display step's prefixes, tried in this order.
bool LinkifyFirstUrl(const QString& s, QString& result);
QString ColorToHtmlHex(TColor color);
void MakeClipboardHtml(QString& html);

} // namespace grid
