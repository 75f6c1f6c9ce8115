// The checks of the table windows on OK: every window's rows against its
// limits, with the exact English message of the first failure.
#include "editors/table_check.h"
#include "language.h"
#include "qt_print.h"

#include <gtest/gtest.h>

using namespace editors;

namespace {

// A table of the definition's capacity with rows filled from the top.
TableData Table(const TableDef& def, const std::vector<QStringList>& rows, int count = 0)
{
    TableData t = EmptyTable(def, count > 0 ? count : def.rows.capacity);
    for (size_t r = 0; r < rows.size(); ++r)
        t.sections[0][r] = rows[r];
    return t;
}

QString Check(const TableDef& def, const std::vector<QStringList>& rows, int count = 0)
{
    Load_Default_Language();
    const CheckResult r = CheckTable(def, Table(def, rows, count));
    return r.ok ? QStringLiteral("ok") : r.message;
}

struct Case
{
    const char* name;
    std::vector<QStringList> rows;
    const char* expected;   // "ok" or the message
};

void RunCases(const TableDef& def, const std::vector<Case>& cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(Check(def, c.rows), QString::fromUtf8(c.expected)) << c.name;
}

const char* const k11 = "Error row 1!! CAN Cob-Id must be between 0x000 and 0x7FF";
const char* const k29 = "Error row 1!! CAN Cob-Id must be between 0x000 and 0x1FFFFFFF";
const char* const kType = "Error row 1!! Cob-Id Type must be 2.0A (11 bits) or 2.0B (29 bits)";

} // namespace

TEST(CanFrameChecks, IdentifierTypeDimensionAndTime)
{
    const QString a = QStringLiteral("2.0A (11 bits)");
    const QString b = QStringLiteral("2.0B (29 bits)");
    RunCases(kCanRecFrames, {
        {"11-bit top", {{"2047", a, "8", "0", ""}}, "ok"},
        {"hex 0x", {{"0x7FF", a, "1", "10000000", ""}}, "ok"},
        {"hex $", {{"$7FF", a, "1", "1", ""}}, "ok"},
        {"leading blank", {{" 12", a, "1", "1", ""}}, "ok"},
        {"trailing blank", {{"12 ", a, "1", "1", ""}}, k11},
        {"11-bit over", {{"2048", a, "1", "1", ""}}, k11},
        {"11-bit hex over", {{"0x800", a, "1", "1", ""}}, k11},
        {"type in other case", {{"0x800", "2.0a (11 BITS) ", "1", "1", ""}}, k11},
        {"29-bit top", {{"0x1FFFFFFF", b, "1", "1", ""}}, "ok"},
        {"29-bit over", {{"0x20000000", b, "1", "1", ""}}, k29},
        {"negative", {{"-1", b, "1", "1", ""}}, k29},
        {"not a number", {{"abc", a, "1", "1", ""}}, k11},
        {"blank identifier is a used row", {{" ", a, "1", "1", ""}}, k11},
        {"empty type", {{"5", "", "1", "1", ""}}, kType},
        {"blank type, bad identifier", {{"abc", "  ", "1", "1", ""}}, kType},
        {"dimension 0", {{"1", a, "0", "1", ""}}, "Error row 1!! CAN Dimension must be between 1 and 8"},
        {"dimension 9", {{"1", a, "9", "1", ""}}, "Error row 1!! CAN Dimension must be between 1 and 8"},
        {"time over", {{"1", a, "8", "10000001", ""}}, "Error row 1!! TimeOut must be between 0 and 10000000 ms"},
        {"time empty", {{"1", a, "8", "", ""}}, "Error row 1!! TimeOut must be between 0 and 10000000 ms"},
    });
    // The send window tests its timer column, not the send type.
    RunCases(kCanSendFrames, {
        {"send ok", {{"1", a, "8", "", "0", ""}}, "ok"},
        {"timer over", {{"1", a, "8", "On Timer", "10000001", ""}},
         "Error row 1!! TimeOut must be between 0 and 10000000 ms"},
    });
}

