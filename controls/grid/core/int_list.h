#pragma once
#include "controls/grid/core/cell_graphic.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace grid {

// A list of integers that reports changes together with the cell it belongs to.
class TIntList : public TObject
{
public:
    using ChangeEvent = std::function<void(TIntList* sender, int col, int row)>;

    TIntList(int col = 0, int row = 0) : Col(col), Row(row) {}

    ChangeEvent OnChange;
    int Col;
    int Row;

    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }
    void Add(int value);
    // Inserts without an event; Index is clamped to 0 .. Count.
    void Insert(int index, int value);
    // Indices outside the list are ignored.
    void Delete(int index);
    int GetInteger(int index) const;
    void SetInteger(int index, int value);
    int operator[](int index) const { return GetInteger(index); }
    void DeleteValue(int value);
    bool HasValue(int value) const;
    int IndexOf(int value) const;

    // The items as "3,1,4". Writing reads a comma text; an entry that is no
    // integer raises GridError after the entries before it were added.
    QString StrValue() const;
    void SetStrValue(const QString& text);

    const std::vector<int>& Items() const { return items_; }

protected:
    void Changed();
    std::vector<int> items_;
};

// Sort columns with bit 31 set for descending ones.
class TSortIndexList : public TIntList
{
public:
    void AddIndex(int columnIndex, bool ascending);
    int FindIndex(int columnIndex) const;
    void ToggleIndex(int columnIndex);
    int GetSortColumns(int i) const;
    void SetSortColumns(int i, int value);
    bool GetSortDirections(int i) const;
    void SetSortDirections(int i, bool ascending);
    // "u2;d5": direction letter and the low 16 bits of the column.
    QString SaveToString() const;
    void LoadFromString(const QString& text);
};

// A control placed in a cell. Controls are the view's objects; the list never
// frees them.
struct TControlItem
{
    int X = 0;
    int Y = 0;
    QObject* Control = nullptr;
};

class TControlList
{
public:
    int Count() const { return static_cast<int>(items_.size()); }
    void AddControl(int x, int y, QObject* control);
    void RemoveControl(int i);
    int ControlIndex(int x, int y) const;
    TControlItem* GetControl(int i);
    const TControlItem* GetControl(int i) const;
    // Windowed controls answer their handle through this callback.
    bool HasHandle(quintptr handle, const std::function<quintptr(QObject*)>& handleOf) const;

private:
    std::vector<TControlItem> items_;
};

// A list of lines read and written line by line.
class TFileStringList
{
public:
    QStringList Lines;

    void Reset();
    bool Eof() const { return fp_ >= Lines.size(); }
    // Reading at the end raises GridError.
    void ReadLn(QString& s);
    void Write(const QString& s) { cache_ += s; }
    void WriteLn(const QString& s);

private:
    qsizetype fp_ = 0;
    QString cache_;
};

} // namespace grid
