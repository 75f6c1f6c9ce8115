// The decoder against the reference decoding of every frame of the suite:
// header values, records, function, storage, tariff, subunit, scaled values,
// times and dates. Each difference the tool's own rules make is pinned below
// with frame, record, field, our value and the reason.
#include "telegram_fixture.h"

#include <QDateTime>
#include <QMap>
#include <cmath>
#include <gtest/gtest.h>
#include <pugixml.hpp>

using namespace mbus;

namespace {

struct RefRecord
{
    QString function, unit, value, normValue;
    qint64 storage = 0, tariff = 0, device = 0;
};

struct RefSlave
{
    QString id, manufacturer, version, status;
    std::vector<RefRecord> records;
};

QString ChildText(pugi::xml_node n, const char* name)
{
    return QString::fromUtf8(n.child(name).text().get());
}

RefSlave ReadReference(const QString& base)
{
    RefSlave s;
    pugi::xml_document raw, norm;
    EXPECT_TRUE(raw.load_file((base + QStringLiteral(".xml")).toLocal8Bit().constData()));
    EXPECT_TRUE(norm.load_file((base + QStringLiteral(".norm.xml")).toLocal8Bit().constData()));
    const pugi::xml_node info = raw.child("MBusData").child("SlaveInformation");
    s.id = ChildText(info, "Id");
    s.manufacturer = ChildText(info, "Manufacturer");
    s.version = ChildText(info, "Version");
    s.status = ChildText(info, "Status");
    std::vector<pugi::xml_node> normRecords;
    for (pugi::xml_node r : norm.child("MBusData").children("DataRecord"))
        normRecords.push_back(r);
    size_t i = 0;
    for (pugi::xml_node r : raw.child("MBusData").children("DataRecord")) {
        RefRecord rec;
        rec.function = ChildText(r, "Function");
        rec.unit = ChildText(r, "Unit");
        rec.value = ChildText(r, "Value");
        rec.storage = ChildText(r, "StorageNumber").toLongLong();
        rec.tariff = ChildText(r, "Tariff").toLongLong();
        rec.device = ChildText(r, "Device").toLongLong();
        if (i < normRecords.size())
            rec.normValue = ChildText(normRecords[i], "Value");
        ++i;
        // Manufacturer data are no records of ours.
        if (rec.function == QLatin1String("Manufacturer specific") || rec.function == QLatin1String("More records follow"))
            continue;
        s.records.push_back(rec);
    }
    return s;
}

// One pinned difference: frame, record (-1: the meter), field, our value.
struct Pin
{
    const char* frame;
    int record;
    const char* field;
    const char* ours;
    const char* reason;
};

const Pin kPins[] = {
    {"THI_cma10", -1, "id", "02", "the identification is written with at least two digits"},
    {"berg_dz_plus", -1, "id", "00", "the identification is written with at least two digits"},
    {"REL-Relay-Padpuls2", 1, "value", "09/07/15 21:33", "the time-invalid bit of a type F date is not read"},
    {"landis+gyr_ultraheat_t230", 19, "value", "00/00/00 00:00", "VIFE 6F (end of last) dates the value"},
    {"landis+gyr_ultraheat_t230", 20, "value", "00/00/00 00:00", "VIFE 6F (end of last) dates the value"},
    {"landis+gyr_ultraheat_t230", 21, "value", "26/08/11 20:50", "VIFE 6F (end of last) dates the value"},
    {"landis+gyr_ultraheat_t230", 22, "value", "09/08/11 11:43", "VIFE 6F (end of last) dates the value"},
    {"landis+gyr_ultraheat_t230", 32, "value", "01/01/127 00:00", "a year above 99 is not cut to two digits"},
    {"sen_pollusonic_2", -1, "records", "0", "CI 73: records are decoded only under CI 72"},
    {"sen_pollusonic_2", -1, "manufacturer", "??P", "CI 73: the header is read at the long header's places"},
    {"sen_pollusonic_2", -1, "version", "5", "CI 73: the header is read at the long header's places"},
    {"sen_pollusonic_2", -1, "status", "101", "CI 73: the header is read at the long header's places"},
};

struct Difference
{
    QString frame;
    int record;
    QString field, ours, theirs;
};

// "2011-10-25T15:39:00" or "2011-10-25" as our "dd/mm/yy hh:mm" or "dd/mm/yy".
QString OurDateForm(const QString& iso)
{
    const QString d = iso.left(10);
    QString s = d.mid(8, 2) + QLatin1Char('/') + d.mid(5, 2) + QLatin1Char('/') + d.mid(2, 2);
    if (iso.size() > 10)
        s += QLatin1Char(' ') + iso.mid(11, 5);
    return s;
}

bool NumbersAgree(const QString& ours, const QString& theirs)
{
    bool ok1, ok2;
    const double a = ours.toDouble(&ok1);
    const double b = theirs.toDouble(&ok2);
    if (!ok1 || !ok2)
        return false;
    // The reference writes six decimals.
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b)) + 5e-7;
}

