// Two result trees set up as the M-Bus window sets them up, driven by real clicks, keys and the wheel.

#include "controls/tree/widget/string_tree.h"
#include "controls/tree/widget/tree_presets.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <set>

using namespace lazytree;

namespace {

struct Record {
    int Level = 0;
    int Number = 0;
};

// A tree filled as the window fills it: 250 devices × 30 records × 12 values, through AddChild and typed data.
struct ResultTree {
    TCustomImageList images{16, 16};
    TLazyStringTree tree;
    std::set<PLazyNode> initialised;
    bool vetoChecks = false;

    ResultTree(int devices = 250, int records = 30, int values = 12)
    {
        for (QColor c : {Qt::red, Qt::green, Qt::blue}) {
            QImage image(16, 16, QImage::Format_ARGB32);
            image.fill(c);
            images.Add(image);
        }
        ApplyMBusResultPreset(tree, &images);
        tree.SetNodeDataSize(sizeof(Record));
        tree.OnInitNode = [this](TBaseLazyTree*, PLazyNode, PLazyNode node, TLazyNodeInitStates&) {
            initialised.insert(node);
            tree.SetCheckType(node, ctCheckBox);
        };
        tree.OnGetText = [this](TBaseLazyTree*, PLazyNode node, TColumnIndex, TVSTTextType, QString& text) {
            const Record* r = tree.GetNodeData<Record>(node);
            text = QStringLiteral("L%1 #%2").arg(r->Level).arg(r->Number);
        };
        tree.OnChecking = [this](TBaseLazyTree*, PLazyNode, TCheckState&, bool& allowed) { allowed = !vetoChecks; };
        tree.BeginUpdate();
        for (int d = 0; d < devices; ++d) {
            PLazyNode device = tree.AddChild(nullptr);
            *tree.GetNodeData<Record>(device) = {0, d};
            for (int r = 0; r < records; ++r) {
                PLazyNode record = tree.AddChild(device);
                *tree.GetNodeData<Record>(record) = {1, r};
                for (int v = 0; v < values; ++v)
                    *tree.GetNodeData<Record>(tree.AddChild(record)) = {2, v};
            }
        }
        tree.EndUpdate();
        tree.resize(300, 200);
        tree.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&tree));
        tree.viewport()->grab(); // paints once
    }
    QWidget* vp() { return tree.viewport(); }
};

// Row r's vertical centre and the x of its parts at level 1 (Indent 18, root shown).
constexpr int kRowHeight = 18;
int RowY(int row) { return row * kRowHeight + kRowHeight / 2; }
constexpr int kButtonX = 8;
int CheckX(int level) { return 18 * (level + 1) + 8; }
int LabelX(int level) { return 18 * (level + 1) + 34; }

void Click(QWidget* w, QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::mousePress(w, Qt::LeftButton, mods, p);
    QTest::mouseRelease(w, Qt::LeftButton, mods, p);
}

PLazyNode Device(ResultTree& t, int d)
{
    PLazyNode n = t.tree.GetFirstChild(nullptr);
    for (int i = 0; i < d; ++i)
        n = t.tree.GetNextSibling(n);
    return n;
}

// The window as it is: two trees side by side sharing one image list, node images by level through
// OnGetImageEx, OnFreeNode on both, check events on the second tree only.
struct ResultWindow {
    TCustomImageList images{16, 16};
    int freed[2] = {0, 0};
    int checking = 0;
    int checked = 0;
    bool veto = false;
    QWidget window; // owns the trees; goes first
    TLazyStringTree* trees[2] = {new TLazyStringTree, new TLazyStringTree};

    ResultWindow()
    {
        for (QColor c : {Qt::red, Qt::green, Qt::blue}) {
            QImage image(16, 16, QImage::Format_ARGB32);
            image.fill(c);
            images.Add(image);
        }
        auto* layout = new QHBoxLayout(&window);
        for (int i = 0; i < 2; ++i) {
            TLazyStringTree& tree = *trees[i];
            layout->addWidget(&tree);
            ApplyMBusResultPreset(tree, &images);
            tree.SetNodeDataSize(sizeof(Record));
            tree.OnInitNode = [&tree](TBaseLazyTree*, PLazyNode, PLazyNode node, TLazyNodeInitStates&) {
                tree.SetCheckType(node, ctCheckBox);
            };
            tree.OnGetText = [&tree](TBaseLazyTree*, PLazyNode node, TColumnIndex, TVSTTextType, QString& text) {
                text = QStringLiteral("#%1").arg(tree.GetNodeData<Record>(node)->Number);
            };
            tree.OnGetImageEx = [&tree](TBaseLazyTree*, PLazyNode node, TVTImageKind kind, TColumnIndex, bool&,
                                    int& index, TCustomImageList*&) {
                if (kind == ikNormal || kind == ikSelected)
                    index = tree.GetNodeData<Record>(node)->Level;
            };
            tree.OnFreeNode = [this, i](TBaseLazyTree*, PLazyNode) { ++freed[i]; };
            tree.BeginUpdate();
            for (int d = 0; d < 250; ++d) {
                PLazyNode device = tree.AddChild(nullptr);
                *tree.GetNodeData<Record>(device) = {0, d};
                for (int r = 0; r < 30; ++r) {
                    PLazyNode record = tree.AddChild(device);
                    *tree.GetNodeData<Record>(record) = {1, r};
                    for (int v = 0; v < 12; ++v)
                        *tree.GetNodeData<Record>(tree.AddChild(record)) = {2, v};
                }
            }
            tree.EndUpdate();
        }
        trees[1]->OnChecking = [this](TBaseLazyTree*, PLazyNode, TCheckState&, bool& allowed) {
            ++checking;
            allowed = !veto;
        };
        trees[1]->OnChecked = [this](TBaseLazyTree*, PLazyNode) { ++checked; };
        window.resize(640, 240);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // The x range of the pixels of colour c in the row's middle line, or {-1, -1}.
    std::pair<int, int> Run(int tree, int row, QColor c)
    {
        const QImage image = trees[tree]->viewport()->grab().toImage();
        std::pair<int, int> run{-1, -1};
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, RowY(row)) == c) {
                if (run.first < 0)
                    run.first = x;
                run.second = x;
            }
        return run;
    }
};

