#pragma once
#include "controls/grid/core/edit_lifecycle.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

namespace grid {

class TGridEditors;

// Where a link's control lives: in the cell, or in the link's popup.
enum TEditStyle { esInplace, esPopup };

// A caller's own control as a cell editor (edCustom cells, the grid's
// EditLink or a column's). The grid runs a fixed sequence of the virtual
// steps; a descendant overrides them to make, place, fill and read its
// control. Keys of the control reach EditKeyDown, which decides whether
// they end the edit. The grid never frees a link; a link owns its popup.
class TEditLink : public QObject
{
public:
    explicit TEditLink(QObject* owner = nullptr);
    ~TEditLink() override;

    // ---- The steps a descendant overrides ----
    // A key of the control; key 0 on return means it was used up.
    virtual void EditKeyDown(int& key, TShiftState shift);
    virtual QWidget* GetEditControl() { return nullptr; }
    virtual void CreateEditor(QWidget* parent) {}
    virtual void DestroyEditor() {}
    virtual void SetFocus(bool value);
    virtual void SetRect(const QRect& rect);
    virtual void SetVisible(bool value);
    virtual void SetProperties() {}
    virtual void SetCellProps(const QColor& color, const QFont& font) {}
    virtual QString GetEditorValue() { return {}; }
    virtual void SetEditorValue(const QString& value) {}

    // ---- Helpers for descendants ----
    // The control left: the value is stored and the edit ends; a popup is
    // hidden and its control destroyed.
    void EditExit();
    // The popup lost the activation.
    void FormExit();
    // The popup for esPopup, else the grid's cell area.
    QWidget* GetParent() const;
    QString GetCellValue() const;
    void SetCellValue(const QString& value);
    void HideEditor();
    void RestoreWinProc();

    // ---- Settings ----
    bool WantKeyLeftRight = false;
    bool WantKeyUpDown = false;
    bool WantKeyHomeEnd = false;
    bool WantKeyPriorNext = false;
    bool WantKeyReturn = false;
    bool WantKeyEscape = false;
    bool WantReturns = false;
    bool WantTabs = false;
    TEditStyle EditStyle = esInplace;
    int PopupWidth = 100;
    int PopupHeight = 100;
    bool AutoPopupWidth = false;
    // Screen position of the popup; -1 puts it at the cell's corner.
    int PopupLeft = -1;
    int PopupTop = -1;
    int Tag = 0;

    // The grid the link edits for, set each time the grid shows it.
    TExStringGrid* Grid() const { return grid_; }
    // The cell being edited (display column, row).
    TGridCoord EditCell() const { return editCell_; }
    // This link's own popup (made on first popup use, then reused).
    QWidget* PopupForm() const { return popup_.data(); }
    bool SubClassed() const { return subClassed_; }

    // ---- Run by the grid ----
    // The opening sequence over the cell (the grid's cell rectangle, its
    // colour and font, its edit text).
    void Open(TGridEditors& host, const EditorHost::LinkSetup& setup);
    // The end of an edit: out of sight unless in a popup, the key filter off.
    void Close();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GridEditing* Editing() const;
    // The grid takes the focus back while the flag tells the popup that
    // its deactivation only stores the value.
    void GridTakesFocus();

    TGridEditors* host_ = nullptr;
    TExStringGrid* grid_ = nullptr;
    TGridCoord editCell_{-1, -1};
    QPointer<QWidget> popup_;
    QPointer<QWidget> filtered_;
    bool forcedExit_ = false;
    bool subClassed_ = false;
    bool exiting_ = false;
};

// Whether a key ends a link's edit (its settings keeping the keys it wants).
bool LinkKeyEnds(const TEditLink& link, int key, TShiftState shift);

} // namespace grid
