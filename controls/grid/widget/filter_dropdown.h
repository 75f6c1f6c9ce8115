#pragma once
#include "controls/grid/core/filter_drop_down.h"

#include <QFrame>

#include <functional>
#include <vector>

class QListWidget;

namespace grid {

class TExStringGrid;
class TGridWidget;

// A column's filter list: a popup that closes on a click outside it. As a
// plain list Enter or a release on an entry hides it and reports the
// current entry (-1 when none); as a check list every tick reports -1 and
// the list stays open.
class TFilterDropList : public QFrame
{
    Q_OBJECT
public:
    explicit TFilterDropList(QWidget* owner);

    QListWidget* List() const { return list_; }
    bool IsCheckList() const { return check_; }
    // Fills the list and shows it at a rectangle of the screen.
    void Open(const QStringList& names, bool check, const QRect& screenRect);
    // The rows ticked in the check list.
    std::vector<int> Checked() const;

    std::function<void(int itemIndex)> OnSelect;
    // The list went away without a pick (Esc, a click outside it).
    std::function<void()> OnCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Pick();
    QListWidget* list_;
    bool check_ = false;
    bool picked_ = false;
};

// The grid widget's filter lists: a release on a header's filter glyph (the
// mouse side has already filled FilterList) opens the list of that column;
// a pick goes through FilterSelect, ticks through FilterCheck.
class TGridFilterDropDown : public QObject
{
    Q_OBJECT
public:
    explicit TGridFilterDropDown(TGridWidget& widget);
    ~TGridFilterDropDown() override;

    // Opens the list of a display column under its glyph.
    void Open(int col, const QRect& glyph);
    // The open list (null when none was made or it is hidden).
    TFilterDropList* OpenList() const;

private:
    TFilterDropList* ListFor(bool check);
    TGridWidget& w_;
    TExStringGrid& g_;
    TFilterDropList* plain_ = nullptr;
    TFilterDropList* checks_ = nullptr;
};

} // namespace grid
