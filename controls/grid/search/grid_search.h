#pragma once
#include "controls/grid/core/grid_types.h"

#include <QString>

// Finding and replacing cell texts, headless. Results are (column, row): display
// indices, but a real column with fnIncludeHiddenColumns and a real row with
// fnIncludeHiddenRows; (-1, -1) is none.
namespace grid {

class TExStringGrid;

enum TFindParameter {
    fnMatchCase,
    fnMatchFull,
    fnMatchRegular,
    fnDirectionLeftRight,
    fnMatchStart,
    fnFindInCurrentRow,
    fnFindInCurrentCol,
    fnIncludeFixed,
    fnAutoGoto,
    fnIgnoreHTMLTags,
    fnBackward,
    fnIncludeHiddenColumns,
    fnFindInPresetCol,
    fnFindInPresetRow,
    fnSelectedCells,
    fnIncludeHiddenRows
};
using TFindParams = TSet<TFindParameter>;

enum TSearchAction { saFindFirst, saFindPrevious, saFindNext };

// Export notification states a search sends (a miss sends "done", a hit "fail").
enum TExportState { esExportStart, esExportNewRow, esExportDone, esExportFail };

// What the search footer's panel shows that its actions read.
struct FooterPanel
{
    bool HighlightDown = false;
    bool MatchCase = false;
};

// The outcome of a footer action: the hit and the colour of the search edit.
struct FooterOutcome
{
    TGridCoord Hit{-1, -1};
    TColor EditColor = clWindow;
};

// The search state of one grid between FindFirst and FindNext.
class GridSearch
{
public:
    explicit GridSearch(TExStringGrid& grid) : grid_(grid) {}

    // The first row from FixedRows whose stripped text starts with s (compared
    // upper-cased with s as given) in the search column; -1 when none.
    int Search(const QString& s) const;

    // From (-1, -1) the range's first cell (last with fnBackward) is tested;
    // from any other cell the walk starts one step on, wrapping to the first
    // (last) cell past the range's end.
    TGridCoord Find(TGridCoord start, const QString& s, TFindParams params);
    TGridCoord FindFirst(const QString& s, TFindParams params);
    TGridCoord FindNext();

    // Walks the range once (never wrapping) and replaces every occurrence of
    // orig in each matching cell, by case unless fnMatchCase is absent; the
    // number of cells changed.
    int Replace(const QString& orig, const QString& replacement, TFindParams params);

    // The footer's edit changed: with SearchFooter.AutoSearch the first hit
    // becomes current (the edit turns red on a miss) and is highlighted when
    // asked.
    FooterOutcome FooterEditChange(const QString& text, FooterPanel panel);
    // Find next (previous) from the last hit; a text other than the last
    // search starts again from the first (last) cell.
    FooterOutcome FooterFind(const QString& text, FooterPanel panel, bool previous);

    TGridCoord SearchCell{-1, -1};
    int FindCol = -1;
    int FindRow = -1;
    TFindParams FindParams;
    QString SearchCache;
    bool FindBusy = false;

private:
    struct Range
    {
        int Left = 0, Top = 0, Right = -1, Bottom = -1;
    };
    bool MakeRange(TFindParams params, Range& range) const;
    // Find; without wrap, a step past the range's end finds nothing.
    TGridCoord Walk(TGridCoord start, const QString& s, TFindParams params, bool wrap);
    bool Matches(int col, int row) const;
    QString CellText(int col, int row) const;
    void WriteCell(int col, int row, const QString& value);
    void Goto(TGridCoord hit);
    TFindParams FooterParams(FooterPanel panel);
    void Highlight(const QString& text, bool matchCase);

    TExStringGrid& grid_;
};

} // namespace grid
