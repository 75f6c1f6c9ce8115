#include "editors/byte_map.h"

#include "build/compiler/compile_error.h"
#include "build/compiler/par_gen_reader.h"
#include "build/compiler/table_rows.h"
#include "int_text.h"
#include "language.h"
#include "messages.h"
#include "device_type.h"
#include "workspace.h"
#include "xml_document.h"

#include <QFile>
#include <QHash>

namespace editors {

namespace {

constexpr const char* kByteAttrs[8] = {"B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8"};
constexpr int kSnmpType = 15;
constexpr int kSnmpArray = 1024;
constexpr int kArrayMax = 1439;

bool Load(const QByteArray& bytes, const QString& fileName, XmlDocument& doc, LoadResult& r)
{
    r.exists = true;
    if (doc.LoadBytes(bytes, fileName))
        return true;
    r.complete = false;
    r.message = doc.ErrorText();
    return false;
}

} // namespace

const ByteMapDef kRecInfo{"F_Rec_Info", &File_CAN_Rec_Frames, "Receive_Frames", &File_CAN_Rec_Info,
                          "Receive_Frames_Info", "PROFINET_NB_OUT", true,
                          337, 338, 339, 340, 341, 342, 343, 351, 878, 352, 353, 361, 362};
const ByteMapDef kSendInfo{"F_Sen_Info", &File_CAN_Send_Frames, "Send_Frames", &File_CAN_Send_Info,
                           "Send_Frames_Info", "PROFINET_NB_IN", false,
                           367, 368, 369, 370, 371, 372, 373, 381, 879, 382, 383, 391, 0};

LoadResult ReadFrames(const ByteMapDef& def, const QByteArray& bytes, const QString& fileName,
                      std::vector<FrameMap>& frames)
{
    LoadResult r;
    XmlDocument doc;
    if (!Load(bytes, fileName, doc, r))
        return r;
    try {
        const pugi::xml_node section = Required_Section(fileName, doc.Root(), def.framesSection);
        int i = 0;
        for (pugi::xml_node row = section.first_child(); row; row = row.next_sibling()) {
            if (row.type() != pugi::node_element)
                continue;
            const TableRow reader(fileName, QString::fromLatin1(def.framesSection), i++, row);
            FrameMap f;
            f.cobId = reader.RequiredText("Cob_Id");
            f.dim = reader.RequiredInt("Dimension");
            frames.push_back(std::move(f));
        }
    } catch (const CompileError& e) {
        r.complete = false;
        r.message = e.Message();
    }
    return r;
}

LoadResult ReadMap(const QByteArray& bytes, const QString& fileName, std::vector<FrameMap>& frames)
{
    LoadResult r;
    XmlDocument doc;
    if (!Load(bytes, fileName, doc, r))
        return r;
    try {
        size_t i = 0;
        for (pugi::xml_node row = doc.Root().first_child(); row; row = row.next_sibling()) {
            if (row.type() != pugi::node_element)
                continue;
            if (i >= frames.size()) {
                // Rows past the frames are dropped by the next OK.
                r.complete = false;
                r.message = QStringLiteral("%1: more rows than frames; the rows past %2 are not kept.")
                                .arg(fileName).arg(frames.size());
                return r;
            }
            const TableRow reader(fileName, QString(), int(i), row);
            FrameMap& f = frames[i++];
            for (int k = 0; k < 8; ++k)
                if (k < f.dim)
                    f.pos[size_t(k)] = int(uint32_t(reader.RequiredInt(kByteAttrs[k])) & 0xFFFF);
        }
    } catch (const CompileError& e) {
        r.complete = false;
        r.message = e.Message();
    }
    return r;
}

QByteArray WriteMap(const ByteMapDef& def, const std::vector<FrameMap>& frames, int deviceType)
{
    XmlDocument doc;
    pugi::xml_node root = doc.Doc().append_child(def.root);
    doc.Doc().append_child(pugi::node_comment).set_value(VersionComment(deviceType).toUtf8().constData());
    for (const FrameMap& f : frames) {
        pugi::xml_node row = root.append_child("row");
        for (int k = 0; k < 8; ++k)
            row.append_attribute(kByteAttrs[k]).set_value(k < f.dim ? f.pos[size_t(k)] : kNoPosition);
    }
    return doc.ToBytes();
}

QString ValueError(const ByteMapDef& def, int k, int max)
{
    return Lang(def.valueError + k) + QString::number(max - 1) + Lang(def.orNone);
}

QString EditPosition(const ByteMapDef& def, int k, const QString& text, int max, int& pos)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.toUpper() == QLatin1String("NONE")) {
        pos = kNoPosition;
        return {};
    }
    const int32_t v = StrToIntDef(t, -1);
    if (v < 0 || v >= max)
        return ValueError(def, k, max);
    pos = v;
    return {};
}

