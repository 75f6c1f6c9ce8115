#include "app/forms/tab_order.h"

#include <QWidget>

#include <algorithm>

namespace forms {

namespace {

constexpr int kRowTolerance = 10;

struct Placed
{
    QWidget* widget;
    QRect rect;   // in the window's coordinates
};

} // namespace

QList<QWidget*> ReadingOrder(QList<QWidget*> widgets, const QWidget* window)
{
    QList<Placed> placed;
    for (QWidget* w : widgets)
        placed.append({w, QRect(w->mapTo(window, QPoint(0, 0)), w->size())});
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed& a, const Placed& b) { return a.rect.center().y() < b.rect.center().y(); });
    QList<QWidget*> out;
    for (qsizetype first = 0; first < placed.size();) {
        qsizetype end = first + 1;
        while (end < placed.size() && placed[end].rect.center().y() - placed[first].rect.center().y() <= kRowTolerance)
            ++end;
        std::stable_sort(placed.begin() + first, placed.begin() + end,
                         [](const Placed& a, const Placed& b) { return a.rect.x() < b.rect.x(); });
        for (qsizetype i = first; i < end; ++i)
            out.append(placed[i].widget);
        first = end;
    }
    return out;
}

void ChainTabOrder(const QList<QWidget*>& widgets)
{
    for (qsizetype i = 0; i + 1 < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i], widgets[i + 1]);
}

QWidget* FirstFocusable(const QList<QWidget*>& widgets)
{
    for (QWidget* w : widgets)
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
            return w;
    return nullptr;
}

} // namespace forms
