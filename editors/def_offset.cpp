#include "editors/def_offset.h"

#include "build/compiler/compile_error.h"
#include "build/compiler/par_gen_reader.h"
#include "build/compiler/table_rows.h"
#include "device_type.h"
#include "int_text.h"
#include "language.h"
#include "messages.h"
#include "workspace.h"
#include "xml_document.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace editors {

namespace {

constexpr int kMaxSlaves = 64;
constexpr int kMaxBytes = 65535;
constexpr int kDefaultLimit = 1438;
constexpr int kLimitMax = 1439;
const QString kNone = QStringLiteral("None");

int ByteCount(const TableRow& row, const char* attr)
{
    const int32_t v = row.RequiredInt(attr);
    if (v < 0 || v > kMaxBytes)
        row.Fail(QStringLiteral("the attribute \"%1\" is not a number from 0 to %2.").arg(QLatin1String(attr)).arg(kMaxBytes));
    return v;
}

bool LoadDoc(const QByteArray& bytes, const QString& fileName, XmlDocument& doc, LoadResult& r)
{
    r.exists = true;
    if (!doc.LoadBytes(bytes, fileName)) {
        r.complete = false;
        r.message = doc.ErrorText();
        return false;
    }
    return true;
}

// Offsets and mnemonics of one side of a slave from its ByteIN or ByteOUT element.
void ReadSide(const QString& fileName, const QString& section, pugi::xml_node side, int count, QStringList& offsets,
              QStringList& mnemonics)
{
    int i = 0;
    for (pugi::xml_node row = side.first_child(); row && i < count; row = row.next_sibling()) {
        if (row.type() != pugi::node_element)
            continue;
        const TableRow r(fileName, section, i, row);
        offsets[i] = r.TextOr("Offset", kNone);
        mnemonics[i] = r.TextOr("Mnemonic");
        ++i;
    }
}

void AppendSide(pugi::xml_node node, const char* name, const QStringList& offsets, const QStringList& mnemonics)
{
    pugi::xml_node side = node.append_child(name);
    for (qsizetype i = 0; i < offsets.size(); ++i) {
        pugi::xml_node row = side.append_child("row");
        row.append_attribute("Offset").set_value(offsets[i].toUtf8().constData());
        row.append_attribute("Mnemonic").set_value(mnemonics[i].toUtf8().constData());
    }
}

QByteArray ReadFileBytes(const QString& path, LoadResult& r, bool& ok)
{
    ok = false;
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.exists = true;
        r.complete = false;
        r.message = QStringLiteral("%1: %2").arg(path, f.errorString());
        return {};
    }
    ok = true;
    return f.readAll();
}

int Limit(const ParGen& pg, const char* name)
{
    return std::clamp(pg.Int(name, kDefaultLimit), 1, kLimitMax);
}

void SetupByteGrid(grid::TExColumnGrid& g)
{
    g.SetColCount(3);
    g.SetRowCount(1);
    g.SetFixedRows(1);
    g.SetFixedCols(1);
    g.EnableHTML = false;
    grid::TGridOptions o = g.Options();
    o.Include(grid::goEditing);
    g.SetOptions(o);
    g.Columns()[0]->ReadOnly = true;
    g.Columns()[0]->SetWidth(60);
    g.Columns()[1]->SetEditor(grid::edComboList);
    g.Columns()[1]->SetWidth(100);
    g.Columns()[2]->SetWidth(260);
    g.Loaded();
}

QStringList OffsetItems(int max)
{
    QStringList items{kNone};
    items.reserve(max + 1);
    for (int i = 0; i < max; ++i)
        items.append(QString::number(i));
    return items;
}

} // namespace

