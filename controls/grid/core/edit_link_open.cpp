// Opening a caller's editor (edCustom) through its link.
#include "controls/grid/core/edit_lifecycle.h"

namespace grid {

QObject* GridEditing::CurrentLink() const
{
    if (const auto* cg = dynamic_cast<const TExColumnGrid*>(&g_))
        if (QObject* own = cg->CurrentEditorSettings().EditLink)
            return own;
    return EditLink.data();
}

void GridEditing::ShowLink(int col, int row)
{
    QObject* link = CurrentLink();
    // Without a link nothing opens and EditMode stays off.
    if (link == nullptr || host_ == nullptr) {
        editing_ = false;
        editActive_ = false;
        return;
    }
    editMode_ = true;
    openKind_ = EditorKind::Link;
    const CellLook look = g_.GetVisualProperties(col, row, TGridDrawState(), false, false, true);
    EditorHost::LinkSetup setup;
    setup.cellRect = g_.UnclippedCellRect(col, row);
    setup.link = link;
    setup.realCol = g_.RealColIndex(col);
    setup.row = row;
    setup.color = look.Brush.Color;
    setup.font = look.Font;
    setup.text = g_.GetEditText(col, row);
    noEditChange_ = true;
    const bool shown = host_->ShowLink(setup);
    noEditChange_ = false;
    AfterShow(shown);
}

} // namespace grid
