#pragma once
// Tab order that follows the screen.
#include <QList>

class QWidget;

namespace forms {

// The widgets in reading order of their places in window: rows from top to
// bottom, where widgets whose vertical middles lie within 10 px of a row's
// first one share that row, and left to right within a row.
QList<QWidget*> ReadingOrder(QList<QWidget*> widgets, const QWidget* window);

// Tab goes from each widget to the next one of the list.
void ChainTabOrder(const QList<QWidget*>& widgets);

// The first widget of the list that can take the focus now (nullptr when none).
QWidget* FirstFocusable(const QList<QWidget*>& widgets);

} // namespace forms
