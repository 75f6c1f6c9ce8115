#pragma once
#include "editors/table_model.h"
#include "form_base.h"

#include <vector>

class QLabel;
class QTabWidget;
class TLbButton;

namespace grid {
class TGridWidget;
}

namespace editors {

// The window of a table editor: the title panel, one painted grid (or one
// page per section), and the button panel, over a TableModel. The table is
// read again on every showing; OK checks and writes, Cancel writes nothing.
class TableEditorForm : public OrvanoForm
{
    Q_OBJECT
public:
    TableEditorForm(QWidget* parent, const TableDef& def);
    ~TableEditorForm() override;

    void Set_Lang() override;

    TableModel& Model() { return model_; }
    grid::TGridWidget* GridWidget(int section = 0) const { return widgets_[size_t(section)]; }
    // The section whose grid the row buttons act on.
    int ActiveSection() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OkClick();
    void Button3Click();
    void Button4Click();
    void CopyClick();
    void PasteClick();
    // Places the table, the panels and the buttons for a client width.
    void Relayout(int width);

    TableModel model_;
    QLabel* code_ = nullptr;
    QLabel* desc_ = nullptr;
    QTabWidget* pages_ = nullptr;
    std::vector<grid::TGridWidget*> widgets_;
    TLbButton* ok_ = nullptr;
    TLbButton* cancel_ = nullptr;
    TLbButton* button3_ = nullptr;
    TLbButton* button4_ = nullptr;
    TLbButton* copy_ = nullptr;
    TLbButton* paste_ = nullptr;
    QWidget* panel_ = nullptr;
};

} // namespace editors
