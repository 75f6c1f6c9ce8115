#pragma once
#include "program_folder.h"

#include <QFile>
#include <QString>
#include <QStringList>

// A stand-in for an updater program: a /bin/sh script in the program folder
// under the updater's name. Every run appends a line to <name>.runs; the
// recording kind also writes its arguments one per line to <name>.args and
// copies Ethernet_Update.xml, when present, to <name>.xml; the held kind
// runs until ReleaseStandIn (at most 10 s).
enum class StandInKind { Record, Held, Fail, Hang };

inline QString WriteStandIn(const TempProgramFolder& folder, const QString& name, StandInKind kind)
{
    QByteArray script = "#!/bin/sh\n"
                        "d=$(dirname \"$0\")\n"
                        "n=$(basename \"$0\")\n"
                        "echo run >> \"$d/$n.runs\"\n";
    switch (kind) {
    case StandInKind::Record:
        script += ": > \"$d/$n.args\"\n"
                  "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$d/$n.args\"; done\n"
                  "if [ -f \"$d/Ethernet_Update.xml\" ]; then cp \"$d/Ethernet_Update.xml\" \"$d/$n.xml\"; fi\n";
        break;
    case StandInKind::Held:
        script += "i=0\n"
                  "while [ ! -f \"$d/$n.go\" ] && [ $i -lt 500 ]; do sleep 0.02; i=$((i+1)); done\n";
        break;
    case StandInKind::Fail:
        script += "exit 3\n";
        break;
    case StandInKind::Hang:
        script += "exec sleep 30\n";
        break;
    }
    const QString path = folder.Write(name, script);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// Lets a held stand-in end.
inline void ReleaseStandIn(const TempProgramFolder& folder, const QString& name)
{
    folder.Write(name + QStringLiteral(".go"), "");
}

inline int StandInRuns(const TempProgramFolder& folder, const QString& name)
{
    return int(folder.Read(name + QStringLiteral(".runs")).count('\n'));
}

inline QStringList StandInArguments(const TempProgramFolder& folder, const QString& name)
{
    QString text = QString::fromUtf8(folder.Read(name + QStringLiteral(".args")));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}
