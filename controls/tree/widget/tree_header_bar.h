#pragma once

// The painted header of a tree: the core header with the widget's hooks (TTreeHeader) and the child widget
// above the tree's viewport that paints the buttons and takes the header's mouse input (THeaderBar).

#include "controls/tree/core/tree_header.h"
#include "controls/tree/widget/header_popup.h"

#include <QFont>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace lazytree {

class TLazyTreeControl;
class TCustomImageList;
class THeaderBar;

enum TVTDropMarkMode { dmmNone, dmmLeft, dmmRight };

class TTreeHeader;
// Owner drawing of a button (hoOwnerDraw and a vsOwnerDraw column).
using TVTHeaderPaintEvent = std::function<void(
    TTreeHeader&, QPainter&, TColumnIndex, QRect button, bool hover, bool pressed, TVTDropMarkMode dropMark)>;

class TTreeHeader : public TVTHeader {
public:
    explicit TTreeHeader(TLazyTreeControl& control);
    ~TTreeHeader() override;

    TLazyTreeControl& Control() const { return control_; }
    THeaderBar* Bar() const { return bar_; }
    void SetBar(THeaderBar* bar) { bar_ = bar; }

    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* list);
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
    // The chooser made by the last right click with hoAutoColumnPopupMenu, if it still exists.
    TVTHeaderPopupMenu* ColumnChooser() const { return chooser_; }
    // The header font as a Qt font (the tree's with ParentFont).
    QFont QtFont() const;

    TVTHeaderPaintEvent OnHeaderDraw;

    void RepaintHeader(TColumnIndex column) override;
    void RefreshHeaderFrame() override;
    void PopupColumnChooser(TPoint client) override;
    bool PopupHeaderMenu(TColumnIndex column, TPoint client) override;

private:
    TLazyTreeControl& control_;
    THeaderBar* bar_ = nullptr;
    TCustomImageList* images_ = nullptr;
    int imagesLink_ = 0;
    QPointer<QMenu> popupMenu_;
    QPointer<TVTHeaderPopupMenu> chooser_;
};

class THeaderBar : public QWidget {
    Q_OBJECT
public:
    THeaderBar(TLazyTreeControl& control, TTreeHeader& header);

    // The size of the sort glyph images (our own drawings).
    static constexpr TSize kSortGlyphSize{9, 5};
    // Paints the buttons of the client range [left, right) with their top-left at target.
    void PaintHeader(QPainter& painter, int left, int right, QPoint target);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TPoint ClientPoint(QPoint local) const { return {local.x(), local.y() - header_.Height()}; }
    void PaintButton(QPainter& painter, TColumnIndex column, const QRect& button);
    void DrawEdge(QPainter& painter, QRect r, int edge, bool allSides, bool rightBorder);
    void UpdateCursor(TPoint p);

    TLazyTreeControl& control_;
    TTreeHeader& header_;
};

} // namespace lazytree
