// Two offscreen trees exchanging nodes: clipboard cut, copy and paste, drops built from QDropEvents, a
// drag whose loop delivers the drop into the other tree, hostile payloads, the offered formats and files.

#include "controls/tree/widget/draw_tree.h"
#include "controls/tree/widget/string_tree.h"
#include "controls/tree/widget/tree_data_object.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace lazytree;

namespace {

// A tree whose nodes carry an id (text "n<id>") that travels as a user chunk.
class IdTree : public TLazyStringTree {
public:
    IdTree()
    {
        SetNodeDataSize(sizeof(int32_t));
        auto selection = TreeOptions().SelectionOptions();
        selection.Include(toMultiSelect);
        TreeOptions().SetSelectionOptions(selection);
        OnGetText = [this](TBaseLazyTree*, PLazyNode node, TColumnIndex, TVSTTextType type, QString& text) {
            if (type == ttNormal)
                text = QStringLiteral("n%1").arg(*GetNodeData<int32_t>(node));
        };
        OnSaveNode = [this](TBaseLazyTree*, PLazyNode node, TStream& stream) {
            stream.WriteInt32(*GetNodeData<int32_t>(node));
        };
        OnLoadNode = [this](TBaseLazyTree*, PLazyNode node, TStream& stream) {
            uint8_t b[4];
            stream.ReadBuffer(b, 4);
            *GetNodeData<int32_t>(node) = int32_t(GetLE32(b));
        };
        resize(300, 200);
    }
    PLazyNode Add(PLazyNode parent, int32_t id)
    {
        PLazyNode n = AddChild(parent);
        *GetNodeData<int32_t>(n) = id;
        return n;
    }
    PLazyNode Find(int32_t id)
    {
        for (PLazyNode n = GetFirstNoInit(); n; n = GetNextNoInit(n))
            if (*GetNodeData<int32_t>(n) == id)
                return n;
        return nullptr;
    }
    // Top-level ids (children in parentheses).
    std::string Shape(PLazyNode parent = nullptr)
    {
        std::string s;
        for (PLazyNode n = (parent ? parent : RootNode())->FirstChild; n; n = n->NextSibling) {
            s += (s.empty() ? "" : " ") + std::to_string(*GetNodeData<int32_t>(n));
            if (n->FirstChild)
                s += "(" + Shape(n) + ")";
        }
        return s;
    }
    void SelectOnly(std::initializer_list<int32_t> ids)
    {
        ClearSelection();
        for (int32_t id : ids)
            AddToSelection(Find(id));
    }

    // The drag loop: what the test wants to happen while the drag runs.
    std::function<int(TVTMimeData*, int)> dragLoop;

protected:
    int RunDragLoop(TVTMimeData* data, int allowed) override
    {
        const int effect = dragLoop ? dragLoop(data, allowed) : DROPEFFECT_NONE;
        delete data;
        return effect;
    }
};

// Trees "1(11 12) 2 3" in A and "7" in B, both shown.
struct TwoTrees {
    IdTree a, b;
    TwoTrees()
    {
        PLazyNode one = a.Add(nullptr, 1);
        a.Add(one, 11);
        a.Add(one, 12);
        a.Add(nullptr, 2);
        a.Add(nullptr, 3);
        b.Add(nullptr, 7);
        a.show();
        b.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&a));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&b));
        QApplication::clipboard()->clear();
    }
};