LoadResult ReadSlaves(const QByteArray& bytes, const QString& fileName, std::vector<SlaveDN>& slaves)
{
    LoadResult r;
    XmlDocument doc;
    if (!LoadDoc(bytes, fileName, doc, r))
        return r;
    try {
        int i = 0;
        for (pugi::xml_node node = doc.Root().first_child(); node; node = node.next_sibling()) {
            if (node.type() != pugi::node_element)
                continue;
            if (i >= kMaxSlaves)
                Table_Limit(fileName, QString(), kMaxSlaves);
            const TableRow row(fileName, QString(), i++, node);
            SlaveDN s;
            s.id = row.RequiredInt("ID");
            s.byteIn = ByteCount(row, "NB_IN");
            s.byteOut = ByteCount(row, "NB_OUT");
            s.mnemonic = row.TextOr("Mnemonic");
            s.inOffset = QStringList(s.byteIn, kNone);
            s.inMnemonic = QStringList(s.byteIn, QString());
            s.outOffset = QStringList(s.byteOut, kNone);
            s.outMnemonic = QStringList(s.byteOut, QString());
            slaves.push_back(std::move(s));
        }
    } catch (const CompileError& e) {
        r.complete = false;
        r.message = e.Message();
    }
    return r;
}

LoadResult ReadOffsets(const QByteArray& bytes, const QString& fileName, std::vector<SlaveDN>& slaves)
{
    LoadResult r;
    XmlDocument doc;
    if (!LoadDoc(bytes, fileName, doc, r))
        return r;
    size_t k = 0;
    for (pugi::xml_node node = doc.Root().first_child(); node && k < slaves.size(); node = node.next_sibling()) {
        if (node.type() != pugi::node_element)
            continue;
        SlaveDN& s = slaves[k++];
        ReadSide(fileName, QStringLiteral("ByteIN"), node.child("ByteIN"), s.byteIn, s.inOffset, s.inMnemonic);
        ReadSide(fileName, QStringLiteral("ByteOUT"), node.child("ByteOUT"), s.byteOut, s.outOffset, s.outMnemonic);
    }
    return r;
}

QByteArray WriteOffsets(const std::vector<SlaveDN>& slaves, int deviceType)
{
    XmlDocument doc;
    pugi::xml_node root = doc.Doc().append_child("Define_Offset");
    doc.Doc().append_child(pugi::node_comment).set_value(VersionComment(deviceType).toUtf8().constData());
    for (const SlaveDN& s : slaves) {
        pugi::xml_node node = root.append_child("Nodo_DNET");
        AppendSide(node, "ByteIN", s.inOffset, s.inMnemonic);
        AppendSide(node, "ByteOUT", s.outOffset, s.outMnemonic);
    }
    return doc.ToBytes();
}

QString CheckOutputOffsets(const std::vector<SlaveDN>& slaves)
{
    // The owner of each output position, whatever the position.
    QHash<int32_t, std::pair<int, int>> owner;
    for (const SlaveDN& s : slaves) {
        for (int i = 0; i < s.outOffset.size(); ++i) {
            const int32_t p = StrToIntDef(s.outOffset[i], -1);
            if (p < 0)
                continue;
            const auto it = owner.constFind(p);
            if (it != owner.constEnd())
                return Lang(582) + QStringLiteral("\n\r(First ID = %1 Byte = %2, Second ID = %3 Byte = %4)")
                                       .arg(it->first).arg(it->second).arg(s.id).arg(i);
            owner.insert(p, {s.id, i});
        }
    }
    return {};
}

DefOffsetModel::DefOffsetModel()
{
    slaveGrid_.SetColCount(4);
    slaveGrid_.SetRowCount(1);
    slaveGrid_.SetFixedRows(1);
    slaveGrid_.SetFixedCols(0);
    slaveGrid_.EnableHTML = false;
    const int widths[] = {60, 100, 100, 180};
    for (int c = 0; c < 4; ++c) {
        slaveGrid_.Columns()[c]->ReadOnly = true;
        slaveGrid_.Columns()[c]->SetWidth(widths[c]);
    }
    slaveGrid_.Loaded();
    SetupByteGrid(inGrid_);
    SetupByteGrid(outGrid_);
    Set_Lang();
}

void DefOffsetModel::Set_Lang()
{
    for (int c = 0; c < 4; ++c)
        slaveGrid_.Columns()[c]->SetHeader(Lang(572 + c));
    for (int c = 0; c < 3; ++c) {
        inGrid_.Columns()[c]->SetHeader(Lang(576 + c));
        outGrid_.Columns()[c]->SetHeader(Lang(579 + c));
    }
}

