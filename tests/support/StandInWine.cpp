// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/StandInWine.h"

#include "platform/PeFile.h"
#include "support/PeWriter.h"
#include "support/VersionNode.h"

#include <QFile>

namespace {
// Runs with a PATH of its own: the test may have taken every Wine off it.
const char* const kScript = R"(#!/bin/sh
PATH=/usr/bin:/bin
here=$(dirname "$0")
printf '%s|%s|%s|%s\n' "$*" "$WINEPREFIX" "$WINEDLLOVERRIDES" "$WINEDEBUG" >> "$here/calls.log"
if [ "$1" = winepath ]; then
  printf 'Z:%s\n' "$3" | tr / '\\'
  exit 0
fi
if [ -f "$here/sleep" ]; then
  echo $$ > "$here/sleeper.pid"
  exec sleep 1000
fi
exit $(cat "$here/exitcode" 2>/dev/null || echo 0)
)";
} // namespace

StandInWine::StandInWine(const char* named, bool onPath)
{
    QFile::setPermissions(m_dir.writeFile(u(named), kScript),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                              QFile::ReadOther | QFile::ExeOther);
    qputenv("PATH", (onPath ? m_dir.path() : m_dir.filePath(u("none"))).toUtf8());
    // Both exist from the start: a call not made reads as none.
    m_dir.writeFile(u("calls.log"));
    m_dir.writeFile(u("sleeper.pid"));
}

QStringList StandInWine::calls() const
{
    return QString::fromUtf8(TempDir::contents(m_dir.filePath(u("calls.log"))))
        .split(u'\n', Qt::SkipEmptyParts);
}

int StandInWine::sleeperPid() const
{
    return TempDir::contents(m_dir.filePath(u("sleeper.pid"))).trimmed().toInt();
}

QByteArray ComServerImage(const QString& fileVersion, bool pe32Plus, const QStringList& exports)
{
    QList<std::pair<QString, QString>> entries{{u("CompanyName"), u("Beispiel")}};
    if (!fileVersion.isEmpty())
        entries.append({u("FileVersion"), fileVersion});
    PeWriter w;
    w.pe32Plus = pe32Plus;
    w.exports = exports;
    w.add(
        PeFile::RtVersion, 1, 0x0407,
        VersionNode::root({0x00020003, 0x0004007B}, {VersionNode::strings(u("040704B0"), entries),
                                                     VersionNode::translations({{0x0407, 0x04B0}})})
            .serialize());
    return w.build();
}