QRect LabelRect(IdTree& tree, int32_t id)
{
    const TRect r = tree.GetDisplayRect(tree.Find(id), NoColumn, true);
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

// Drops mime data on the tree's viewport at a point with the given actions.
Qt::DropAction Drop(IdTree& tree, const QMimeData* data, QPoint at, Qt::DropActions actions,
    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QDragEnterEvent enter(at, actions, data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(tree.viewport(), &enter);
    if (!enter.isAccepted())
        return Qt::IgnoreAction;
    QDropEvent drop(QPointF(at), actions, data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(tree.viewport(), &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

// A drop handler that inserts through ProcessDrop at the drop mark.
void InsertOnDrop(IdTree& tree)
{
    tree.OnDragDrop = [&tree](TBaseLazyTree*, TLazyTreeControl*, const QMimeData* data, TShiftState, TPoint,
                          int& effect, TDropMode mode) {
        const TVTNodeAttachMode attach = mode == dmAbove ? amInsertBefore
            : mode == dmBelow                            ? amInsertAfter
            : mode == dmOnNode                           ? amAddChildLast
                                                         : amAddChildLast;
        tree.ProcessDrop(data, tree.DropTargetNode(), effect, attach);
    };
}

} // namespace

TEST(TreeTransfer, CutInOneTreePastedInAnotherMovesTheNodes)
{
    TwoTrees t;
    t.a.SelectOnly({1, 3});
    ASSERT_TRUE(t.a.CutToClipboard());
    EXPECT_TRUE(t.a.TreeStates().Has(tsCutPending));
    EXPECT_TRUE(t.a.Find(1)->States.Has(vsCutOrCopy));

    t.b.SetFocusedNode(t.b.Find(7));
    t.b.SetDefaultPasteMode(amInsertAfter);
    EXPECT_TRUE(t.b.PasteFromClipboard());
    EXPECT_EQ(t.b.Shape(), "7 1(11 12) 3");
    // A finished the cut and found nothing left to delete: the moved nodes are gone, 2 stays.
    EXPECT_EQ(t.a.Shape(), "2");
    EXPECT_FALSE(t.a.TreeStates().Has(tsCutPending));
    EXPECT_EQ(t.a.TotalCount(), 1u);
}

TEST(TreeTransfer, CopyStaysPendingAndPastesAgain)
{
    TwoTrees t;
    t.a.SelectOnly({2, 3});
    ASSERT_TRUE(t.a.CopyToClipboard());
    t.b.SetFocusedNode(t.b.Find(7));
    t.b.SetDefaultPasteMode(amInsertAfter); // the target advances: the records keep their order
    EXPECT_TRUE(t.b.PasteFromClipboard());
    EXPECT_EQ(t.b.Shape(), "7 2 3");
    EXPECT_TRUE(t.a.TreeStates().Has(tsCopyPending));
    t.b.SetFocusedNode(nullptr);
    t.b.SetDefaultPasteMode(amAddChildLast);
    EXPECT_TRUE(t.b.PasteFromClipboard());
    EXPECT_EQ(t.b.Shape(), "7 2 3 2 3");
    EXPECT_EQ(t.a.Shape(), "1(11 12) 2 3");

    // The clipboard taken by someone else ends the pending copy and its marks.
    QApplication::clipboard()->setText(QStringLiteral("other"));
    EXPECT_FALSE(t.a.TreeStates().HasAny({tsCopyPending, tsCutPending}));
    EXPECT_FALSE(t.a.Find(2)->States.Has(vsCutOrCopy));
}

TEST(TreeTransfer, CutPastedIntoItsOwnSubtreeSkipsIt)
{
    TwoTrees t;
    t.a.SelectOnly({1, 3});
    ASSERT_TRUE(t.a.CutToClipboard());
    t.a.SetFocusedNode(t.a.Find(11));
    t.a.SetDefaultPasteMode(amAddChildLast);
    EXPECT_TRUE(t.a.PasteFromClipboard());
    EXPECT_EQ(t.a.Shape(), "1(11(3) 12) 2");
    EXPECT_FALSE(t.a.TreeStates().Has(tsCutPending));
}

TEST(TreeTransfer, ReadOnlyAndEmptySelectionLeaveTheClipboardAlone)
{
    TwoTrees t;
    QApplication::clipboard()->setText(QStringLiteral("keep"));
    t.a.ClearSelection();
    EXPECT_FALSE(t.a.CopyToClipboard());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("keep"));
    auto misc = t.a.TreeOptions().MiscOptions();
    misc.Include(toReadOnly);
    t.a.TreeOptions().SetMiscOptions(misc);
    t.a.SelectOnly({2});
    EXPECT_FALSE(t.a.CutToClipboard());
    EXPECT_TRUE(t.a.CopyToClipboard());
    EXPECT_EQ(t.a.Shape(), "1(11 12) 2 3");
}

TEST(TreeTransfer, DropsFromQDropEvents)
{
    TwoTrees t;
    InsertOnDrop(t.b);
    // A copy from another tree, dropped onto node 7: the records become its children.
    t.a.SelectOnly({2, 3});
    auto* data = new TVTMimeData(&t.a, false);
    const QRect r7 = LabelRect(t.b, 7);
    EXPECT_EQ(Drop(t.b, data, r7.center(), Qt::CopyAction), Qt::CopyAction);
    EXPECT_EQ(t.b.Shape(), "7(2 3)");
    EXPECT_EQ(t.a.Shape(), "1(11 12) 2 3");
    delete data;

    // Foreign data is refused; a payload whose length word runs past its block inserts nothing.
    QMimeData foreign;
    foreign.setText(QStringLiteral("hello"));
    EXPECT_EQ(Drop(t.b, &foreign, r7.center(), Qt::CopyAction), Qt::IgnoreAction);
    QMimeData oversize;
    QByteArray payload = EncodeTreePayload(QByteArray(40, '\1'));
    payload[0] = char(0xFF); // claims 255 bytes, holds 40
    oversize.setData(QLatin1String(kTreeDataMime), payload);
    int effect = DROPEFFECT_COPY;
    EXPECT_FALSE(t.b.ProcessDrop(&oversize, nullptr, effect, amAddChildLast));
    EXPECT_EQ(t.b.Shape(), "7(2 3)");
    // Corrupt records in the payload: the drop absorbs the error.
    QMimeData corrupt;
    corrupt.setData(QLatin1String(kTreeDataMime), EncodeTreePayload(QByteArray(40, '\2')));
    effect = DROPEFFECT_COPY;
    EXPECT_FALSE(t.b.ProcessDrop(&corrupt, nullptr, effect, amAddChildLast));
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    effect = DROPEFFECT_COPY;
    EXPECT_FALSE(t.b.ProcessDrop(data, nullptr, effect, amNoWhere));
}

TEST(TreeTransfer, DragLoopMovesIntoTheOtherTree)
{
    TwoTrees t;
    InsertOnDrop(t.b);
    t.a.SelectOnly({1});
    t.a.dragLoop = [&](TVTMimeData* data, int allowed) {
        EXPECT_TRUE(t.a.TreeStates().Has(tsOLEDragging));
        EXPECT_EQ(allowed, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
        const QRect r7 = LabelRect(t.b, 7);
        // Shift asks for a move; the other tree's drop moves the dragged nodes directly.
        const Qt::DropAction action = Drop(t.b, data, r7.center(), Qt::CopyAction | Qt::MoveAction, Qt::ShiftModifier);
        return action == Qt::MoveAction ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
    };
    t.a.BeginDrag(true, 0);
    EXPECT_EQ(t.b.Shape(), "7(1(11 12))");
    EXPECT_EQ(t.a.Shape(), "2 3");
    EXPECT_FALSE(t.a.TreeStates().Has(tsOLEDragging));
    EXPECT_TRUE(t.a.DragSelection().empty());
}

TEST(TreeTransfer, OfferedFormatsFollowTheTreeKind)
{
    TwoTrees t;
    EXPECT_EQ(t.a.NativeClipboardFormats(),
        QStringList({"Lazy Tree Data", "HTML Format", "Rich Text Format Without Objects", "Rich Text Format", "CSV",
            "Unicode text", "Plain text"}));
    t.a.SelectOnly({2});
    TVTMimeData data(&t.a, false);
    EXPECT_EQ(data.formats(), QStringList({"application/x-lazy-tree-data", "text/html", "application/x-clipboard-html",
                                  "text/rtf", "text/csv", "text/plain"}));
    EXPECT_EQ(data.text(), QStringLiteral("n2\r\n"));
    EXPECT_TRUE(data.data(QStringLiteral("application/x-clipboard-html")).startsWith("Version:1.0\r\n"));

    TLazyDrawTree draw;
    EXPECT_EQ(draw.NativeClipboardFormats(), QStringList({"Lazy Tree Data"}));
    t.a.SetClipboardFormats({"CSV"});
    EXPECT_EQ(t.a.NativeClipboardFormats(), QStringList({"CSV"}));

    // A destroyed tree renders nothing.
    auto* gone = new IdTree;
    gone->Add(nullptr, 5);
    gone->SelectOnly({5});
    TVTMimeData orphan(gone, false);
    delete gone;
    EXPECT_TRUE(orphan.data(QLatin1String(kTreeDataMime)).isEmpty());
}

TEST(TreeTransfer, FilesWithCaptionsAreReplacedWhole)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("tree.bin"));
    TwoTrees t;
    t.a.SaveToFile(file);
    QStringList captions;
    t.b.OnNewText = [&](TBaseLazyTree*, PLazyNode, TColumnIndex, const QString& text) { captions << text; };
    t.b.LoadFromFile(file);
    EXPECT_EQ(t.b.Shape(), "1(11 12) 2 3");
    // A caption chunk follows the base chunk, which holds the children's records: children come first.
    EXPECT_EQ(captions, QStringList({"n11", "n12", "n1", "n2", "n3"}));
    // Without toSaveCaptions no caption travels.
    captions.clear();
    t.a.SetStringOptions({});
    t.a.SaveToFile(file);
    t.b.LoadFromFile(file);
    EXPECT_TRUE(captions.isEmpty());

    // A file that is not a tree stream leaves the tree alone.
    QFile junk(file);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a tree");
    junk.close();
    try {
        t.b.LoadFromFile(file);
        ADD_FAILURE() << "no error";
    } catch (const ELazyTreeError& e) {
        EXPECT_EQ(e.HelpContext(), hcTFStreamTooSmall);
    }
    EXPECT_EQ(t.b.Shape(), "1(11 12) 2 3");
}

TEST(TreeTransfer, ProposedEffectsFollowSourceAndModifiers)
{
    TwoTrees t;
    const int all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    const int noLink = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    struct Case {
        bool sameTree;
        TShiftState shift;
        int allowed;
        int expected;
    };
    const Case cases[] = {
        {true, {}, all, DROPEFFECT_MOVE},
        {false, {}, all, DROPEFFECT_COPY},
        {true, {ssCtrl}, all, DROPEFFECT_COPY},
        {false, {ssShift}, all, DROPEFFECT_MOVE},
        {false, {ssCtrl, ssShift}, all, DROPEFFECT_LINK},
        {false, {ssCtrl, ssShift}, noLink, DROPEFFECT_COPY},
        {true, {ssAlt}, noLink, DROPEFFECT_MOVE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.b.ProposeDropEffect(c.sameTree ? &t.b : &t.a, c.shift, c.allowed), c.expected)
            << c.sameTree << " " << c.shift.Bits() << " " << c.allowed;
}

TEST(TreeTransfer, DropMarkAndAutoExpandWhileHovering)
{
    TwoTrees t;
    InsertOnDrop(t.b);
    PLazyNode seven = t.b.Find(7);
    t.b.Add(seven, 70);
    t.a.SelectOnly({2});
    TVTMimeData data(&t.a, false);

    // Over the empty right part of the row: above or below by the row's middle.
    const TRect row = t.b.GetDisplayRect(seven, NoColumn, false);
    const QPoint upper(t.b.ClientWidth() - 5, row.Top + 2);
    QDragEnterEvent enter(upper, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t.b.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(t.b.DropTargetNode(), seven);
    EXPECT_EQ(t.b.LastDropMode(), dmAbove);
    QDragMoveEvent lower(QPoint(t.b.ClientWidth() - 5, row.Bottom - 2), Qt::CopyAction, &data, Qt::LeftButton,
        Qt::NoModifier);
    QApplication::sendEvent(t.b.viewport(), &lower);
    EXPECT_EQ(t.b.LastDropMode(), dmBelow);

    // The expand timer (id 1) opens the collapsed target under the pointer.
    EXPECT_FALSE(t.b.GetExpanded(seven));
    t.b.TimerFired(1);
    EXPECT_TRUE(t.b.GetExpanded(seven));

    EXPECT_EQ(Drop(t.b, &data, upper, Qt::CopyAction), Qt::CopyAction);
    EXPECT_EQ(t.b.Shape(), "2 7(70)");
    EXPECT_EQ(t.b.DropTargetNode(), nullptr);

    // Without toAcceptOLEDrop nothing is accepted.
    auto misc = t.b.TreeOptions().MiscOptions();
    misc.Exclude(toAcceptOLEDrop);
    t.b.TreeOptions().SetMiscOptions(misc);
    EXPECT_EQ(Drop(t.b, &data, upper, Qt::CopyAction), Qt::IgnoreAction);
}

TEST(TreeTransfer, FlushLeavesRenderedDataAndEndsTheCopy)
{
    TwoTrees t;
    t.a.SelectOnly({2});
    ASSERT_TRUE(t.a.CopyToClipboard());
    t.a.FlushClipboard();
    EXPECT_FALSE(t.a.TreeStates().HasAny({tsCopyPending, tsClipboardFlushing}));
    EXPECT_FALSE(t.a.Find(2)->States.Has(vsCutOrCopy));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(TLazyTreeControl::SourceTreeOf(data), nullptr);
    EXPECT_EQ(data->text(), QStringLiteral("n2\r\n"));
    // The flushed tree data still pastes, as a copy from outside.
    t.b.SetDefaultPasteMode(amAddChildLast);
    EXPECT_TRUE(t.b.PasteFromClipboard());
    EXPECT_EQ(t.b.Shape(), "7 2");
}

TEST(TreeTransfer, ClearingTheTreeLetsTheClipboardGo)
{
    TwoTrees t;
    t.a.SelectOnly({2});
    ASSERT_TRUE(t.a.CutToClipboard());
    t.a.Clear();
    EXPECT_FALSE(t.a.TreeStates().HasAny({tsCutPending, tsCopyPending}));
    EXPECT_EQ(TLazyTreeControl::SourceTreeOf(QApplication::clipboard()->mimeData()), nullptr);
    // Nothing on the clipboard: the paste reports it and changes nothing.
    if (!QApplication::clipboard()->mimeData()) {
        try {
            t.b.PasteFromClipboard();
            ADD_FAILURE() << "no error";
        } catch (const ELazyTreeError& e) {
            EXPECT_EQ(e.HelpContext(), hcTFClipboardFailed);
        }
    } else {
        EXPECT_FALSE(t.b.PasteFromClipboard());
    }
    EXPECT_EQ(t.b.Shape(), "7");
}

TEST(TreeTransfer, CaptionChunkBytes)
{
    // One node "ab" without user data: anchor, the 27-byte base chunk, then type 3 with the UTF-16LE text.
    TLazyStringTree tree;
    tree.OnGetText = [](TBaseLazyTree*, PLazyNode, TColumnIndex, TVSTTextType type, QString& text) {
        text = type == ttNormal ? QStringLiteral("ab") : QString();
    };
    PLazyNode node = tree.AddChild(nullptr);
    TMemoryStream stream;
    tree.SaveToStream(stream);
    const std::vector<uint8_t>& bytes = stream.Bytes();
    ASSERT_EQ(bytes.size(), 16u + 8 + 27 + 12);
    const uint8_t head[] = {0x45, 0x20, 'V', 0, 'T', 0, 2, 0, 0x20, 0, 0x46, 0x20, 1, 0, 0, 0, 1, 0, 0, 0, 39, 0, 0, 0,
        2, 0, 0, 0, 19, 0, 0, 0, 0, 0, 0, 0, 18, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(head), std::end(head), bytes.begin()));
    EXPECT_EQ(GetLE32(bytes.data() + 40), (node->States - TLazyNodeStates{vsOnFreeNodeCallRequired}).Bits());
    EXPECT_TRUE(node->States.Has(vsInitialized)); // toInitOnSave initialised it
    const uint8_t caption[] = {3, 0, 0, 0, 4, 0, 0, 0, 'a', 0, 'b', 0};
    EXPECT_TRUE(std::equal(std::begin(caption), std::end(caption), bytes.end() - 12));
}
