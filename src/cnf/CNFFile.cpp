// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFFile.h"

#include "cnf/CNFLineSource.h"
#include "cnf/CNFMessages.h"
#include "cnf/CNFReader.h"
#include "cnf/CNFSeal.h"
#include "cnf/CNFWriter.h"
#include "core/SafeFileWriter.h"
#include "core/TextUtil.h"
#include "core/UserFileRead.h"
#include "platform/InputFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

#include <utility>

namespace {
const QString kSource = QStringLiteral("CNFFile");

void processPendingEvents()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app && app->thread() == QThread::currentThread())
        QCoreApplication::processEvents();
}

// A status or event handler must not start another read of the same
// document: the reader holds on to the model it is filling.
class ReadGuard {
public:
    ReadGuard(bool& reading, const QString& procedure) : m_reading(reading)
    {
        if (m_reading)
            CNFMessages::RaiseText(
                RuntimeErrorInUse, kSource, procedure,
                QStringLiteral("Der Einlesevorgang muss zuerst beendet werden."));
        m_reading = true;
    }
    ~ReadGuard() { m_reading = false; }
    ReadGuard(const ReadGuard&) = delete;
    ReadGuard& operator=(const ReadGuard&) = delete;

private:
    static constexpr qint32 RuntimeErrorInUse = 5;
    bool& m_reading;
};
} // namespace

CNFFile::CNFFile(QObject* parent) : QObject(parent), m_pump(processPendingEvents)
{
    m_err.MsgArray = CNFMessages::Array();
}

CNFFile::~CNFFile() = default;

CNFSections& CNFFile::Sections()
{
    if (!m_sections)
        m_sections = std::make_unique<CNFSections>();
    return *m_sections;
}

bool CNFFile::Dirty() const
{
    return m_sections && m_sections->Dirty();
}

void CNFFile::ClearDirty()
{
    if (m_sections)
        m_sections->ClearDirty();
}

CNFSections& CNFFile::FileRead(const QString& fileName)
{
    const QString procedure = QStringLiteral("FileRead");
    ReadGuard guard(m_reading, procedure);
    if (!fileName.isEmpty())
        Filename = fileName;
    m_sections = std::make_unique<CNFSections>();
    m_cancel = false;
    const QString path = StripQuotes(Filename);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir())
        m_err.ErrRaise(-CNFMessages::FileMissing, kSource, procedure, {}, path);
    Q_EMIT Status(QStringLiteral("Datei wird geöffnet ..."), 0);
    try {
        InputFile file;
        std::vector<QByteArray> chunks;
        if (!file.open(path) || !CNFLineSource::ReadChunks(file, MaxFileSize, chunks, m_pump))
            RaiseUserFileError(file, path, MaxFileSize, kSource + QStringLiteral(": X_FileRead"));
        file.close();
        return X_FileRead(std::move(chunks));
    } catch (...) {
        m_err.ErrRaise(0, kSource, procedure);
        throw;
    }
}

CNFSections& CNFFile::BufferRead(const QByteArray& bytes)
{
    const QString procedure = QStringLiteral("BufferRead");
    ReadGuard guard(m_reading, procedure);
    m_sections = std::make_unique<CNFSections>();
    m_cancel = false;
    try {
        return X_FileRead({bytes});
    } catch (...) {
        m_err.ErrRaise(0, kSource, procedure);
        throw;
    }
}

CNFSections& CNFFile::BufferRead(const QString& text)
{
    const QString procedure = QStringLiteral("BufferRead");
    if (!CrypPassword.isEmpty())
        return BufferRead(text.toLatin1());
    ReadGuard guard(m_reading, procedure);
    m_sections = std::make_unique<CNFSections>();
    m_cancel = false;
    try {
        if (text.startsWith(QString::fromLatin1(CNFSeal::Marker()), Qt::CaseInsensitive))
            m_err.ErrRaise(-CNFMessages::SealedWithoutPassword, kSource,
                           QStringLiteral("X_FileRead"));
        CNFLineSource lines(text);
        return Parse(lines);
    } catch (...) {
        m_err.ErrRaise(0, kSource, procedure);
        throw;
    }
}

