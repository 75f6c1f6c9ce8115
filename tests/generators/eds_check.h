#pragma once
// An electronic data sheet checker of our own, used by the tests and the EDS
// fuzz target: the file must be strict INI (section lines, key=value lines
// and empty lines only; no duplicate section or key, names compared without
// case) and consistent: every object listed in the three object lists has a
// section and every object section is listed once, SubNumber counts the
// sub-sections (the number after "sub" read as hexadecimal), and NrOfRXPDO
// and NrOfTXPDO count the 14xx and 18xx objects. Returns the first problem,
// or an empty text.
#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

namespace edscheck {

struct Ini
{
    QStringList order;                         // section names as written
    QMap<QString, QMap<QString, QString>> keys;   // upper-cased section -> upper-cased key -> value
};

inline QString ParseStrictIni(const QByteArray& bytes, Ini& ini)
{
    if (!bytes.endsWith("\r\n"))
        return QStringLiteral("the file does not end with CR LF");
    const QList<QByteArray> lines = bytes.left(bytes.size() - 2).split('\n');
    QString section;
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray raw = lines[i];
        if (i + 1 < lines.size()) {
            if (!raw.endsWith('\r'))
                return QStringLiteral("line %1 does not end with CR LF").arg(i + 1);
            raw.chop(1);
        }
        const QString line = QString::fromLatin1(raw);
        if (line.contains(QLatin1Char('\r')))
            return QStringLiteral("line %1 holds a bare CR").arg(i + 1);
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')) && line.size() > 2) {
            section = line.mid(1, line.size() - 2).toUpper();
            if (ini.keys.contains(section))
                return QStringLiteral("duplicate section [%1]").arg(section);
            ini.keys.insert(section, {});
            ini.order << section;
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return QStringLiteral("line %1 is neither a section, a key nor empty: %2").arg(i + 1).arg(line);
        if (section.isEmpty())
            return QStringLiteral("key outside a section on line %1").arg(i + 1);
        const QString key = line.left(eq).toUpper();
        if (key.trimmed() != key)
            return QStringLiteral("blank around the key on line %1").arg(i + 1);
        if (ini.keys[section].contains(key))
            return QStringLiteral("duplicate key %1 in [%2]").arg(key, section);
        ini.keys[section].insert(key, line.mid(eq + 1));
    }
    return QString();
}

inline bool ReadNumber(const QString& text, qlonglong& v)
{
    bool ok = false;
    v = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2).toLongLong(&ok, 16)
                                                                     : text.toLongLong(&ok, 10);
    return ok;
}

inline QString CheckEds(const QByteArray& bytes)
{
    Ini ini;
    if (QString e = ParseStrictIni(bytes, ini); !e.isEmpty())
        return e;
    // Object sections and their sub-sections.
    QMap<uint32_t, QSet<uint32_t>> subs;
    QSet<uint32_t> objects;
    for (const QString& s : ini.order) {
        const int at = s.indexOf(QLatin1String("SUB"));
        bool ok = false;
        const uint32_t index = s.left(at < 0 ? s.size() : at).toUInt(&ok, 16);
        if (!ok || (at < 0 ? s.size() : at) != 4)
            continue;   // not an object
        if (at < 0) {
            objects.insert(index);
            continue;
        }
        const uint32_t sub = s.mid(at + 3).toUInt(&ok, 16);
        if (!ok || sub > 0xFF)
            return QStringLiteral("[%1]: the sub-index is not a hexadecimal byte").arg(s);
        if (subs[index].contains(sub))
            return QStringLiteral("[%1]: sub-index 0x%2 twice").arg(s).arg(sub, 0, 16);
        subs[index].insert(sub);
    }
    for (auto it = subs.cbegin(); it != subs.cend(); ++it)
        if (!objects.contains(it.key()))
            return QStringLiteral("sub-sections of %1 without its section").arg(it.key(), 4, 16);
    for (uint32_t o : objects) {
        const QString name = QStringLiteral("%1").arg(o, 4, 16, QLatin1Char('0')).toUpper();
        const QMap<QString, QString>& k = ini.keys[name];
        const int have = int(subs.value(o).size());
        if (!k.contains(QStringLiteral("SUBNUMBER"))) {
            if (have)
                return QStringLiteral("[%1] has sub-sections but no SubNumber").arg(name);
            continue;
        }
        qlonglong n;
        if (!ReadNumber(k[QStringLiteral("SUBNUMBER")], n) || n != have)
            return QStringLiteral("[%1]: SubNumber=%2 but %3 sub-sections").arg(name, k[QStringLiteral("SUBNUMBER")]).arg(have);
    }
    // The object lists.
    QSet<uint32_t> listed;
    for (const char* list : {"MANDATORYOBJECTS", "OPTIONALOBJECTS", "MANUFACTUREROBJECTS"}) {
        const QString l = QLatin1String(list);
        if (!ini.keys.contains(l))
            return QStringLiteral("no [%1]").arg(l);
        const QMap<QString, QString>& k = ini.keys[l];
        qlonglong n;
        if (!ReadNumber(k.value(QStringLiteral("SUPPORTEDOBJECTS")), n) || n < 0)
            return QStringLiteral("[%1]: bad SupportedObjects").arg(l);
        if (k.size() != n + 1)
            return QStringLiteral("[%1]: %2 entries for SupportedObjects=%3").arg(l).arg(k.size() - 1).arg(n);
        for (qlonglong e = 1; e <= n; ++e) {
            qlonglong index;
            if (!ReadNumber(k.value(QString::number(e)), index) || index < 0 || index > 0xFFFF)
                return QStringLiteral("[%1]: entry %2 is not an object index").arg(l).arg(e);
            if (!objects.contains(uint32_t(index)))
                return QStringLiteral("[%1]: object 0x%2 has no section").arg(l).arg(index, 4, 16);
            if (listed.contains(uint32_t(index)))
                return QStringLiteral("object 0x%1 listed twice").arg(index, 4, 16);
            listed.insert(uint32_t(index));
        }
    }
    if (listed != objects)
        return QStringLiteral("an object section is not listed");
    // The PDO counts.
    int rx = 0, tx = 0;
    for (uint32_t o : objects) {
        rx += o >= 0x1400 && o <= 0x15FF;
        tx += o >= 0x1800 && o <= 0x19FF;
    }
    const QMap<QString, QString>& info = ini.keys.value(QStringLiteral("DEVICEINFO"));
    if (info.value(QStringLiteral("NROFRXPDO")) != QString::number(rx)
        || info.value(QStringLiteral("NROFTXPDO")) != QString::number(tx))
        return QStringLiteral("NrOfRXPDO/NrOfTXPDO do not count the PDO sections");
    return QString();
}

} // namespace edscheck
