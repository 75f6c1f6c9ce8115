#include "controls/grid/widget/filter_dropdown.h"

#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/mouse_input.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"
#include "controls/grid/widget/qt_canvas.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace grid {

TFilterDropList::TFilterDropList(QWidget* owner) : QFrame(owner, Qt::Popup), list_(new QListWidget(this))
{
    setFrameShape(QFrame::Box);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(list_);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    setFocusProxy(list_);
    connect(list_, &QListWidget::itemChanged, this, [this] {
        if (check_ && isVisible() && OnSelect)
            OnSelect(-1);
    });
}

void TFilterDropList::Open(const QStringList& names, bool check, const QRect& screenRect)
{
    check_ = check;
    picked_ = false;
    {
        const QSignalBlocker quiet(list_);
        list_->clear();
        list_->addItems(names);
        if (check) {
            for (int i = 0; i < list_->count(); ++i) {
                QListWidgetItem* item = list_->item(i);
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(Qt::Unchecked);
            }
        }
    }
    setGeometry(screenRect);
    show();
    list_->setFocus(Qt::PopupFocusReason);
}

std::vector<int> TFilterDropList::Checked() const
{
    std::vector<int> rows;
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->checkState() == Qt::Checked)
            rows.push_back(i);
    }
    return rows;
}

void TFilterDropList::Pick()
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    const int index = selected.isEmpty() ? -1 : list_->row(selected.first());
    picked_ = true;
    hide();
    if (OnSelect)
        OnSelect(index);
}

bool TFilterDropList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            hide();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The check list stays open on Enter.
            if (!check_)
                Pick();
            return true;
        }
    } else if (watched == list_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (!check_) {
            Pick();
            return true;
        }
        // A click anywhere on an entry ticks it (the release stays here,
        // so the box is not flipped twice).
        if (QListWidgetItem* item = list_->itemAt(mouse->position().toPoint())) {
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
            return true;
        }
    } else if (watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick && check_) {
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void TFilterDropList::hideEvent(QHideEvent* event)
{
    QFrame::hideEvent(event);
    if (!picked_) {
        picked_ = true;
        if (OnCancel)
            OnCancel();
    }
}

TGridFilterDropDown::TGridFilterDropDown(TGridWidget& widget) : w_(widget), g_(widget.Grid())
{
    w_.Mouse().FilterDropDown = [this](int col, QRect glyph) { Open(col, glyph); };
    g_.FilterDropDown.OnChange = [this] { g_.Invalidate(); };
}

TGridFilterDropDown::~TGridFilterDropDown()
{
    w_.Mouse().FilterDropDown = nullptr;
    g_.FilterDropDown.OnChange = nullptr;
    for (TFilterDropList* list : {plain_, checks_}) {
        if (list != nullptr) {
            list->OnSelect = nullptr;
            list->OnCancel = nullptr;
            delete list;
        }
    }
}

TFilterDropList* TGridFilterDropDown::OpenList() const
{
    for (TFilterDropList* list : {plain_, checks_}) {
        if (list != nullptr && list->isVisible())
            return list;
    }
    return nullptr;
}

TFilterDropList* TGridFilterDropDown::ListFor(bool check)
{
    TFilterDropList*& list = check ? checks_ : plain_;
    if (list != nullptr)
        return list;
    list = new TFilterDropList(&w_);
    list->OnCancel = [this] { g_.SetFilterCol(-1); };
    if (check) {
        // Ticks leave the list open on its column.
        list->OnSelect = [this](int) { RunGuarded([&] { g_.FilterCheck(checks_->Checked()); }); };
    } else {
        list->OnSelect = [this](int index) { RunGuarded([&] { g_.FilterSelect(index); }); };
    }
    return list;
}

void TGridFilterDropDown::Open(int col, const QRect& glyph)
{
    const int real = g_.RealColIndex(col);
    if (OpenList() != nullptr && g_.FilterCol() == real)
        return;
    TFilterDropList* list = ListFor(g_.FilterDropDownCheck);
    g_.SetFilterCol(real);

    const TFilterDropDown& look = g_.FilterDropDown;
    const QStringList names = FilterEntryNames(g_.FilterList);
    const QFont font = ToQFont(look.Font);
    QPalette palette = list->List()->palette();
    palette.setColor(QPalette::Base, ToQColor(look.Color));
    list->List()->setPalette(palette);
    list->List()->setFont(font);

    const QFontMetrics metrics(font);
    FilterListMetrics m;
    for (const QString& name : names)
        m.widestEntry = std::max(m.widestEntry, metrics.horizontalAdvance(name));
    m.itemHeight = metrics.height() + 2;
    m.entryCount = static_cast<int>(names.size());
    QRect cell = g_.CellRect(col, g_.FilterDropDownRow);
    if (cell.isEmpty())
        cell = QRect(glyph.right() + 1 - glyph.height(), glyph.top(), glyph.height(), glyph.height());
    const QRect local = FilterListRect(look, cell, m);
    list->Open(names, g_.FilterDropDownCheck, QRect(w_.viewport()->mapToGlobal(local.topLeft()), local.size()));
}

} // namespace grid
