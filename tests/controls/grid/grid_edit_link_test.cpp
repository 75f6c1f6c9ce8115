// A caller's editor through an edit link on the painted grid: the order in
// which the grid runs the link's steps, the keys that end the edit, popups
// that belong to their link, and the change notifiers.
#include "controls/grid/core/edit_lifecycle.h"
#include "controls/grid/widget/edit_link.h"
#include "controls/grid/widget/grid_widget.h"
#include "controls/grid/widget/grid_widget_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <memory>
#include <vector>

using namespace grid;

namespace {

using Log = std::vector<QString>;

// A grid that notes when the editor's properties are asked for.
class LoggingGrid : public TExStringGrid
{
public:
    void GetEditorProp(int col, int row) override
    {
        if (log)
            log->push_back(QStringLiteral("GetEditorProp"));
    }
    Log* log = nullptr;
};

// A link over a line edit noting every step the grid runs.
class RecordingLink : public TEditLink
{
public:
    explicit RecordingLink(Log& log) : log_(log) {}
    ~RecordingLink() override { delete edit_.data(); }

    QWidget* GetEditControl() override { return edit_.data(); }
    void CreateEditor(QWidget* parent) override
    {
        log_.push_back(QStringLiteral("CreateEditor"));
        if (!edit_)
            edit_ = new QLineEdit(parent);
        else if (edit_->parentWidget() != parent)
            edit_->setParent(parent);
    }
    void DestroyEditor() override { log_.push_back(QStringLiteral("DestroyEditor")); }
    void SetRect(const QRect& rect) override
    {
        log_.push_back(QStringLiteral("SetRect"));
        TEditLink::SetRect(rect);
    }
    void SetVisible(bool value) override
    {
        log_.push_back(QStringLiteral("SetVisible(%1)").arg(value));
        TEditLink::SetVisible(value);
    }
    void SetCellProps(const QColor&, const QFont&) override { log_.push_back(QStringLiteral("SetCellProps")); }
    void SetProperties() override { log_.push_back(QStringLiteral("SetProperties")); }
    void SetEditorValue(const QString& value) override
    {
        log_.push_back(QStringLiteral("SetEditorValue(%1)").arg(value));
        if (edit_)
            edit_->setText(value);
    }
    QString GetEditorValue() override { return edit_ ? edit_->text() : QString(); }
    void SetFocus(bool value) override
    {
        log_.push_back(QStringLiteral("SetFocus(%1)").arg(value));
        TEditLink::SetFocus(value);
    }
    QLineEdit* Edit() const { return edit_.data(); }

private:
    Log& log_;
    QPointer<QLineEdit> edit_;
};

class EditLink : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetColCount(4);
        grid.SetRowCount(5);
        grid.DefaultEditor = edCustom;
        TGridOptions o = grid.Options();
        o.Include(goEditing);
        grid.SetOptions(o);
        for (int r = 1; r < 5; ++r)
            for (int c = 1; c < 4; ++c)
                grid.SetCells(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
        auto* layout = new QVBoxLayout(&window);
        widget = new TGridWidget(grid);
        layout->addWidget(widget);
        window.resize(500, 240);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        editing = EditingOf(grid);
        editing->EditLink = &link;
        widget->setFocus();
        grid.MoveCurrentCell(1, 1);
    }

    void Open()
    {
        QTest::keyClick(widget, Qt::Key_F2);
        ASSERT_TRUE(editing->EditMode());
        ASSERT_NE(link.Edit(), nullptr);
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
    }

    Log log;
    LoggingGrid grid;
    RecordingLink link{log};
    QWidget window;
    TGridWidget* widget = nullptr;
    GridEditing* editing = nullptr;
};