void CompareValue(const TVariable_MBus& r, const RefRecord& ref, const QString& frame, int i,
                  std::vector<Difference>& diffs)
{
    const uint8_t vif = r.VIF & 0x7F;
    const bool primary = r.VIF != 0xFD && r.VIF != 0xFB;
    QString theirs;
    bool numeric = true;
    if (primary && ((vif <= 0x07) || (vif >= 0x10 && vif <= 0x1F) || (vif >= 0x28 && vif <= 0x2F)
                    || (vif >= 0x38 && vif <= 0x6B))) {
        theirs = ref.normValue;
    } else if (primary && vif >= 0x20 && vif <= 0x27) {
        theirs = ref.value;
    } else if (primary && ((vif == 0x6C && r.dimension == 2) || (vif == 0x6D && r.dimension == 4))) {
        theirs = OurDateForm(ref.value);
        numeric = false;
    } else if (r.VIF == 0xFD && (r.PrinVIFE & 0x7F) >= 0x40 && (r.PrinVIFE & 0x7F) <= 0x5F) {
        theirs = ref.normValue;
    } else {
        return;
    }
    const bool agree = numeric ? NumbersAgree(r.ValueStr, theirs) : r.ValueStr == theirs;
    if (!agree)
        diffs.push_back({frame, i, QStringLiteral("value"), r.ValueStr, theirs});
}

std::vector<Difference> Compare(const QString& frame)
{
    std::vector<Difference> diffs;
    const ByteVec bytes = ReadHexFile(TelegramDir("frames/") + frame + QStringLiteral(".hex"));
    EXPECT_TRUE(Is_Valid_Telegram(Bytes(bytes.data(), bytes.size()))) << frame.toStdString();
    WiredSlaves list;
    bool more = false;
    EXPECT_EQ(Add_Wired_Slave(list, -1, Bytes(bytes.data(), bytes.size()), more, FixedContext()), 0);
    if (list.isEmpty())
        return diffs;
    const TSlave_MBus& s = *list[0];
    const RefSlave ref = ReadReference(TelegramDir("frames/") + frame);
    auto field = [&](int rec, const char* name, const QString& ours, const QString& theirs) {
        if (ours != theirs)
            diffs.push_back({frame, rec, QString::fromLatin1(name), ours, theirs});
    };
    field(-1, "id", s.Secondary_Addresss, ref.id);
    field(-1, "manufacturer", s.descManufacture, ref.manufacturer);
    field(-1, "version", QString::number(s.Version), ref.version);
    field(-1, "status", QString::number(s.Status), QString::number(ref.status.toUInt(nullptr, 16)));
    field(-1, "records", QString::number(s.List_Var.size()), QString::number(ref.records.size()));
    const size_t n = std::min(s.List_Var.size(), ref.records.size());
    for (size_t i = 0; i < n; ++i) {
        const TVariable_MBus& r = s.List_Var[i];
        const RefRecord& rr = ref.records[i];
        const int k = static_cast<int>(i);
        QString fun = r.FunctionFieldStr;
        if (fun == QLatin1String("Istantaneous value"))
            fun = QStringLiteral("Instantaneous value");
        field(k, "function", fun, rr.function);
        field(k, "storage", QString::number(r.storage_number), QString::number(rr.storage));
        field(k, "tariff", QString::number(r.tarif), QString::number(rr.tariff));
        field(k, "subunit", QString::number(r.device), QString::number(rr.device));
        CompareValue(r, rr, frame, k, diffs);
    }
    return diffs;
}

TEST(TelegramReference, EveryFrameAgreesSaveThePinnedDifferences)
{
    const QStringList frames = HexFrames(TelegramDir("frames"));
    ASSERT_GE(frames.size(), 30);
    std::vector<bool> used(std::size(kPins), false);
    int compared = 0;
    for (const QString& frame : frames) {
        for (const Difference& d : Compare(frame)) {
            bool pinned = false;
            for (size_t p = 0; p < std::size(kPins); ++p) {
                const Pin& pin = kPins[p];
                if (frame == QLatin1String(pin.frame) && d.record == pin.record && d.field == QLatin1String(pin.field)) {
                    pinned = true;
                    used[p] = true;
                    EXPECT_EQ(d.ours, QString::fromUtf8(pin.ours)) << pin.frame << " " << pin.field;
                }
            }
            EXPECT_TRUE(pinned) << "{\"" << d.frame.toStdString() << "\", " << d.record << ", \""
                                << d.field.toStdString() << "\", \"" << d.ours.toStdString() << "\", \"\"}, // theirs: "
                                << d.theirs.toStdString();
        }
        ++compared;
    }
    EXPECT_EQ(compared, frames.size());
    for (size_t p = 0; p < std::size(kPins); ++p)
        if (kPins[p].frame[0]) {
            EXPECT_TRUE(used[p]) << "pinned difference not seen: " << kPins[p].frame << " " << kPins[p].field;
        }
}

} // namespace
