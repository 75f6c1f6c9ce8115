// The painted grid as drop target and drag source, offscreen: synthesized
// drag and drop events on the viewport (never QDrag::exec), the data a drag
// carries, moves inside one grid through a drag runner that drops on the
// grid itself.
#include "controls/grid/core/ex_string_grid.h"
#include "controls/grid/core/mouse_input.h"
#include "controls/grid/exchange/clipboard.h"
#include "controls/grid/exchange/clipboard_formats.h"
#include "controls/grid/widget/grid_widget.h"

#include "message_recorder.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QtEndian>

#include <array>

#include <gtest/gtest.h>

using namespace grid;

namespace {

constexpr int kColWidth = 60;
constexpr int kRowHeight = 20;

void Make(TExStringGrid& g)
{
    g.SetColCount(5);
    g.SetRowCount(6);
    g.SetFixedRows(1);
    g.SetFixedCols(1);
    g.SetOptions(TGridOptions{goRangeSelect, goEditing});
    g.SetDefaultColWidth(kColWidth);
    g.SetDefaultRowHeight(kRowHeight);
    for (int c = 1; c < 5; ++c)
        for (int r = 1; r < 6; ++r)
            g.SetCells(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
}

QPoint Center(TExStringGrid& g, int col, int row)
{
    return g.CellRect(col, row).center();
}

QStringList Texts(TExStringGrid& g)
{
    QStringList out;
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c)
            out << g.Cells(c, r);
    return out;
}

struct Sent
{
    bool enterAccepted = false;
    bool dropAccepted = false;
    Qt::DropAction action = Qt::IgnoreAction;
};

// Enter, move and drop at a point of the viewport.
Sent DropAt(TGridWidget& w, QPoint p, const QMimeData* data, Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction,
            Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    Sent sent;
    QDragEnterEvent enter(p, actions, data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(w.viewport(), &enter);
    sent.enterAccepted = enter.isAccepted();
    QDragMoveEvent move(p, actions, data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(w.viewport(), &move);
    QDropEvent drop(QPointF(p), actions, data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(w.viewport(), &drop);
    sent.dropAccepted = drop.isAccepted();
    sent.action = drop.dropAction();
    return sent;
}

TDragDropSettings Target()
{
    TDragDropSettings s;
    s.OleDropTarget = true;
    s.OleDropSource = true;
    return s;
}

} // namespace

TEST(GridDropEvents, TextDropFillsAndSelectsFromTheDropCell)
{
    TExStringGrid g;
    Make(g);
    TGridWidget w(g);
    w.resize(400, 200);
    w.show();
    w.SetDragDropSettings(Target());
    EXPECT_TRUE(w.viewport()->acceptDrops());
    TGridRect dropped{-1, -1, -1, -1};
    w.OnOleDropped = [&dropped](const TGridRect& sel) { dropped = sel; };

    QMimeData data;
    data.setText(QStringLiteral("a\tb\r\nc\td"));
    const Sent s = DropAt(w, Center(g, 2, 3), &data, Qt::CopyAction | Qt::MoveAction, Qt::ControlModifier);
    EXPECT_TRUE(s.enterAccepted);
    EXPECT_TRUE(s.dropAccepted);
    EXPECT_EQ(s.action, Qt::CopyAction);
    EXPECT_EQ(g.Cells(2, 3), QStringLiteral("a"));
    EXPECT_EQ(g.Cells(3, 3), QStringLiteral("b"));
    EXPECT_EQ(g.Cells(2, 4), QStringLiteral("c"));
    EXPECT_EQ(g.Cells(3, 4), QStringLiteral("d"));
    const TGridRect sel = g.Selection();
    EXPECT_EQ((std::array{sel.Left, sel.Top, sel.Right, sel.Bottom}), (std::array{2, 3, 3, 4}));
    EXPECT_EQ(dropped.Left, 2);
    EXPECT_EQ(dropped.Bottom, 4);
}

TEST(GridDropEvents, RefusedDropsLeaveTheGridAndTellWhy)
{
    MessageRecorder messages;
    TExStringGrid g;
    Make(g);
    TGridWidget w(g);
    w.resize(400, 200);
    w.show();

    QMimeData text;
    text.setText(QStringLiteral("x"));
    QMimeData damaged;
    damaged.setData(kCellsFormat, QByteArray("\xFF\xFF\x00\x00\0\0\0\0abc", 11));
    QMimeData foreignColumn;
    foreignColumn.setData(kColumnFormat, QByteArray("\x01\0\0\0", 4));
    QMimeData other;
    other.setData(QStringLiteral("application/x-other"), "abc");

    TDragDropSettings columns = Target();
    columns.OleColumnReorder = true;
    const struct
    {
        const char* name;
        const QMimeData* data;
        TDragDropSettings settings;
        QPoint at;
        bool enter;
        bool message;
    } cases[] = {
        {"not a drop target", &text, TDragDropSettings{}, Center(g, 2, 2), false, false},
        {"damaged cells", &damaged, Target(), Center(g, 2, 2), true, true},
        {"a column of another grid", &foreignColumn, columns, Center(g, 2, 0), true, true},
        {"none of our types", &other, Target(), Center(g, 2, 2), false, false},
    };
    for (const auto& c : cases) {
        w.SetDragDropSettings(c.settings);
        const QStringList before = Texts(g);
        const int boxes = messages.Texts().size();
        const Sent s = DropAt(w, c.at, c.data);
        EXPECT_EQ(s.enterAccepted, c.enter) << c.name;
        EXPECT_FALSE(s.dropAccepted) << c.name;
        // A drag refused on entering is never dropped; Qt keeps its action.
        if (c.enter) {
            EXPECT_EQ(s.action, Qt::IgnoreAction) << c.name;
        }
        EXPECT_EQ(Texts(g), before) << c.name;
        EXPECT_EQ(messages.Texts().size() > boxes, c.message) << c.name << ": " << w.LastDrop().Message.toStdString();
    }
}

TEST(GridDropEvents, ClipboardObjectDroppedLands)
{
    TExStringGrid source;
    Make(source);
    source.Navigation.AllowFmtClipboard = true;
    const auto clip = RectToMimeData(source, {1, 1, 2, 2});

    TExStringGrid g;
    Make(g);
    TGridWidget w(g);
    w.resize(400, 200);
    w.show();
    w.SetDragDropSettings(Target());
    const Sent s = DropAt(w, Center(g, 3, 4), clip.get());
    EXPECT_TRUE(s.dropAccepted);
    EXPECT_EQ(g.Cells(3, 4), QStringLiteral("c1r1"));
    EXPECT_EQ(g.Cells(4, 5), QStringLiteral("c2r2"));
}

TEST(GridDropEvents, DragDataOfCellsAndColumns)
{
    TExStringGrid g;
    Make(g);
    TGridWidget w(g);
    TDragDropSettings s = Target();
    s.OleColumnDragDrop = true;
    w.SetDragDropSettings(s);
    g.SetSelection({1, 2, 2, 3});

    const auto cells = w.DragData({1, 2}, false);
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->text(), QStringLiteral("c1r2\tc2r2\r\nc1r3\tc2r3\r\n"));
    const QByteArray block = cells->data(kCellsFormat);
    ASSERT_GT(block.size(), 8);
    EXPECT_EQ(qFromLittleEndian<quint32>(block.constData()), quint32(block.size() - 8));
    EXPECT_FALSE(cells->hasFormat(kColumnFormat));

    const auto column = w.DragData({3, 0}, true);
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->data(kColumnFormat), QByteArray("\x03\0\0\0", 4));
    EXPECT_FALSE(column->hasText());
}

// The drag runner drops on the grid itself, or elsewhere, or nowhere.
TEST(GridDropEvents, MovesFromThisGrid)
{
    enum class Target { Here, Elsewhere, Nowhere };
    const struct
    {
        const char* name;
        Target target;
        QStringList expected; // column 1..3 of rows 1..3
    } cases[] = {
        // The block (1,1)-(2,2) moved one cell right and down: overlapping.
        {"here", Target::Here,
         {"", "", "c3r1", "", "c1r1", "c2r1", "c1r3", "c1r2", "c2r2"}},
        {"elsewhere", Target::Elsewhere,
         {"", "", "c3r1", "", "", "c3r2", "c1r3", "c2r3", "c3r3"}},
        {"nowhere", Target::Nowhere,
         {"c1r1", "c2r1", "c3r1", "c1r2", "c2r2", "c3r2", "c1r3", "c2r3", "c3r3"}},
    };
    for (const auto& c : cases) {
        TExStringGrid g;
        Make(g);
        TGridWidget w(g);
        w.resize(400, 200);
        w.show();
        w.SetDragDropSettings(::Target());
        g.SetSelection({1, 1, 2, 2});
        Qt::DropActions offered;
        w.RunDrag = [&](QMimeData* data, Qt::DropActions allowed) {
            offered = allowed;
            if (c.target == Target::Here)
                return DropAt(w, Center(g, 2, 2), data, allowed).action;
            return c.target == Target::Elsewhere ? Qt::MoveAction : Qt::IgnoreAction;
        };
        ASSERT_TRUE(w.Mouse().StartDrag) << c.name;
        w.Mouse().StartDrag({1, 1}, false);
        EXPECT_EQ(offered, Qt::CopyAction | Qt::MoveAction) << c.name;
        QStringList got;
        for (int r = 1; r <= 3; ++r)
            for (int col = 1; col <= 3; ++col)
                got << g.Cells(col, r);
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

// Below the last row: with OleEntireRows and OleAppendRows the drop appends
// rows for the text; otherwise nothing is under the point and nothing drops.
TEST(GridDropEvents, DropBelowTheLastRowAppends)
{
    const struct
    {
        const char* name;
        bool appendRows;
        int rows; // before the drop, the fixed row included
        bool dropped;
    } cases[] = {
        {"append", true, 6, true},
        {"append to the header alone", true, 1, true},
        {"no append zone", false, 6, false},
    };
    for (const auto& c : cases) {
        TExStringGrid g;
        Make(g);
        g.SetRowCount(c.rows);
        TGridWidget w(g);
        w.resize(400, 250);
        w.show();
        TDragDropSettings s = Target();
        s.OleEntireRows = true;
        s.OleAppendRows = c.appendRows;
        w.SetDragDropSettings(s);
        const QStringList before = Texts(g);
        const QRect last = g.CellRect(2, c.rows - 1);
        ASSERT_FALSE(last.isEmpty()) << c.name;

        QMimeData data;
        data.setText(QStringLiteral("new\tx\r\nnext"));
        const Sent sent = DropAt(w, QPoint(last.center().x(), last.bottom() + 15), &data);
        EXPECT_EQ(sent.dropAccepted, c.dropped) << c.name;
        if (!c.dropped) {
            EXPECT_EQ(Texts(g), before) << c.name;
            continue;
        }
        ASSERT_EQ(g.RowCount(), c.rows + 2) << c.name;
        EXPECT_EQ(g.Cells(4, c.rows - 1), before.last()) << c.name; // the last row keeps its cells
        EXPECT_EQ(g.Cells(1, c.rows), QStringLiteral("new")) << c.name;
        EXPECT_EQ(g.Cells(2, c.rows), QStringLiteral("x")) << c.name;
        EXPECT_EQ(g.Cells(1, c.rows + 1), QStringLiteral("next")) << c.name;
        const TGridRect sel = g.Selection();
        EXPECT_EQ((std::array{sel.Left, sel.Top, sel.Right, sel.Bottom}),
                  (std::array{1, c.rows, 2, c.rows + 1}))
            << c.name;
    }
}
