// Two scan result trees in the M-Bus configuration, filled like a wired scan result.

#include "controls/tree/widget/string_tree.h"
#include "controls/tree/widget/tree_header_bar.h"
#include "controls/tree/widget/tree_presets.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QTimer>

using namespace lazytree;

namespace {

struct Record {
    int Level = 0;
    int Number = 0;
};

QImage Swatch(QColor colour)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(colour.darker());
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 3, 3);
    return image;
}

void Fill(TLazyStringTree& tree, TCustomImageList& images, int devices)
{
    ApplyMBusResultPreset(tree, &images);
    tree.SetNodeDataSize(sizeof(Record));
    tree.OnInitNode = [&tree](TBaseLazyTree*, PLazyNode, PLazyNode node, TLazyNodeInitStates&) {
        tree.SetCheckType(node, ctCheckBox);
    };
    tree.OnGetText = [&tree](TBaseLazyTree*, PLazyNode node, TColumnIndex, TVSTTextType, QString& text) {
        const Record* r = tree.GetNodeData<Record>(node);
        if (r->Level == 0)
            text = QStringLiteral("Device %1 (address %2)").arg(r->Number).arg(r->Number + 1);
        else
            text = QStringLiteral("%1 %2").arg(r->Level == 1 ? u"Record" : u"Value").arg(r->Number);
    };
    tree.OnGetImageEx = [&tree](TBaseLazyTree*, PLazyNode node, TVTImageKind kind, TColumnIndex, bool&,
                            int& index, TCustomImageList*&) {
        if (kind == ikNormal || kind == ikSelected)
            index = tree.GetNodeData<Record>(node)->Level;
    };
    tree.BeginUpdate();
    for (int d = 0; d < devices; ++d) {
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

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TCustomImageList images(16, 16);
    for (QColor c : {QColor(70, 130, 180), QColor(60, 160, 90), QColor(220, 160, 40)})
        images.Add(Swatch(c));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Tree demo"));
    auto* layout = new QHBoxLayout(&window);
    auto* wired = new TLazyStringTree(&window);
    wired->setObjectName(QStringLiteral("tvWired"));
    auto* wireless = new TLazyStringTree(&window);
    wireless->setObjectName(QStringLiteral("tvWireless"));
    layout->addWidget(wired);
    layout->addWidget(wireless);
    Fill(*wired, images, 250);
    Fill(*wireless, images, 3);
    wireless->SetEmptyListMessage(QStringLiteral("No devices"));
    wireless->Clear();

    // A tree with a three-column header: drag the splitters and buttons, click to sort, right click to
    // choose columns.
    auto* columns = new TLazyStringTree(&window);
    columns->setObjectName(QStringLiteral("tvColumns"));
    layout->addWidget(columns);
    Fill(*columns, images, 20);
    columns->OnGetText = [columns](TBaseLazyTree*, PLazyNode node, TColumnIndex column, TVSTTextType, QString& text) {
        const Record* r = columns->GetNodeData<Record>(node);
        static const char* const kKinds[] = {"Device", "Record", "Value"};
        if (column == 1)
            text = QString::fromLatin1(kKinds[r->Level]);
        else if (column == 2)
            text = QString::number(r->Number);
        else
            text = QStringLiteral("%1 %2").arg(QString::fromLatin1(kKinds[r->Level])).arg(r->Number);
    };
    columns->OnGetImageEx = [columns](TBaseLazyTree*, PLazyNode node, TVTImageKind kind, TColumnIndex column, bool&,
                                int& index, TCustomImageList*&) {
        if (column <= 0 && (kind == ikNormal || kind == ikSelected))
            index = columns->GetNodeData<Record>(node)->Level;
    };
    columns->OnCompareNodes = [columns](TBaseLazyTree*, PLazyNode a, PLazyNode b, TColumnIndex, int& result) {
        result = columns->GetNodeData<Record>(a)->Number - columns->GetNodeData<Record>(b)->Number;
    };
    TTreeHeader& header = columns->ColumnHeader();
    for (const char16_t* caption : {u"Name", u"Kind", u"Number"})
        header.Columns().Add().SetText(caption);
    header.Columns()[0].SetWidth(150);
    header.Columns()[2].SetAlignment(taRightJustify);
    header.SetOptions(header.Options() + TVTHeaderOptions{hoVisible, hoHotTrack, hoHeaderClickAutoSort,
                                            hoAutoColumnPopupMenu, hoDblClickResize, hoHeightResize});

    PLazyNode device = wired->GetFirstChild(nullptr);
    wired->SetExpanded(device, true);
    PLazyNode record = wired->GetFirstChild(device);
    wired->SetExpanded(record, true);
    wired->SetCheckState(record, csCheckedNormal);
    PLazyNode value = wired->GetFirstChild(record);
    wired->SetSelected(wired->GetNextSibling(value), true);
    wired->SetFocusedNode(wired->GetNextSibling(value));
    wired->SetOffsetY(0);
    wired->SetCheckState(value, csCheckedNormal);
    window.resize(1120, 420);
    window.show();
    wired->setFocus();

    const QStringList args = app.arguments();
    const int at = args.indexOf(QStringLiteral("--screenshot"));
    if (at > 0 && at + 1 < args.size()) {
        QTimer::singleShot(300, [&] {
            window.grab().save(args[at + 1]);
            app.quit();
        });
    }
    return app.exec();
}