QString CheckMap(const ByteMapDef& def, const std::vector<FrameMap>& frames, int max, int& frame)
{
    QHash<int, std::pair<int, int>> taken;   // position -> frame, byte
    for (size_t f = 0; f < frames.size(); ++f) {
        for (int k = 0; k < 8 && k < frames[f].dim; ++k) {
            const int p = frames[f].pos[size_t(k)];
            if (p == kNoPosition)
                continue;
            frame = int(f);
            if (p >= max)
                return ValueError(def, k, max);
            if (!def.checkDoubleUse)
                continue;
            const auto it = taken.constFind(p);
            if (it != taken.constEnd())
                return Lang(def.doubleUse) + QString::number(p) + Lang(def.doubleUse + 1) + frames[f].cobId
                       + Lang(def.doubleUse + 2) + QString::number(k + 1) + Lang(def.doubleUse + 3)
                       + frames[size_t(it->first)].cobId + Lang(def.doubleUse + 4) + QString::number(it->second + 1);
            taken.insert(p, {int(f), k});
        }
    }
    return {};
}

int NumByteMax(const ByteMapDef& def, int deviceType)
{
    if (deviceType == kSnmpType)
        return kSnmpArray;
    int n = kArrayMax;
    try {
        const ParGen pg(File_ParGen);
        n = pg.Int(def.limitElement, kArrayMax);
    } catch (const CompileError& e) {
        Messages::Error(e.Message());
    }
    return std::clamp(n, 1, kArrayMax);
}

} // namespace editors

namespace editors {

namespace {

QByteArray FileBytes(const QString& path, bool& exists)
{
    QFile f(path);
    exists = !path.isEmpty() && f.exists() && f.open(QIODevice::ReadOnly);
    return exists ? f.readAll() : QByteArray();
}

} // namespace

void ByteMapModel::FormShow()
{
    max_ = editors::NumByteMax(def_, DeviceType);
    frames_.clear();
    selected_ = -1;
    complete_ = true;
    bool exists = false;
    QByteArray bytes = FileBytes(*def_.framesPath, exists);
    if (exists) {
        const LoadResult r = ReadFrames(def_, bytes, *def_.framesPath, frames_);
        if (!r.message.isEmpty())
            Messages::Error(r.message);
    }
    if (frames_.empty())
        return;
    bytes = FileBytes(*def_.path, exists);
    if (exists) {
        const LoadResult r = ReadMap(bytes, *def_.path, frames_);
        complete_ = r.complete;
        if (!r.message.isEmpty())
            Messages::Error(r.message);
    }
    selected_ = 0;
}

void ByteMapModel::Select(int frame)
{
    if (frame >= 0 && frame < int(frames_.size()))
        selected_ = frame;
}

bool ByteMapModel::LeaveEdit(int k, const QString& text)
{
    if (selected_ < 0 || k >= frames_[size_t(selected_)].dim)
        return true;
    int pos = kNoPosition;
    const QString error = EditPosition(def_, k, text, max_, pos);
    if (!error.isEmpty()) {
        Messages::Error(error);
        return false;
    }
    frames_[size_t(selected_)].pos[size_t(k)] = pos;
    return true;
}

QString ByteMapModel::EditText(int k) const
{
    if (selected_ < 0)
        return QStringLiteral("none");
    const FrameMap& f = frames_[size_t(selected_)];
    const int p = f.pos[size_t(k)];
    return k >= f.dim || p == kNoPosition ? QStringLiteral("none") : QString::number(p);
}

bool ByteMapModel::Accept()
{
    int frame = 0;
    const QString fault = CheckMap(def_, frames_, max_, frame);
    if (!fault.isEmpty()) {
        Select(frame);
        Messages::Error(fault);
        return false;
    }
    if (!complete_
        && !Messages::Ask(EditorText(TextNotFullyLoaded) + *def_.path + EditorText(TextOverwriteAnyway),
                          MsgKind::Warning))
        return false;
    XmlDocument doc;
    if (!doc.LoadBytes(WriteMap(def_, frames_, DeviceType)) || !doc.Save(*def_.path)) {
        Messages::Error(doc.ErrorText());
        return false;
    }
    complete_ = true;
    return true;
}

} // namespace editors