TEST(MBusTree, TwoTreesShareTheImagesAndOnlyTheSecondAsksBeforeChecking)
{
    ResultWindow w;
    EXPECT_EQ(w.trees[0]->Images(), w.trees[1]->Images());
    EXPECT_EQ(w.trees[0]->CustomCheckImages(), &w.images);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        TLazyStringTree& tree = *w.trees[i];
        PLazyNode device = tree.GetFirstChild(nullptr);
        tree.SetExpanded(device, true);
        tree.SetExpanded(tree.GetFirstChild(device), true);
        // Rows 0, 1, 2: a device, its first record, that record's first value; each shows its level's image
        // between its check box and its label, 16 pixels wide.
        // Each level moves the image by one indent.
        const QColor levelColours[] = {Qt::red, Qt::green, Qt::blue};
        const int firstLeft = w.Run(i, 0, Qt::red).first;
        for (int level = 0; level < 3; ++level) {
            const auto [from, to] = w.Run(i, level, levelColours[level]);
            EXPECT_EQ(to - from, 15) << "level " << level;
            EXPECT_EQ(from, firstLeft + 18 * level) << "level " << level;
            EXPECT_GT(from, CheckX(level));
            EXPECT_LE(to, LabelX(level));
        }
    }

    Click(w.trees[0]->viewport(), {CheckX(0), RowY(0)});
    EXPECT_EQ(w.trees[0]->GetCheckState(w.trees[0]->GetFirstChild(nullptr)), csCheckedNormal);
    EXPECT_EQ(w.checking, 0);
    EXPECT_EQ(w.checked, 0);
    Click(w.trees[1]->viewport(), {CheckX(0), RowY(0)});
    EXPECT_EQ(w.trees[1]->GetCheckState(w.trees[1]->GetFirstChild(nullptr)), csCheckedNormal);
    EXPECT_EQ(w.checking, 1);
    EXPECT_EQ(w.checked, 1);
    w.veto = true;
    Click(w.trees[1]->viewport(), {CheckX(0), RowY(0)});
    EXPECT_EQ(w.trees[1]->GetCheckState(w.trees[1]->GetFirstChild(nullptr)), csCheckedNormal);
    EXPECT_EQ(w.checked, 1);

    // Every node got its record, so every node is freed once; the other tree is untouched.
    w.trees[0]->Clear();
    EXPECT_EQ(w.freed[0], 250 + 250 * 30 + 250 * 30 * 12);
    EXPECT_EQ(w.freed[1], 0);
    EXPECT_EQ(w.trees[0]->GetFirst(), nullptr);
}

TEST(MBusTree, OnlyShownValuesAreInitialised)
{
    ResultTree t;
    auto values = [&] {
        int count = 0;
        for (PLazyNode n : t.initialised)
            count += t.tree.GetNodeLevel(n) == 2;
        return count;
    };
    EXPECT_EQ(values(), 0); // adding children initialises the parents only
    PLazyNode record = t.tree.GetFirstChild(Device(t, 0));
    t.tree.SetExpanded(Device(t, 0), true);
    t.tree.SetExpanded(record, true);
    t.tree.viewport()->grab();
    // Device 0, record 0 and its 12 values fill 14 rows; 200 pixels show 12 of them, 10 values.
    EXPECT_EQ(values(), 10);
    t.tree.InitRecursive(record);
    EXPECT_EQ(values(), 12);
}

