#pragma once
#include "controls/grid/search/grid_search.h"

#include <QLineEdit>
#include <QWidget>

#include <functional>

namespace grid {

class TExStringGrid;
class TExGridButton;
class TExCheckBox;

// The search edit: Enter finds the next hit, Ctrl+Enter the previous one;
// neither is typed into the text nor reaches a dialog's buttons.
class TRetEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    std::function<void()> OnReturn;
    std::function<void()> OnCtrlReturn;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The search footer: a strip along the bottom of the painted grid with the
// search edit, find next and previous, a highlight toggle, a match-case box
// and a close button. It follows the grid's SearchFooter settings; typing
// jumps to the first hit and a miss turns the edit red.
class TSearchPanel : public QWidget
{
public:
    static constexpr int kHeight = 32;

    explicit TSearchPanel(TExStringGrid& grid, QWidget* parent = nullptr);
    ~TSearchPanel() override;

    // Visible, height, colours, captions, hints and shown controls from the
    // settings.
    void SyncWithGrid();

    TRetEdit* EditControl() const { return edit_; }
    TExCheckBox* MatchCase() const { return matchCase_; }
    TExGridButton* ForwardButton() const { return forward_; }
    TExGridButton* BackwardButton() const { return backward_; }
    TExGridButton* HighlightButton() const { return hilite_; }
    TExGridButton* ExitButton() const { return exit_; }
    GridSearch& Search() { return search_; }

    // The edit's text changed (defaultSearch false skips the search); the
    // footer closes; the cells changed (the grid repaints).
    std::function<void(const QString& value, bool& defaultSearch)> OnSearchEditChange;
    std::function<void()> OnSearchFooterClose;
    std::function<void()> OnCellsChanged;

    // The actions of the edit and the buttons.
    void EditChanged(const QString& text);
    void FindNext(bool previous);
    void HighlightClick();
    void Close();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FooterPanel PanelState() const;
    void SetEditColor(TColor color);
    void Changed();

    TExStringGrid& grid_;
    GridSearch search_;
    TRetEdit* edit_ = nullptr;
    TExGridButton* exit_ = nullptr;
    TExGridButton* forward_ = nullptr;
    TExGridButton* backward_ = nullptr;
    TExGridButton* hilite_ = nullptr;
    TExCheckBox* matchCase_ = nullptr;
};

} // namespace grid
