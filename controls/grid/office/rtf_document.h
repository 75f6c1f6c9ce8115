#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Word-processor exchange as RTF: a paragraph with the grid's text, then a
// table of every cell (right and centred cells aligned so). Legacy binary
// documents are neither read nor written.
namespace grid {
class TExStringGrid;
}

namespace grid::office {

enum class CellAlign { Left, Centre, Right };

struct RtfTable
{
    std::vector<QStringList> Rows;
    std::vector<std::vector<CellAlign>> Aligns; // as Rows; missing: left
    std::vector<int> Widths;                     // per column, twips
};

// 8-bit RTF text: \, { and } escaped, other characters past 127 as \uN?,
// line breaks as \line, tabs as \tab.
QByteArray RtfText(const QString& text);
// The paragraph and the table as an RTF fragment (no enclosing group).
QByteArray RtfBody(const QString& paragraph, const RtfTable& table);
// A whole document around the fragment.
QByteArray RtfDocument(const QByteArray& body);

// Where a fragment goes into an RTF document: after the start of the
// bookmark (name compared without case), else before the closing brace of
// the outer group. nullopt when the bytes are not an RTF document.
struct RtfInsertPoint
{
    qsizetype Offset = 0;
    bool AtBookmark = false;
};
std::optional<RtfInsertPoint> FindRtfInsertPoint(const QByteArray& rtf, const QString& bookmark);

// The grid's cells as the table (every cell, fixed ones included).
RtfTable GridTable(TExStringGrid& grid);

// A new document, replacing fileName atomically. createNewDocument makes no
// difference: there is no open document to write into.
void SaveToDOC(TExStringGrid& grid, const QString& fileName, bool createNewDocument = true,
               const QString& gridText = QString());
// Inserts into an existing RTF document at its bookmark, else at its end.
void AppendToDoc(TExStringGrid& grid, const QString& fileName, const QString& bookmark,
                 const QString& gridText = QString());

} // namespace grid::office
