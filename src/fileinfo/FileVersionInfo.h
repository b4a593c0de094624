// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class VersionResource;
struct VsFixedFileInfo;

// The version resource of an executable file (program, library, driver,
// font): the fixed block's numbers as display texts and the first
// translation's string table. Load it by setting FullPathName, then check
// Available.
class FileVersionInfo {
public:
    QString FullPathName() const { return m_fullPathName; }
    // Stores the absolute form of the path and reads the file; an empty path
    // changes nothing.
    void setFullPathName(const QString& path);

    bool Available() const { return m_available; }
    QString FileFlags() const { return m_fileFlags; }
    QString FileOS() const { return m_fileOS; }
    QString FileType() const { return m_fileType; }
    QString FileSubType() const { return m_fileSubType; }
    QString Comments() const { return m_comments; }
    QString CompanyName() const { return m_companyName; }
    QString FileDescription() const { return m_fileDescription; }
    // The string table's "FileVersion", else the fixed block's text.
    QString FileVersion() const;
    quint32 FileVersionMajor() const { return m_major; }
    quint32 FileVersionMinor() const { return m_minor; }
    // Up to ten digits (third part as "00" then fourth as "00"), so 64 bits.
    qint64 FileVersionRevision() const { return m_revision; }
    QString InternalName() const { return m_internalName; }
    QString Language() const { return m_language; }
    QString LegalCopyright() const { return m_legalCopyright; }
    QString LegalTrademarks() const { return m_legalTrademarks; }
    QString OriginalFilename() const { return m_originalFilename; }
    QString ProductName() const { return m_productName; }
    // The string table's "ProductVersion", else the fixed block's text.
    QString ProductVersion() const;

    // Reads the file named by FullPathName again.
    void Refresh();
    // Reads the version resource of a PE image held in memory.
    void RefreshFromData(const QByteArray& image);

    // "1.00.0045": major, minor as "00", then the fourth part as "0000" when
    // the third is 0, else third and fourth as "00" each.
    static QString VersionText(quint32 ms, quint32 ls);
    static qint64 VersionRevision(quint32 ls);
    static QString FlagsText(quint32 flags);
    static QString OSText(quint32 os);
    static QString TypeText(quint32 type);
    // Empty when the type has no subtypes or the subtype is not known.
    static QString SubTypeText(quint32 type, quint32 subtype);

private:
    void clear();
    void apply(const VersionResource& resource);
    void applyFixed(const VsFixedFileInfo& fixed);
    void applyStrings(const VersionResource& resource);

    QString m_fullPathName;
    bool m_available = false;
    QString m_fileVersionText;
    QString m_productVersionText;
    QString m_fileFlags;
    QString m_fileOS;
    QString m_fileType;
    QString m_fileSubType;
    quint32 m_major = 0;
    quint32 m_minor = 0;
    qint64 m_revision = 0;
    QString m_language;
    QString m_companyName;
    QString m_fileDescription;
    QString m_stringFileVersion;
    QString m_internalName;
    QString m_legalCopyright;
    QString m_legalTrademarks;
    QString m_originalFilename;
    QString m_productName;
    QString m_stringProductVersion;
    QString m_comments;
};