TEST(MBusTree, ButtonsDoubleClicksAndKeysExpandAndCollapse)
{
    ResultTree t;
    PLazyNode d0 = Device(t, 0);
    Click(t.vp(), {kButtonX, RowY(0)});
    EXPECT_TRUE(t.tree.GetExpanded(d0));
    Click(t.vp(), {kButtonX, RowY(0)});
    EXPECT_FALSE(t.tree.GetExpanded(d0));
    QTest::mouseDClick(t.vp(), Qt::LeftButton, {}, {LabelX(0), RowY(0)});
    EXPECT_TRUE(t.tree.GetExpanded(d0));
    QTest::mouseDClick(t.vp(), Qt::LeftButton, {}, {LabelX(0), RowY(0)});
    EXPECT_FALSE(t.tree.GetExpanded(d0));

    struct Case {
        int key;
        bool deviceExpanded; // before
        bool expectDevice;
        bool expectRecord; // the device's first record
    } cases[] = {
        {Qt::Key_Plus, false, true, false},
        {Qt::Key_Minus, true, false, false},
        {Qt::Key_Right, false, true, false},
        {Qt::Key_Left, true, false, false},
        {Qt::Key_Asterisk, false, true, true},
        {Qt::Key_Slash, true, false, false},
    };
    t.tree.setFocus();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        t.tree.FullCollapse();
        t.tree.SetExpanded(d0, c.deviceExpanded);
        t.tree.SetFocusedNode(d0);
        QTest::keyClick(&t.tree, static_cast<Qt::Key>(c.key));
        EXPECT_EQ(t.tree.GetExpanded(d0), c.expectDevice);
        EXPECT_EQ(t.tree.GetExpanded(t.tree.GetFirstChild(d0)), c.expectRecord);
        EXPECT_EQ(t.tree.FocusedNode(), d0);
    }
}

TEST(MBusTree, CheckBoxClickTogglesAndAVetoKeepsTheState)
{
    ResultTree t;
    PLazyNode d1 = Device(t, 1);
    Click(t.vp(), {CheckX(0), RowY(1)});
    EXPECT_EQ(t.tree.GetCheckState(d1), csCheckedNormal);
    Click(t.vp(), {CheckX(0), RowY(1)});
    EXPECT_EQ(t.tree.GetCheckState(d1), csUncheckedNormal);
    t.vetoChecks = true;
    Click(t.vp(), {CheckX(0), RowY(1)});
    EXPECT_EQ(t.tree.GetCheckState(d1), csUncheckedNormal);
    // A press that leaves the box before the release does not toggle.
    t.vetoChecks = false;
    QTest::mousePress(t.vp(), Qt::LeftButton, {}, {CheckX(0), RowY(2)});
    QTest::mouseRelease(t.vp(), Qt::LeftButton, {}, {LabelX(0) + 40, RowY(5)});
    EXPECT_EQ(t.tree.GetCheckState(Device(t, 2)), csUncheckedNormal);
}

TEST(MBusTree, CtrlShiftAndBandSelect)
{
    ResultTree t;
    auto selected = [&] {
        QList<int> rows;
        for (PLazyNode n = t.tree.GetFirstSelected(); n; n = t.tree.GetNextSelected(n))
            rows << t.tree.GetNodeData<Record>(n)->Number;
        return rows;
    };
    Click(t.vp(), {LabelX(0), RowY(1)});
    Click(t.vp(), {LabelX(0), RowY(4)}, Qt::ShiftModifier);
    EXPECT_EQ(selected(), (QList<int>{1, 2, 3, 4}));
    Click(t.vp(), {LabelX(0), RowY(3)}, Qt::ControlModifier);
    EXPECT_EQ(selected(), (QList<int>{1, 2, 4}));
    Click(t.vp(), {LabelX(0), RowY(0)}, Qt::ControlModifier);
    EXPECT_EQ(selected(), (QList<int>{0, 1, 2, 4}));
    Click(t.vp(), {LabelX(0), RowY(2)});
    EXPECT_EQ(selected(), (QList<int>{2}));

    // A band drawn from the empty space beside row 6 up to the label of row 8 takes rows 6..8.
    QTest::mousePress(t.vp(), Qt::LeftButton, {}, {280, RowY(6)});
    QTest::mouseMove(t.vp(), {200, RowY(7)});
    QTest::mouseMove(t.vp(), {LabelX(0) + 5, RowY(8)});
    QTest::mouseRelease(t.vp(), Qt::LeftButton, {}, {LabelX(0) + 5, RowY(8)});
    EXPECT_EQ(selected(), (QList<int>{6, 7, 8}));
}

TEST(MBusTree, WheelScrollsLinesTimesNodeHeight)
{
    ResultTree t;
    auto wheel = [&](int notches, Qt::KeyboardModifiers mods) {
        QPointF pos(100, 100);
        QWheelEvent e(pos, t.vp()->mapToGlobal(pos), {}, {0, 120 * notches}, Qt::NoButton, mods,
            Qt::NoScrollPhase, false);
        QApplication::sendEvent(t.vp(), &e);
    };
    const int lines = QApplication::wheelScrollLines();
    wheel(-1, {});
    EXPECT_EQ(t.tree.OffsetY(), -lines * kRowHeight);
    EXPECT_EQ(t.tree.verticalScrollBar()->value(), lines * kRowHeight);
    wheel(1, {});
    EXPECT_EQ(t.tree.OffsetY(), 0);
    wheel(1, {}); // clamped at the top
    EXPECT_EQ(t.tree.OffsetY(), 0);
    wheel(-1, Qt::ControlModifier); // a page per notch
    EXPECT_EQ(t.tree.OffsetY(), -t.vp()->height());
}

} // namespace