TEST(CanFrameChecks, LastRowAndRowsAfterTheGap)
{
    std::vector<QStringList> rows(500, QStringList{"1", "2.0A (11 bits)", "8", "0", ""});
    rows[499][0] = QStringLiteral("0x800");
    EXPECT_EQ(Check(kCanRecFrames, rows), QStringLiteral("Error row 500!! CAN Cob-Id must be between 0x000 and 0x7FF"));
    // Rows after the first empty identifier are not checked.
    rows[10][0].clear();
    EXPECT_EQ(Check(kCanRecFrames, rows), QStringLiteral("ok"));
}

TEST(DeviceNetChecks, Ranges)
{
    RunCases(kDNetNet, {
        {"edges", {{"63", "65535", "0", "N", "N", ""}}, "ok"},
        {"id", {{"64", "1", "1", "N", "N", ""}}, "Error in row 1!! ID must be 0 or 63"},
        {"in", {{"0", "65536", "1", "N", "N", ""}}, "Error in row 1!! Number Byte IN must be 0 or 65535"},
        {"out", {{"0", "1", "-1", "N", "N", ""}}, "Error in row 1!! Number Byte OUT must be 0 or 65535"},
    });
}

TEST(J1939Checks, ReceiveWindowsAndBudget)
{
    auto tp = [](const char* start, const char* n) { return QStringList{"0", "100", "1", "Y", start, n, "N", ""}; };
    auto frame = [](const char* start, const char* n) { return QStringList{"0", "100", "1", "N", start, n, "N", ""}; };
    RunCases(kReceiveJ1939, {
        {"budget exact", {tp("0", "1000"), tp("0", "438")}, "ok"},
        {"budget over, no row", {tp("0", "1000"), tp("0", "439")},
         "Error!! Too many bytes of data, the max number is 1438"},
        {"tp edge", {tp("1700", "85")}, "ok"},
        {"tp over", {tp("1700", "86")}, "Error in row 1!! Start Byte plus Number Bytes must be between 0 and 1785"},
        {"tp start", {tp("1786", "0")}, "Error in row 1!! Start Byte must be between 0 and 1785"},
        {"frame both empty", {frame(" ", "")}, "ok"},
        {"frame 3+4", {frame("3", "4")}, "ok"},
        {"frame 5+4", {frame("5", "4")}, "Error in row 1!! The Number Bytes plus Start Byte must be minor of 9"},
        {"frame start 0", {frame("0", "4")}, "Error in row 1!! The Start Byte must be between 1 and 8"},
        {"frame count 9", {frame("1", "9")}, "Error in row 1!! The Number Bytes must be between 1 and 8"},
        {"frame one empty", {frame("1", " ")}, "Error in row 1!! Start Byte and Number Bytes must be both compiled"},
        {"data page", {{"", "100", "1", "N", "", "", "N", ""}}, "Error in row 1!! Data Page must be 0 or 1"},
        {"pgn", {{"1", "0x10000", "1", "N", "", "", "N", ""}}, "Error in row 1!! PGN must be between 0x0000 and 0xFFFF"},
        {"sa", {{"1", "1", "256", "N", "", "", "N", ""}}, "Error in row 1!! Source Address must be between 0 and 255"},
        {"blank pgn is used", {{"1", " ", "1", "N", "", "", "N", ""}},
         "Error in row 1!! PGN must be between 0x0000 and 0xFFFF"},
    });
    // A full table of single frames uses 62 * 8 bytes.
    std::vector<QStringList> rows(62, frame("", ""));
    EXPECT_EQ(Check(kReceiveJ1939, rows), QStringLiteral("ok"));
}

