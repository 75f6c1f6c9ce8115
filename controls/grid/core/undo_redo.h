#pragma once
#include <QString>

#include <functional>
#include <vector>

namespace grid {

class TBaseGrid;
class TExStringGrid;

// One recorded change, or a sequence marker (Col and Row -1).
struct TUndoRedoItem
{
    QString Value;     // text after the change
    QString OrigValue; // text before it
    int Col = -1;      // real column
    int Row = -1;      // real row (hidden rows keep theirs)
    bool SequenceStart = false;
    bool SequenceStop = false;
    // A check box that keeps its state itself: Value and OrigValue are the
    // check texts naming its state, and undo and redo set the state.
    bool CheckBoxState = false;

    bool IsMarker() const { return SequenceStart || SequenceStop; }
};

// The history of cell changes of one grid, undone and redone singly or by
// sequences. Items hold real columns and real rows, so hiding, filtering and
// folding rows or hiding columns leaves them valid. Sorting, inserting,
// deleting and moving rows and moving columns carry them along; the history
// is cleared when a changed cell goes away, and by the operations that
// cannot carry it.
class TUndoRedo
{
public:
    TUndoRedo();
    ~TUndoRedo();
    TUndoRedo(const TUndoRedo&) = delete;
    TUndoRedo& operator=(const TUndoRedo&) = delete;

    // Links both ways; a grid linked before is released.
    void SetGrid(TExStringGrid* grid);
    TExStringGrid* Grid() const { return grid_; }

    const std::vector<TUndoRedoItem>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // Items currently applied, 0 .. Count.
    int Level() const { return level_; }
    // History limit in items; 0 for none. Whole sequences go first.
    int MaxLevel = 0;

    // Sender, grid, column, row, the cell's text now, the text it gets.
    using Event = std::function<void(TUndoRedo* sender, TExStringGrid* grid, int col, int row,
                                     const QString& current, const QString& next)>;
    Event OnUndo;
    Event OnRedo;

    // col is a real column, row the grid's (display) row. Changes undone
    // before are dropped: a later Redo never applies them over newer ones.
    void RegisterChange(int col, int row, const QString& oldValue, const QString& newValue);
    // The same for a check box that keeps its state itself: the values are
    // its check texts.
    void RegisterCheckBoxChange(int col, int row, const QString& oldValue, const QString& newValue);
    void StartSequence();
    void StopSequence();
    void Undo();
    void Redo();
    void Reset();
    bool CanUndo() const { return level_ > 0; }
    bool CanRedo() const { return level_ < Count(); }

    // The grid's rows moved: realRow maps an item's real row to its new one,
    // -1 for a row that is gone (the history is cleared then).
    void RowsMoved(const std::function<int(int realRow)>& realRow);
    // The same for the real columns; realCol sees each item's real column
    // and real row.
    void ColsMoved(const std::function<int(int realCol, int realRow)>& realCol);
    // The grid's shape changed in a way the items cannot follow: the
    // history is cleared.
    void ShapeChanged() { Reset(); }
    // The grid goes away.
    void GridDestroyed(const TBaseGrid* grid);

private:
    void Append(TUndoRedoItem item);
    void DropUndone();
    // Removes whole units from the front while the history is at its limit.
    void Trim();
    // A copy: the events may change the history.
    void Apply(TUndoRedoItem item, bool undo);

    std::vector<TUndoRedoItem> items_;
    int level_ = 0;
    int openSequence_ = -1; // index of the start marker of an open sequence
    int nesting_ = 0;       // sequences started inside one are part of it
    TExStringGrid* grid_ = nullptr;
};

} // namespace grid
