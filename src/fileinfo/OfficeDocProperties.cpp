// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/OfficeDocProperties.h"

#include "core/TextUtil.h"
#include "fileinfo/OfficeDocReader.h"
#include "platform/InputFile.h"

#include <QFileInfo>

namespace {
const QString kSource = QStringLiteral("OfficeDocProperties");
// Documents are read into memory, never mapped (a mapped file that another
// program cuts short ends the process with SIGBUS), and only up to this size.
constexpr quint64 MaxDocumentRead = 128 * 1024 * 1024;

struct ExtensionEntry {
    const char* extension;
    qint32 application;
};

constexpr ExtensionEntry Extensions[] = {
    {"doc", OfficeDocProperties::AppWord},        {"dot", OfficeDocProperties::AppWord},
    {"xls", OfficeDocProperties::AppExcel},       {"ppt", OfficeDocProperties::AppPowerPoint},
    {"pot", OfficeDocProperties::AppPowerPoint},  {"docx", OfficeDocProperties::AppWord},
    {"dotx", OfficeDocProperties::AppWord},       {"xlsx", OfficeDocProperties::AppExcel},
    {"pptx", OfficeDocProperties::AppPowerPoint}, {"odt", OfficeDocProperties::AppWord},
    {"ods", OfficeDocProperties::AppExcel},       {"odp", OfficeDocProperties::AppPowerPoint},
};

struct PropertyName {
    const char* german;
    const char* english;
};

constexpr PropertyName Names[OfficeDocProperties::PropertyCount] = {
    {"Anwendung", "Application"},
    {"Autor", "Author"},
    {"Kategorie", "Category"},
    {"Kommentar", "Comments"},
    {"Firma", "Company"},
    {"Erstellt", "Creation date"},
    {"Schlagworte", "Keywords"},
    {"Bearbeiter", "Last author"},
    {"Bearbeitet", "Last save time"},
    {"Thema", "Subject"},
    {"Titel", "Title"},
};

DocPropertyValues readFile(const QString& path)
{
    InputFile file;
    if (!file.open(path, ReadAccess::KeepAccessTime) || file.size() == 0 ||
        file.size() > MaxDocumentRead)
        return {};
    const std::optional<QByteArray> bytes = file.readAll(MaxDocumentRead);
    if (!bytes)
        return {};
    return OfficeDocReader::read(ByteReader(*bytes));
}
} // namespace

OfficeDocProperties::OfficeDocProperties()
{
    m_messages.MsgArray = QStringList{
        QString(),
        QStringLiteral("Die Datei '##' ist nicht vorhanden."),
        QStringLiteral("Es wurde kein Dateiname angegeben."),
        QStringLiteral("Die Funktion kann nicht ausgeführt werden, da '##' nicht installiert oder "
                       "nicht korrekt registriert ist."),
        QStringLiteral("Fehler Nr. ##: ##"),
        QStringLiteral("Beim Erstellen des Objekts für '##' ist ein Fehler aufgetreten:@@##"),
        QStringLiteral("Es gibt keine Eigenschaft mit dem Aufzählungsindex '##'."),
    };
}

QStringList OfficeDocProperties::SupportedExtensions()
{
    QStringList list;
    for (const ExtensionEntry& e : Extensions)
        list.append(QString::fromLatin1(e.extension));
    return list;
}

qint32 OfficeDocProperties::ApplicationFor(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return AppNone;
    const QString extension = fileName.mid(dot + 1);
    for (const ExtensionEntry& e : Extensions) {
        if (extension.compare(QLatin1String(e.extension), Qt::CaseInsensitive) == 0)
            return e.application;
    }
    return AppNone;
}

bool OfficeDocProperties::AppIsAvailable(qint32 application) const
{
    return application >= AppWord && application <= AppPowerPoint;
}

qint32 OfficeDocProperties::GetProperties(QStringList& values)
{
    values = QStringList(PropertyCount, QString());
    if (m_filename.isEmpty()) {
        m_messages.ErrRaise(-NoFileName, kSource, QStringLiteral("GetProperties"));
        return 0;
    }
    const QString path = StripQuotes(m_filename);
    // Only a regular file is a document; folders and devices do not count.
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        m_messages.ErrRaise(-FileMissing, kSource, QStringLiteral("GetProperties"), QString(),
                            path);
        return 0;
    }
    if (ApplicationFor(path) == AppNone)
        return 0;
    try {
        const DocPropertyValues read = readFile(path);
        qint32 count = 0;
        for (int i = 0; i < PropertyCount; ++i) {
            values[i] = read[i];
            count += read[i].isEmpty() ? 0 : 1;
        }
        return count;
    } catch (...) {
        m_messages.ErrRaise(0, kSource, QStringLiteral("GetProperties"));
        throw;
    }
}

QString OfficeDocProperties::Translate(qint32 index, bool german) const
{
    if (index < 0 || index >= PropertyCount) {
        m_messages.ErrRaise(-NoSuchIndex, kSource, QStringLiteral("Translate"), QString(), index);
        return QString();
    }
    return QString::fromUtf8(german ? Names[index].german : Names[index].english);
}