TEST_F(EditLink, OpensThroughTheFixedSequenceAndTypesTheStartCharacter)
{
    grid.log = &log;
    Open();
    const Log expected = {"CreateEditor",  "SetRect",       "SetVisible(1)",          "SetCellProps",
                          "SetProperties", "GetEditorProp", "SetEditorValue(c1r1)", "SetFocus(1)"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(link.Grid(), &grid);
    EXPECT_EQ(link.EditCell(), (TGridCoord{1, 1}));
    EXPECT_TRUE(link.Edit()->isVisible());
    EXPECT_TRUE(link.Edit()->hasFocus());
    EXPECT_TRUE(link.SubClassed());
    // The cell's rectangle less the grid line.
    const QRect cell = grid.UnclippedCellRect(1, 1);
    EXPECT_EQ(link.Edit()->geometry(),
              QRect(cell.topLeft(), QSize(cell.width() - grid.GridLineWidth(), cell.height() - grid.GridLineWidth())));

    // A typed character opens the editor and reaches its control once.
    Key(Qt::Key_Escape);
    ASSERT_FALSE(editing->EditMode());
    grid.MoveCurrentCell(2, 1);
    QTest::keyClick(widget, Qt::Key_Q);
    QCoreApplication::sendPostedEvents();
    ASSERT_TRUE(editing->EditMode());
    EXPECT_EQ(link.Edit()->text(), "c2r1q");
}

TEST_F(EditLink, WithoutALinkNothingOpens)
{
    editing->EditLink = nullptr;
    QTest::keyClick(widget, Qt::Key_F2);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_TRUE(log.empty());
}

struct LinkKeyCase
{
    const char* name;
    bool wantUpDown;
    bool wantHomeEnd;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    bool stillOpen;
    const char* cell; // the edited cell's text afterwards
    TGridCoord current;
};

TEST_F(EditLink, KeysEndTheEditAsTheTableSays)
{
    const LinkKeyCase cases[] = {
        {"Enter commits", false, false, Qt::Key_Return, Qt::NoModifier, false, "new", {1, 1}},
        {"Esc restores", false, false, Qt::Key_Escape, Qt::NoModifier, false, "c1r1", {1, 1}},
        {"Down commits and moves once", false, false, Qt::Key_Down, Qt::NoModifier, false, "new", {1, 2}},
        {"Down wanted stays", true, false, Qt::Key_Down, Qt::NoModifier, true, "c1r1", {1, 1}},
        {"Home stays", false, false, Qt::Key_Home, Qt::NoModifier, true, "c1r1", {1, 1}},
        {"Alt+Home ends", false, false, Qt::Key_Home, Qt::AltModifier, false, "new", {1, 1}},
        {"End ends", false, false, Qt::Key_End, Qt::NoModifier, false, "new", {1, 1}},
        {"End wanted stays", false, true, Qt::Key_End, Qt::NoModifier, true, "c1r1", {1, 1}},
        {"Tab ends in the cell", false, false, Qt::Key_Tab, Qt::NoModifier, false, "new", {1, 1}},
    };
    for (const LinkKeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        grid.SetCells(1, 1, "c1r1");
        grid.SetCells(1, 2, "c1r2");
        widget->setFocus();
        grid.MoveCurrentCell(1, 1);
        link.WantKeyUpDown = c.wantUpDown;
        link.WantKeyHomeEnd = c.wantHomeEnd;
        Open();
        link.Edit()->setText("new");
        Key(c.key, c.mods);
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(editing->EditMode(), c.stillOpen);
        EXPECT_EQ(grid.Cells(1, 1), c.cell);
        EXPECT_EQ(grid.Cells(1, 2), "c1r2");
        EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), c.current);
        if (editing->EditMode())
            editing->CancelEdit();
        QCoreApplication::sendPostedEvents();
    }
}

TEST_F(EditLink, RefusedValueReopensOnTheSameCell)
{
    int asked = 0;
    editing->OnCellValidate = [&](TExStringGrid*, int, int, QString& value, bool& valid) {
        ++asked;
        valid = value != "bad";
    };
    Open();
    link.Edit()->setText("bad");
    Key(Qt::Key_Return);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(editing->EditMode());
    EXPECT_EQ(grid.Cells(1, 1), "c1r1");
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{1, 1}));
    link.Edit()->setText("good");
    Key(Qt::Key_Return);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Cells(1, 1), "good");
}

TEST_F(EditLink, TabToNextAtEndOpensTheNextCell)
{
    grid.Navigation.TabToNextAtEnd = true;
    Open();
    link.Edit()->setText("x");
    Key(Qt::Key_Tab);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(grid.Cells(1, 1), "x");
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{2, 1}));
    EXPECT_TRUE(editing->EditMode());
    EXPECT_EQ(link.Edit()->text(), "c2r1");
}

TEST_F(EditLink, EachLinkKeepsItsOwnPopup)
{
    Log otherLog;
    RecordingLink other(otherLog);
    link.EditStyle = esPopup;
    other.EditStyle = esPopup;
    other.PopupLeft = 40;
    other.PopupTop = 50;

    Open();
    QPointer<QWidget> first = link.PopupForm();
    ASSERT_TRUE(first);
    EXPECT_EQ(link.Edit()->parentWidget(), first.data());
    // At the cell's top-left corner on the screen.
    EXPECT_EQ(first->pos(), widget->viewport()->mapToGlobal(grid.UnclippedCellRect(1, 1).topLeft()));
    link.Edit()->setText("one");
    Key(Qt::Key_Return);
    EXPECT_EQ(grid.Cells(1, 1), "one");
    EXPECT_FALSE(first->isVisible());

    editing->EditLink = &other;
    grid.MoveCurrentCell(2, 2);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_F2);
    ASSERT_TRUE(editing->EditMode());
    QPointer<QWidget> second = other.PopupForm();
    ASSERT_TRUE(second);
    EXPECT_NE(first.data(), second.data());
    EXPECT_TRUE(first) << "opening another link's popup frees no popup";
    EXPECT_EQ(second->pos(), QPoint(40, 50));
    other.Edit()->setText("two");
    Key(Qt::Key_Escape);
    EXPECT_EQ(grid.Cells(2, 2), "c2r2");

    // The first link opens its own popup again.
    editing->EditLink = &link;
    grid.MoveCurrentCell(1, 1);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_F2);
    EXPECT_EQ(link.PopupForm(), first.data());
    // The popup closed from outside (a click elsewhere) stores the value.
    link.Edit()->setText("outside");
    first->hide();
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Cells(1, 1), "outside");
    EXPECT_TRUE(log.back() == "DestroyEditor");
}

