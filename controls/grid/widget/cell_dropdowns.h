#pragma once
#include "controls/grid/core/edit_lifecycle.h"

#include <memory>

class QWidget;

namespace grid {

class TGridEditors;

// The drop-down cell editors as the painted grid sees them. They stand on
// the drop-down controls, which stand on the grid, so they are made by a
// maker that the library holding them installs (InstallDropDownEditors).
class TCellDropDowns
{
public:
    virtual ~TCellDropDowns() = default;
    // Shows the editor of setup.kind over its cell, focused; null when
    // there is no editor of that kind.
    virtual QWidget* Show(const EditorHost::DropDownSetup& setup) = 0;
    // Closes the popup and hides the open editor.
    virtual void Hide() = 0;
    // The editor shown now; null while none.
    virtual QWidget* Open() const = 0;
    virtual DropDownKind Kind() const = 0;
    virtual bool DroppedDown() const = 0;
    virtual QString Text() const = 0;
    // Shows a text with the whole of it selected.
    virtual void SetText(const QString& text) = 0;
    virtual TColor Color() const = 0;
    // The image editor's picked image index; -1 for none.
    virtual int ImageIndex() const { return -1; }
    // The character that opened the edit, typed into the open editor.
    virtual void TypeStartChar(QChar ch) = 0;
};

using CellDropDownMaker = std::unique_ptr<TCellDropDowns> (*)(TGridEditors& editors);

// The maker every grid's editors use from now on (none at start: the
// drop-down editor types then open nothing).
void SetCellDropDownMaker(CellDropDownMaker maker);
CellDropDownMaker CellDropDownMakerInUse();

} // namespace grid
