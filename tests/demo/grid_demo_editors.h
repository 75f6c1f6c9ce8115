#pragma once
// The demo's editor page: one row per in-place editor kind.
#include "controls/grid/core/ex_string_grid.h"

#include <QString>

#include <memory>
#include <vector>

class QTabWidget;

namespace grid {
class TGridWidget;
}

struct EditorRow
{
    const char* name; // shot file suffix and row caption
    grid::TEditorType editor;
    const char* value;
    bool dropDown; // Alt+Down opens its popup for the shot
};

struct EditorsPage
{
    std::unique_ptr<grid::TExStringGrid> grid;
    grid::TGridWidget* widget = nullptr;
    const std::vector<EditorRow>* rows = nullptr;
};

// The page must outlive the tab widget (the grid outlives its widget).
void BuildEditorsPage(EditorsPage& page, QTabWidget& tabs);

// Opens the editor of the page's row index (1-based grid row = index + 1).
void OpenEditor(EditorsPage& page, int index);
