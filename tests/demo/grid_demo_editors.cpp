#include "grid_demo_editors.h"

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
        {"colour", edColorPickerDropDown, "clRed", true},
    };
    return rows;
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
