#pragma once
#include "controls/dropdown/calculator_dropdown.h"
#include "controls/dropdown/color_picker_dropdown.h"
#include "controls/dropdown/detail_dropdown.h"
#include "controls/dropdown/grid_dropdown.h"
#include "controls/dropdown/image_picker_dropdown.h"
#include "controls/dropdown/memo_dropdown.h"
#include "controls/dropdown/multi_column_dropdown.h"
#include "controls/dropdown/time_picker_dropdown.h"
#include "controls/dropdown/trackbar_dropdown.h"
#include "controls/grid/widget/cell_dropdowns.h"

#include <array>

class QKeyEvent;

namespace grid {

// The cell a drop-down editor is shown for (real column).
struct DropDownCell
{
    TExStringGrid& grid;
    int realCol;
    int row;
    // The grid's images as the image editor shows them; kept by the set.
    QList<QPixmap>& pictures;
};

// What the grid asks of a drop-down cell editor, whatever its picker.
class TCellDropDownEditor
{
public:
    virtual ~TCellDropDownEditor() = default;
    virtual dropdown::TExCustomDropDown& Edit() = 0;
    // The cell's value into the picker.
    virtual void Load(const EditorHost::DropDownSetup& setup, const DropDownCell& cell) = 0;
    // The value read back (the memo's lines joined). A text editor left as
    // it opened gives the cell's own text back, not the picker's reading of
    // it (a track bar would clamp it). The image editor's text is the
    // number picked in a data image cell, else the cell's own text.
    virtual QString Value() const = 0;
    virtual void SetValue(const QString& value) = 0;
    virtual TColor ColorValue() const { return clNone; }
};

// A drop-down cell editor: the real drop-down with the grid's key contract.
// A key of the closing-key table commits (validated), cancels or leaves; any
// other key is the drop-down's own (Alt+Down opens the popup).
template <class Base>
class TGridDropDownEditor : public Base, public TCellDropDownEditor
{
public:
    TGridDropDownEditor(TGridEditors& editors, QWidget* parent);

    dropdown::TExCustomDropDown& Edit() override { return *this; }
    void Load(const EditorHost::DropDownSetup& setup, const DropDownCell& cell) override;
    QString Value() const override;
    void SetValue(const QString& value) override;
    TColor ColorValue() const override;
    void Change() override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    TGridEditors& editors_;
    // The cell's text and what the picker showed for it when it opened.
    QString keptText_;
    QString shownValue_;
    // False when the picker's value never goes into the cell's text.
    bool valueInText_ = true;
};

using TGridTrackbarDropDown = TGridDropDownEditor<dropdown::TExTrackBarDropDown>;
using TGridMemoDropDown = TGridDropDownEditor<dropdown::TExMemoDropDown>;
using TGridCalculatorDropDown = TGridDropDownEditor<dropdown::TExCalculatorDropdown>;
using TGridTimepickerDropDown = TGridDropDownEditor<dropdown::TExTimePickerDropDown>;
using TGridDetailPickerDropDown = TGridDropDownEditor<dropdown::TExDetailDropDown>;
using TGridGridDropDown = TGridDropDownEditor<dropdown::TExMultiColumnDropDown>;
using TGridColorDropDown = TGridDropDownEditor<dropdown::TExColorPickerDropDown>;
using TGridImageDropDown = TGridDropDownEditor<dropdown::TExImagePickerDropDown>;
using TGridExGridDropDown = TGridDropDownEditor<dropdown::TCustomExGridDropDown>;

// The nine drop-down editors of one grid, each made on first use and reused
// for every cell.
class TGridDropDownSet : public TCellDropDowns
{
public:
    explicit TGridDropDownSet(TGridEditors& editors) : editors_(editors) {}
    ~TGridDropDownSet() override;

    // The editor of a kind, made on first use (null for DropDownKind::None).
    TCellDropDownEditor* Editor(DropDownKind kind);
    TCellDropDownEditor* MadeEditor(DropDownKind kind) const;

    QWidget* Show(const EditorHost::DropDownSetup& setup) override;
    void Hide() override;
    QWidget* Open() const override;
    DropDownKind Kind() const override { return open_; }
    bool DroppedDown() const override;
    QString Text() const override;
    void SetText(const QString& text) override;
    TColor Color() const override;
    int ImageIndex() const override;
    void TypeStartChar(QChar ch) override;

private:
    TGridEditors& editors_;
    std::array<std::unique_ptr<TCellDropDownEditor>, 10> made_;
    QList<QPixmap> pictures_;
    DropDownKind open_ = DropDownKind::None;
};

// From now on every grid's drop-down editor types open these editors.
void InstallDropDownEditors();

} // namespace grid