TEST(J1939Checks, Transmit)
{
    auto row = [](const char* n, const char* timer, const char* onTimer) {
        return QStringList{"3", "0", "0x1FFFF", "255", n, "N", "N", onTimer, timer, ""};
    };
    RunCases(kTransmitJ1939, {
        {"ok", {row("8", "", "N")}, "ok"},
        {"num byte 0", {row("0", "", "N")}, "Error in row 1!! Num Byte must be between 1 and1438"},
        {"sum 1439", {row("1000", "", "N"), row("439", "", "N")},
         "Error!! Too many bytes of data, the max number is 1438"},
        {"timer empty", {row("8", "", "Y")}, "Error in row 1!! Send Timer must be between 1 and 65535 ms"},
        {"timer edge", {row("8", "65535", "Y")}, "ok"},
        {"priority", {{"8", "0", "1", "1", "8", "N", "N", "N", "", ""}},
         "Error in row 1!! Priority must be between 0 and 7"},
        {"pgn", {{"0", "0", "0x20000", "1", "8", "N", "N", "N", "", ""}},
         "Error in row 1!! PGN must be between 0x00000 and 0x1FFFF"},
    });
}

TEST(NmeaChecks, ReceiveAndTransmit)
{
    auto rec = [](const char* tp, const char* fp, const char* start, const char* n) {
        return QStringList{"100", "1", tp, fp, start, n, "N", ""};
    };
    RunCases(kReceiveNmea, {
        {"tp wins over fp", {rec("Y", "Y", "300", "200")}, "ok"},
        {"fp edge", {rec("N", "Y", "200", "23")}, "ok"},
        {"fp over", {rec("N", "Y", "200", "24")},
         "Error in row 1!! Start Byte plus Number Bytes must be between 0 and 223"},
        {"sa 240", {{"100", "240", "N", "N", "", "", "N", ""}},
         "Error in row 1!! Source Address must be between 0 and 239"},
        {"budget 513", {rec("Y", "N", "0", "505"), rec("N", "N", "", "")},
         "Error!! Too many bytes of data, the max number is 512"},
        {"single frame", {rec("N", "N", "3", "6")},
         "Error in row 1!! The Number Bytes plus Start Byte must be minor of 9"},
    });
    auto send = [](const char* n) { return QStringList{"0", "100", "1", "Y", n, "N", "N", "N", "", ""}; };
    RunCases(kTransmitNmea, {
        {"zero passes", {send("0")}, "ok"},
        {"over", {send("513")}, "Error in row 1!! Num Byte must be between 0 and 512"},
        {"empty", {send("")}, "Error in row 1!! Num Byte must be between 0 and 512"},
        {"sum", {send("300"), send("213")}, "Error!! Too many bytes of data, the max number is 512"},
    });
}

TEST(NodeGuardChecks, RangesAndBlankEnd)
{
    RunCases(kNodeGuard, {
        {"edges", {{"127", "65535", "255", ""}, {"1", "1", "1", ""}}, "ok"},
        {"id", {{"128", "1", "1", ""}}, "Error row 1!! Device ID must be between 1 and 127"},
        {"guard", {{"1", "0", "1", ""}}, "Error row 1!! Guard Time must be between 1 and 65535 ms"},
        {"factor", {{"1", "1", "256", ""}}, "Error row 1!! Life Time Factor must be between 1 and 255 ms"},
        {"blank id ends the table", {{"1", "1", "1", ""}, {"  ", "0", "0", ""}, {"500", "", "", ""}}, "ok"},
    });
}

TEST(DmxChecks, EveryChannel)
{
    EXPECT_EQ(Check(kDmxDefaultValues, {{"0xFF", ""}}, 3), QStringLiteral("ok"));
    EXPECT_EQ(Check(kDmxDefaultValues, {{"255", ""}, {"", ""}}, 3),
              QStringLiteral("Error row 2!! Default Value must be between 0 and 255"));
    EXPECT_EQ(Check(kDmxDefaultValues, {{"0", ""}, {"0", ""}, {"256", ""}}, 3),
              QStringLiteral("Error row 3!! Default Value must be between 0 and 255"));
}

TEST(RestartChecks, NoneAtAll)
{
    EXPECT_EQ(Check(kRestartDevices, {{"junk", "x"}}), QStringLiteral("ok"));
}