void DefOffsetModel::FormShow()
{
    slaves_.clear();
    selected_ = -1;
    complete_ = true;
    maxIn_ = maxOut_ = kDefaultLimit;
    try {
        const ParGen pg(File_ParGen);
        if (pg.Exists()) {
            maxIn_ = Limit(pg, "PROFINET_NB_IN");
            maxOut_ = Limit(pg, "PROFINET_NB_OUT");
        }
    } catch (const CompileError& e) {
        Messages::Error(e.Message());
    }
    inGrid_.Columns()[1]->ComboItems = OffsetItems(maxIn_);
    outGrid_.Columns()[1]->ComboItems = OffsetItems(maxOut_);

    LoadResult r;
    bool ok;
    QByteArray bytes = ReadFileBytes(File_DNETM_Net, r, ok);
    if (ok)
        r = ReadSlaves(bytes, File_DNETM_Net, slaves_);
    if (!r.message.isEmpty())
        Messages::Error(r.message);
    complete_ = r.complete;
    LoadResult o;
    bytes = ReadFileBytes(File_DNETM_DefOff, o, ok);
    if (ok)
        o = ReadOffsets(bytes, File_DNETM_DefOff, slaves_);
    if (!o.message.isEmpty())
        Messages::Error(o.message);
    complete_ = complete_ && o.complete;

    slaveGrid_.SetRowCount(int(slaves_.size()) + 1);
    for (size_t i = 0; i < slaves_.size(); ++i) {
        const SlaveDN& s = slaves_[i];
        const int row = int(i) + 1;
        slaveGrid_.SetCellEx(0, row, QString::number(s.id));
        slaveGrid_.SetCellEx(1, row, QString::number(s.byteIn));
        slaveGrid_.SetCellEx(2, row, QString::number(s.byteOut));
        slaveGrid_.SetCellEx(3, row, s.mnemonic);
    }
    inGrid_.SetRowCount(1);
    outGrid_.SetRowCount(1);
    if (!slaves_.empty())
        SelectSlave(0);
}

void DefOffsetModel::StoreShownSlave()
{
    if (selected_ < 0 || selected_ >= int(slaves_.size()))
        return;
    SlaveDN& s = slaves_[size_t(selected_)];
    for (int i = 0; i < s.byteIn && i + 1 < inGrid_.RowCount(); ++i) {
        s.inOffset[i] = inGrid_.GetCellEx(1, i + 1);
        s.inMnemonic[i] = inGrid_.GetCellEx(2, i + 1);
    }
    for (int i = 0; i < s.byteOut && i + 1 < outGrid_.RowCount(); ++i) {
        s.outOffset[i] = outGrid_.GetCellEx(1, i + 1);
        s.outMnemonic[i] = outGrid_.GetCellEx(2, i + 1);
    }
}

void DefOffsetModel::ShowSlave(int index)
{
    const SlaveDN& s = slaves_[size_t(index)];
    auto fill = [](grid::TExColumnGrid& g, const QStringList& offsets, const QStringList& mnemonics) {
        g.SetRowCount(int(offsets.size()) + 1);
        for (int i = 0; i < offsets.size(); ++i) {
            g.SetCellEx(0, i + 1, QString::number(i));
            g.SetCellEx(1, i + 1, offsets[i]);
            g.SetCellEx(2, i + 1, mnemonics[i]);
        }
    };
    fill(inGrid_, s.inOffset, s.inMnemonic);
    fill(outGrid_, s.outOffset, s.outMnemonic);
}

void DefOffsetModel::SelectSlave(int index)
{
    if (index < 0 || index >= int(slaves_.size()) || index == selected_)
        return;
    StoreShownSlave();
    selected_ = index;
    slaveGrid_.SetRow(index + 1);
    slaveGrid_.SelectRows(index + 1, 1);
    ShowSlave(index);
}

bool DefOffsetModel::Accept()
{
    StoreShownSlave();
    const QString fault = CheckOutputOffsets(slaves_);
    if (!fault.isEmpty()) {
        Messages::Error(fault);
        return false;
    }
    if (!complete_
        && !Messages::Ask(EditorText(TextNotFullyLoaded) + File_DNETM_DefOff + EditorText(TextOverwriteAnyway),
                          MsgKind::Warning))
        return false;
    XmlDocument doc;
    if (!doc.LoadBytes(WriteOffsets(slaves_, DeviceType)) || !doc.Save(File_DNETM_DefOff)) {
        Messages::Error(doc.ErrorText());
        return false;
    }
    complete_ = true;
    return true;
}

} // namespace editors
