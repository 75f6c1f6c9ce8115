// Any bytes as each table window's file: reading never crashes, and what a
// read leaves in the table is written, read back whole and written the same.
// The same bytes as DNETM_Net.xml and as DNETM_DefOff.xml over two slaves,
// and as a CAN frame list and as a byte map over two frames. The checks run
// over every table read.
#include "editors/byte_map.h"
#include "editors/def_offset.h"
#include "editors/table_check.h"
#include "editors/table_codec.h"

#include <QByteArray>
#include <QString>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const editors::TableDef* def : editors::AllTableDefs()) {
        const int rows = def->rows.parGenElement ? 24 : def->rows.capacity;
        editors::TableData table = editors::EmptyTable(*def, rows);
        const editors::LoadResult r = editors::ReadTable(*def, bytes, QStringLiteral("t.xml"), table);
        if (!r.complete && r.message.isEmpty())
            std::abort();
        const QByteArray written = editors::WriteTable(*def, table, def->types.front());
        editors::TableData again = editors::EmptyTable(*def, rows);
        if (!editors::ReadTable(*def, written, QStringLiteral("t.xml"), again).complete)
            std::abort();
        if (editors::WriteTable(*def, again, def->types.front()) != written)
            std::abort();
        // The checks over whatever was read, with each type's columns.
        for (const int type : def->types) {
            const editors::TableState state = editors::StateOf(*def, type, type % 2);
            (void)editors::CheckTable(*def, table, std::vector<int64_t>(def->sections.size(), 7), &state);
        }
    }
    std::vector<editors::SlaveDN> slaves;
    const editors::LoadResult net = editors::ReadSlaves(bytes, QStringLiteral("n.xml"), slaves);
    if (!net.complete && net.message.isEmpty())
        std::abort();
    std::vector<editors::SlaveDN> two(2);
    two[0].id = 3;
    two[0].byteIn = 2;
    two[0].inOffset = two[0].inMnemonic = QStringList(2, QStringLiteral("None"));
    two[1].id = 7;
    two[1].byteOut = 3;
    two[1].outOffset = two[1].outMnemonic = QStringList(3, QStringLiteral("None"));
    std::vector<editors::SlaveDN> blank = two;
    editors::ReadOffsets(bytes, QStringLiteral("o.xml"), two);
    (void)editors::CheckOutputOffsets(two);
    const QByteArray written = editors::WriteOffsets(two, 1);
    if (!editors::ReadOffsets(written, QStringLiteral("o.xml"), blank).complete || blank != two)
        std::abort();

    for (const editors::ByteMapDef* def : {&editors::kRecInfo, &editors::kSendInfo}) {
        std::vector<editors::FrameMap> frames;
        const editors::LoadResult list = editors::ReadFrames(*def, bytes, QStringLiteral("f.xml"), frames);
        if (!list.complete && list.message.isEmpty())
            std::abort();
    }
    std::vector<editors::FrameMap> frames(2);
    frames[0].dim = 3;
    frames[1].dim = 8;
    std::vector<editors::FrameMap> fresh = frames;
    editors::ReadMap(bytes, QStringLiteral("m.xml"), frames);
    int frame = 0;
    (void)editors::CheckMap(editors::kRecInfo, frames, 1439, frame);
    const QByteArray map = editors::WriteMap(editors::kRecInfo, frames, 0);
    if (!editors::ReadMap(map, QStringLiteral("m.xml"), fresh).complete || fresh != frames)
        std::abort();
    return 0;
}