CNFSections& CNFFile::X_FileRead(std::vector<QByteArray> chunks)
{
    const QString procedure = QStringLiteral("X_FileRead");
    // A file begins with the marker only when its first chunk does: the
    // marker holds no line feed.
    if (CrypPassword.isEmpty()) {
        if (CNFSeal::HasMarker(chunks.front()))
            m_err.ErrRaise(-CNFMessages::SealedWithoutPassword, kSource, procedure);
    } else {
        QByteArray sealed;
        qsizetype total = 0;
        for (const QByteArray& chunk : chunks)
            total += chunk.size();
        sealed.reserve(total);
        for (QByteArray& chunk : chunks)
            sealed += std::exchange(chunk, QByteArray());
        QByteArray opened;
        switch (CNFSeal::Open(sealed, CrypPassword.toUtf8(), opened)) {
        case CNFSeal::OpenResult::NotSealed:
            m_err.ErrRaise(-CNFMessages::NotSealed, kSource, procedure);
            break;
        case CNFSeal::OpenResult::WrongPassword:
            m_err.ErrRaise(-CNFMessages::ChecksumMismatch, kSource, procedure);
            break;
        case CNFSeal::OpenResult::Opened:
            break;
        }
        chunks = {std::move(opened)};
    }
    CNFLineSource lines(std::move(chunks), Unicode, m_pump);
    return Parse(lines);
}

CNFSections& CNFFile::Parse(CNFLineSource& lines)
{
    if (lines.IsEmpty())
        m_err.ErrRaise(-CNFMessages::NoEntries, kSource, QStringLiteral("X_FileRead"), {},
                       Filename);
    Q_EMIT Status(QStringLiteral("Puffer wird analysiert ..."), 0);
    CNFReader::Setup setup;
    setup.keys.commentChar = CommentChar;
    setup.keys.removeComments = RemoveComments;
    setup.keys.removeTrailingTabs = RemoveTrailingTabs;
    setup.keys.carriageReturn = CarriageReturnChar;
    setup.wholeKeyLines = WholeKeyLines;
    setup.fileName = Filename;
    setup.status = [this](const QString& text, qint32 percent) { Q_EMIT Status(text, percent); };
    setup.pump = m_pump ? m_pump : [] {};
    setup.cancel = &m_cancel;
    CNFReader reader(setup, m_err);
    Header = reader.Read(lines, *m_sections);
    m_sections->ClearDirty();
    return *m_sections;
}

QString CNFFile::Text(bool blankLines) const
{
    CNFWriter::Setup setup;
    setup.carriageReturn = CarriageReturnChar;
    setup.blankLines = blankLines;
    return CNFWriter::Text(Header, m_sections.get(), setup);
}

QString CNFFile::GetText() const
{
    return Text(false);
}

bool CNFFile::FileWrite()
{
    const QString procedure = QStringLiteral("FileWrite");
    const QString path = StripQuotes(Filename);
    if (path.isEmpty())
        CNFMessages::RaiseText(CNFMessages::BadFileName, kSource, procedure,
                               QStringLiteral("Es wurde kein Dateiname angegeben."));
    const QString text = Text(OnSaveInsertCR);
    QByteArray bytes = text.toUtf8();
    if (CrypPassword.isEmpty()) {
        if (CNFSeal::HasMarker(bytes))
            m_err.ErrRaise(-CNFMessages::MarkerInPlainText, kSource, procedure);
    } else {
        if (!CNFSeal::PasswordFits(CrypPassword.toUtf8()))
            m_err.ErrRaise(-CNFMessages::PasswordTooLong, kSource, procedure);
        bytes = CNFSeal::Seal(bytes, CrypPassword.toUtf8());
    }
    try {
        FilePut(path, bytes);
    } catch (...) {
        m_err.ErrRaise(0, kSource, procedure);
        throw;
    }
    ClearDirty();
    return true;
}

void CNFFile::FilePut(const QString& path, const QByteArray& bytes) const
{
    try {
        SafeFileWriter::WriteFile(path, bytes);
    } catch (...) {
        m_err.ErrRaise(0, kSource, QStringLiteral("FilePut"));
        throw;
    }
}