TEST_F(EditLink, APopupNeverWritesARefusedValue)
{
    editing->OnCellValidate = [](TExStringGrid*, int, int, QString& value, bool& valid) { valid = value != "bad"; };
    link.EditStyle = esPopup;
    Open();
    link.Edit()->setText("bad");
    Key(Qt::Key_Return);
    EXPECT_EQ(grid.Cells(1, 1), "c1r1");
    // Reopened on the same cell, in the same popup.
    EXPECT_TRUE(editing->EditMode());
    ASSERT_TRUE(link.PopupForm());
    EXPECT_TRUE(link.PopupForm()->isVisible());
    EXPECT_EQ(link.Edit()->text(), "c1r1");
    Key(Qt::Key_Escape);
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Cells(1, 1), "c1r1");
}

TEST(EditLinkColumns, AColumnsLinkGoesBeforeTheGrids)
{
    Log log;
    RecordingLink own(log);
    RecordingLink shared(log);
    TExColumnGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.Columns()[1]->SetEditor(edCustom);
    grid.Columns()[2]->SetEditor(edCustom);
    grid.Columns()[2]->EditLink = &own;
    grid.Loaded();
    TGridOptions o = grid.Options();
    o.Include(goEditing);
    grid.SetOptions(o);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* widget = new TGridWidget(grid);
    layout->addWidget(widget);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    GridEditing* editing = EditingOf(grid);
    editing->EditLink = &shared;
    widget->setFocus();
    grid.MoveCurrentCell(2, 1);
    QTest::keyClick(widget, Qt::Key_F2);
    ASSERT_TRUE(editing->EditMode());
    EXPECT_NE(own.Edit(), nullptr);
    EXPECT_EQ(shared.Edit(), nullptr);
    QTest::keyClick(own.Edit(), Qt::Key_Escape);
    grid.MoveCurrentCell(1, 1);
    QTest::keyClick(widget, Qt::Key_F2);
    ASSERT_TRUE(editing->EditMode());
    EXPECT_NE(shared.Edit(), nullptr);
    QTest::keyClick(shared.Edit(), Qt::Key_Escape);
}

TEST_F(EditLink, ALinkGoneDuringTheEditLosesNoCell)
{
    auto gone = std::make_unique<RecordingLink>(log);
    editing->EditLink = gone.get();
    QTest::keyClick(widget, Qt::Key_F2);
    ASSERT_TRUE(editing->EditMode());
    gone->Edit()->setText("typed");
    gone.reset();
    editing->HideInplaceEdit();
    EXPECT_FALSE(editing->EditMode());
    EXPECT_EQ(grid.Cells(1, 1), "c1r1");
}

// Notes the ranges it hears of.
class RecordingNotifier : public TGridChangeNotifier
{
public:
    RecordingNotifier(Log& log, QString name) : log_(log), name_(std::move(name)) {}
    void CellsChanged(const TGridRect& r) override
    {
        log_.push_back(QStringLiteral("%1 %2,%3").arg(name_).arg(r.Left).arg(r.Top));
    }

private:
    Log& log_;
    QString name_;
};

TEST_F(EditLink, ChangeNotifiersHearEachChangeOnceInOrder)
{
    Log heard;
    RecordingNotifier a(heard, "a");
    RecordingNotifier b(heard, "b");
    grid.RegisterNotifier(&a);
    grid.RegisterNotifier(&b);
    grid.RegisterNotifier(&a);
    editing->OnCellsChanged = [&](TExStringGrid*, const TGridRect& r) {
        heard.push_back(QStringLiteral("event %1,%2").arg(r.Left).arg(r.Top));
    };
    Open();
    link.Edit()->setText("changed");
    Key(Qt::Key_Return);
    EXPECT_EQ(heard, (Log{"event 1,1", "a 1,1", "b 1,1"}));

    // An unchanged value is no change; an unregistered notifier hears none.
    heard.clear();
    grid.UnRegisterNotifier(&a);
    grid.MoveCurrentCell(1, 1);
    Open();
    Key(Qt::Key_Return);
    EXPECT_TRUE(heard.empty());
    grid.MoveCurrentCell(1, 1);
    Open();
    link.Edit()->setText("again");
    Key(Qt::Key_Return);
    EXPECT_EQ(heard, (Log{"event 1,1", "b 1,1"}));
    grid.UnRegisterNotifier(&b);
}

} // namespace
