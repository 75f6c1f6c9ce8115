#include "grid_demo_editors.h"

#include "controls/grid/dropdown_editors/grid_dropdown_editors.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "platform/text/format_settings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>

using namespace grid;

namespace {

const std::vector<EditorRow>& Rows()
{
    static const std::vector<EditorRow> rows{
        {"text", edNormal, "Meter hall 2", false},
        {"numeric", edNumeric, "502", false},
        {"float", edFloat, "12.5", false},
        {"capital", edCapital, "Pump", false},
        {"password", edPassword, "secret", false},
        {"combo_list", edComboList, "9600", true},
        {"combo_edit", edComboEdit, "19200", true},
        {"check_box", edCheckBox, "Y", false},
        {"spin", edSpinEdit, "5", false},
        {"float_spin", edFloatSpinEdit, "2.5", false},
        {"date_spin", edDateSpinEdit, "29/02/2024", false},
        {"time_spin", edTimeSpinEdit, "23:59:30", false},
        {"edit_button", edEditBtn, "C:/data/plant.csv", false},
        {"unit", edUnitEditBtn, "230V", false},
        {"date", edDateEdit, "11/12/2026", true},
        {"time", edTimeEdit, "08:15:00", false},
        {"date_and_time", edDateTimeEdit, "11/12/2026 08:15:00", false},
        {"push_button", edButton, "Scan", false},
        {"rich_text", edRichEdit, "{\\rtf1 Plain and {\\b bold} text}", false},
        {"track_bar", edTrackbarDropDown, "4", true},
        {"memo_drop_down", edMemoDropDown, "First line", true},
        {"calculator", edCalculatorDropDown, "12.5", true},
        {"clock", edTimePickerDropDown, "08:15:00", true},
        {"detail_list", edDetailDropDown, "Meter hall 2", true},
        {"multi_column", edGridDropDown, "Boiler feed", true},
        {"colour", edColorPickerDropDown, "clRed", true},
    };
    return rows;
}

// The lists the detail and multi-column editors offer.
void FillDropDownLists(TGridWidget& widget)
{
    auto* set = widget.Editors() != nullptr ? dynamic_cast<TGridDropDownSet*>(widget.Editors()->DropDowns()) : nullptr;
    if (set == nullptr)
        return;
    if (auto* detail = dynamic_cast<dropdown::TExDetailDropDown*>(&set->Editor(DropDownKind::Detail)->Edit())) {
        const char* const meters[][2] = {
            {"Meter hall 1", "Heat meter, <b>M-Bus</b> address 3"},
            {"Meter hall 2", "Water meter, <b>M-Bus</b> address 7"},
            {"Meter office", "Electricity meter, three phase"},
            {"Meter roof", "Heat meter, solar loop"},
        };
        std::vector<dropdown::TDetailItem> items;
        for (const auto& m : meters)
            items.push_back({QString::fromLatin1(m[0]), -1, QImage(), QString::fromLatin1(m[1])});
        detail->SetItems(items);
        detail->ItemHeight = 40;  // room for the caption and its notes
    }
    if (auto* list = dynamic_cast<dropdown::TExMultiColumnDropDown*>(&set->Editor(DropDownKind::MultiColumn)->Edit())) {
        dropdown::TDropDownColumns columns;
        for (const auto& [header, width] : {std::pair{"Device", 110}, {"Address", 60}, {"Baud", 60}}) {
            dropdown::TDropDownColumn column;
            column.Header = QString::fromLatin1(header);
            column.Width = width;
            columns.push_back(column);
        }
        list->SetColumns(columns);
        const char* const devices[][3] = {
            {"Boiler feed", "12", "9600"},
            {"Return pump", "13", "9600"},
            {"Chiller", "21", "19200"},
            {"Air handler", "30", "38400"},
        };
        dropdown::TDropDownItems items;
        for (const auto& d : devices)
            items.push_back({-1, {QString::fromLatin1(d[0]), QString::fromLatin1(d[1]), QString::fromLatin1(d[2])}});
        list->SetItems(items);
    }
}

} // namespace

void BuildEditorsPage(EditorsPage& page, QTabWidget& tabs)
{
    page.rows = &Rows();
    // Day-first dates with slashes, whatever the machine's locale.
    platform::FormatSettings fs = platform::FormatSettings::Current();
    fs.DateSeparator = u'/';
    fs.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    platform::FormatSettings::SetCurrent(fs);
    page.grid = std::make_unique<TExStringGrid>();
    TExStringGrid& g = *page.grid;
    g.SetColCount(2);
    g.SetRowCount(int(Rows().size()) + 1);
    g.SetDefaultRowHeight(24);
    g.SetColWidths(0, 140);
    g.SetColWidths(1, 260);
    g.SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing, goTabs});
    g.ControlLook.SetControlStyle(csWinXP);
    g.Loaded();
    g.SetCells(0, 0, QStringLiteral("Editor"));
    g.SetCells(1, 0, QStringLiteral("Value"));
    for (int i = 0; i < int(Rows().size()); ++i) {
        g.SetCells(0, i + 1, QString::fromLatin1(Rows()[size_t(i)].name).replace(QLatin1Char('_'), QLatin1Char(' ')));
        g.SetCells(1, i + 1, QString::fromLatin1(Rows()[size_t(i)].value));
    }
    g.OnGetEditorType = [](TExStringGrid* grid, int, int row, TEditorType& editor) {
        if (row >= 1 && row <= int(Rows().size())) {
            editor = Rows()[size_t(row - 1)].editor;
            grid->ClearComboString();
            if (editor == edComboList || editor == edComboEdit)
                for (const char* rate : {"9600", "19200", "38400", "115200"})
                    grid->AddComboString(QString::fromLatin1(rate));
        }
    };
    page.widget = new TGridWidget(g);
    page.widget->setObjectName(QStringLiteral("EditorsGrid"));
    FillDropDownLists(*page.widget);
    tabs.addTab(page.widget, QStringLiteral("Editors"));
}

void OpenEditor(EditorsPage& page, int index)
{
    TExStringGrid& g = *page.grid;
    if (g.EditorMode())
        g.HideInplaceEdit();
    page.widget->setFocus();
    g.SetCol(1);
    g.SetRow(index + 1);
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(page.widget, &f2);
    if ((*page.rows)[size_t(index)].dropDown) {
        QWidget* editor = page.widget->Editors() != nullptr ? page.widget->Editors()->OpenEditor() : nullptr;
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::AltModifier);
        QApplication::sendEvent(editor != nullptr ? editor : page.widget, &down);
    }
}
