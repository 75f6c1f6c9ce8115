#pragma once
#include "controls/grid/core/settings_objects.h"

#include <QComboBox>
#include <QLineEdit>
#include <QObject>
#include <QRect>
#include <QStringList>

namespace grid {

class TGridWidget;
class TExStringGrid;
class TFixedCellEditors;

// The edit box over a fixed cell: no frame; Enter stores, Esc closes
// without storing, leaving it for another control stores.
class TGridTransEdit : public QLineEdit
{
    Q_OBJECT
public:
    TGridTransEdit(TFixedCellEditors& editors, QWidget* parent);
    // The edited cell: real column and row.
    int FCol = -1;
    int FRow = -1;
    // Validates and stores the text; true when the editor closed.
    bool StopEdit();

protected:
    bool event(QEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TFixedCellEditors& editors_;
};

// The combo box over a fixed cell, typed into or picked from, with the
// edit box's keys.
class TGridTransCombo : public QComboBox
{
    Q_OBJECT
public:
    TGridTransCombo(TFixedCellEditors& editors, QWidget* parent);
    int FCol = -1;
    int FRow = -1;
    bool StopEdit();
    // Typing allowed (fceComboEdit) or the list only (fceComboList).
    void SetTyping(bool on);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TFixedCellEditors& editors_;
};

// The two fixed-cell editors of a painted grid, made with it and hidden
// until a click on a fixed cell opens one (the mouse's ShowFixedCellEditor).
// A refused value (OnCellValidate) keeps the editor open and focused.
class TFixedCellEditors : public QObject
{
    Q_OBJECT
public:
    explicit TFixedCellEditors(TGridWidget& widget);

    TGridTransEdit* EditTrans() const { return edit_; }
    TGridTransCombo* ComboTrans() const { return combo_; }
    // The open editor (null when none).
    QWidget* OpenEditor() const;
    // The fixed cell being edited: display column and row.
    int FixedColEdit() const { return fixedColEdit_; }
    int FixedRowEdit() const { return fixedRowEdit_; }

    // Opens an editor of kind over rect (the cell shrunk by a pixel) on the
    // fixed cell (display column, row); nothing when the open one refuses to
    // close.
    void Open(int col, int row, const QRect& rect, TGridFixedCellEditor kind, const QStringList& items);
    // Validates and stores the open editor's text; true when it closed (or
    // none was open).
    bool StopEdit();
    // Closes the open editor without storing.
    void Cancel();

    // What a key does in an editor; true when the key was the editor's.
    bool Key(QWidget* editor, int key);
    // The editor lost the focus to another control.
    void FocusLeft(QWidget* editor, Qt::FocusReason reason);
    // The text of an editor changed (OnEditChange).
    void TextChanged(const QString& text);

private:
    bool Stop(QWidget* editor, int realCol, int row, const QString& text);
    void Close(QWidget* editor);

    TGridWidget& widget_;
    TExStringGrid& grid_;
    TGridTransEdit* edit_;
    TGridTransCombo* combo_;
    QWidget* open_ = nullptr;
    int fixedColEdit_ = -1;
    int fixedRowEdit_ = -1;
    bool stopping_ = false;
    bool opening_ = false;
};

} // namespace grid
