#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>

namespace grid {

class TGridWidget;

// The floating caption shown while a column or row is dragged to a new
// place: a bordered popup that looks like the grid's cell (0, 0) with the
// caption on it (mini-HTML when it holds "</", else one centred line cut
// with an ellipsis). It never takes the focus.
class THeaderDragButton : public QWidget
{
public:
    explicit THeaderDragButton(QWidget* parent = nullptr);

    TGridWidget* Grid() const { return grid_; }
    void SetGrid(TGridWidget* grid);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    bool Flat = false; // kept, not drawn

    // Inside the border.
    QRect ClientRect() const { return rect().adjusted(1, 1, -1, -1); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<TGridWidget> grid_;
    QString caption_;
};

} // namespace grid
