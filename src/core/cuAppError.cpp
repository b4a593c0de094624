// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/cuAppError.h"

#include "core/MessageTable.h"
#include "platform/MessageBoxService.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

#include <limits>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kOwnSource = QStringLiteral("Tolvane");
QString g_helpFile;

// Values arrive as any type; numbers and dates are shown as the user writes them.
QString argText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QLocale().toString(value.toDouble(), 'g', 15);
    case QMetaType::QDateTime:
        return QLocale().toString(value.toDateTime(), QLocale::ShortFormat);
    case QMetaType::QDate:
        return QLocale().toString(value.toDate(), QLocale::ShortFormat);
    default:
        return value.toString();
    }
}

void replaceFirst(QString& text, const QString& find, const QString& with)
{
    const qsizetype at = text.indexOf(find, 0, Qt::CaseInsensitive);
    if (at >= 0)
        text.replace(at, find.size(), with);
}

AppErrorRecord currentRecord()
{
    return AppErrorRecord::fromException(std::current_exception());
}
} // namespace

cuAppError::cuAppError() : AppName(QStringLiteral("Tolvane")), Projectname(kOwnSource) {}

void cuAppError::SetApplicationHelpFile(const QString& path)
{
    g_helpFile = path;
}

QString cuAppError::ApplicationHelpFile()
{
    return g_helpFile;
}

QString cuAppError::DefaultHelpFile() const
{
    if (g_helpFile.isEmpty() || g_helpFile.contains(QLatin1Char('/')))
        return g_helpFile;
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + g_helpFile;
}

bool cuAppError::IsOwnSource(const QString& source) const
{
    return source.compare(Projectname, Qt::CaseInsensitive) == 0;
}

QString cuAppError::GetMsg(qint32 number) const
{
    const qint64 index = number < 0 ? -qint64(number) : qint64(number);
    if (!MsgArray) {
        const QString text = MessageTable::text(index > MessageTable::Last ? 0 : int(index));
        if (text.isNull())
            throw AppErrorRecord(
                RuntimeError::ResourceNotFound, kOwnSource,
                QStringLiteral("Ressource mit dem Bezeichner '%1' nicht gefunden.").arg(index));
        return text;
    }
    if (index >= MsgArray->size())
        throw AppErrorRecord(RuntimeError::SubscriptOutOfRange, kOwnSource,
                             QStringLiteral("Index außerhalb des gültigen Bereichs."));
    return MsgArray->at(index);
}

QString cuAppError::MsgParse(const QString& text, const QVariant& arg1, const QVariant& arg2)
{
    if (text.isEmpty())
        return text;
    QString result = text;
    result.replace(QLatin1String("@@"), kCrLf);
    // arg2 only ever fills the second placeholder, so it waits for arg1.
    if (!arg1.isNull() && result.contains(QLatin1String("##"))) {
        replaceFirst(result, QStringLiteral("##"), argText(arg1));
        if (!arg2.isNull() && result.contains(QLatin1String("##")))
            replaceFirst(result, QStringLiteral("##"), argText(arg2));
    }
    return result;
}

QString cuAppError::MsgLoad(qint32 number, const QVariant& arg1, const QVariant& arg2) const
{
    const QString text = GetMsg(number);
    return text.isEmpty() ? text : MsgParse(text, arg1, arg2);
}

int cuAppError::MsgShow(MsgShowArgs& args) const
{
    args.text = args.text.isEmpty() ? MsgLoad(args.number, args.arg1, args.arg2)
                                    : MsgParse(args.text, args.arg1, args.arg2);
    MessageBoxService::pushArrowCursor();
    if (args.title.isEmpty())
        args.title = AppName;
    if (args.helpContext >= 0) {
        if (args.helpFile.isEmpty() && !g_helpFile.isEmpty())
            args.helpFile = DefaultHelpFile();
        if (!args.helpFile.isEmpty())
            args.buttons |= MsgStyle::HelpButton;
    }
    const int answer = MessageBoxService::show(
        {args.text, args.title, args.buttons, args.helpFile, args.helpContext});
    MessageBoxService::popCursor();
    return answer;
}

int cuAppError::MsgShow(qint32 number, int buttons, const QVariant& arg1,
                        const QVariant& arg2) const
{
    MsgShowArgs args;
    args.number = number;
    args.buttons = buttons;
    args.arg1 = arg1;
    args.arg2 = arg2;
    return MsgShow(args);
}

int cuAppError::MsgShowText(const QString& text, int buttons, const QString& title) const
{
    MsgShowArgs args;
    args.text = text;
    args.buttons = buttons;
    args.title = title;
    return MsgShow(args);
}

cuAppError::ErrorBox cuAppError::ErrMsgBox(const AppErrorRecord& e, const QString& module,
                                           const QString& procedure, QString helpFile,
                                           qint32 helpContext) const
{
    ErrorBox box;
    if (ErrLevel <= 0)
        return box;
    QString a = module;
    QString lineText;
    if (ErrLevel == 2) {
        const QString s = IsOwnSource(e.Source) ? QString() : e.Source;
        if (e.Line != 0)
            lineText = QStringLiteral("Zeile: %1").arg(e.Line);
        if (a.isEmpty())
            a = s;
        else if (!s.isEmpty())
            a = s + QStringLiteral(" | ") + a;
        if (!procedure.isEmpty())
            a = a.isEmpty() ? procedure : a + QStringLiteral(": ") + procedure;
        if (!a.isEmpty())
            lineText = lineText.isEmpty() ? a : lineText + kCrLf + a;
    }
    box.text = lineText.isEmpty() ? e.Description : lineText + kCrLf + kCrLf + e.Description;
    box.title = AppName + QStringLiteral(" <Fehler Nr. %1>").arg(e.Number);
    box.style = MsgStyle::Critical;
    if (helpContext >= 0) {
        if (helpFile.isEmpty())
            helpFile = DefaultHelpFile();
        box.style = MsgStyle::Critical | MsgStyle::HelpButton;
    }
    return box;
}

void cuAppError::ErrMsg(const AppErrorRecord& e, const QString& module, const QString& procedure,
                        QString helpFile, qint32 helpContext) const
{
    if (ErrLevel <= 0)
        return;
    const ErrorBox box = ErrMsgBox(e, module, procedure, helpFile, helpContext);
    if (helpContext >= 0 && helpFile.isEmpty())
        helpFile = DefaultHelpFile();
    MessageBoxService::setArrowCursor();
    MessageBoxService::show({box.text, box.title, box.style, helpFile, helpContext});
}

void cuAppError::ErrMsg(const QString& module, const QString& procedure, QString helpFile,
                        qint32 helpContext) const
{
    ErrMsg(currentRecord(), module, procedure, std::move(helpFile), helpContext);
}

void cuAppError::ErrRaise(qint32 number, const QString& source, const QString& procedure,
                          const QString& description, const QVariant& arg1, const QVariant& arg2,
                          qint32 helpContext, QString helpFile) const
{
    if (std::current_exception()) {
        const AppErrorRecord caught = currentRecord();
        ErrRaiseFrom(&caught, number, source, procedure, description, arg1, arg2, helpContext,
                     std::move(helpFile));
    } else {
        ErrRaiseFrom(nullptr, number, source, procedure, description, arg1, arg2, helpContext,
                     std::move(helpFile));
    }
}

void cuAppError::ErrRaiseFrom(const AppErrorRecord* caught, qint32 number, const QString& source,
                              const QString& procedure, const QString& description,
                              const QVariant& arg1, const QVariant& arg2, qint32 helpContext,
                              QString helpFile) const
{
    const qint32 n = caught ? caught->Number : 0;
    const QString s = (caught && !IsOwnSource(caught->Source)) ? caught->Source : QString();
    const QString d = caught ? caught->Description : QString();
    const qint32 l = caught ? caught->Line : 0;
    if (number == 0 && n == 0)
        return;

    QString text = description;
    if (number < 0) {
        text = GetMsg(number);
        const qint64 raised = qint64(number) + ErrorBase + ErrOffset;
        if (raised < std::numeric_limits<qint32>::min() ||
            raised > std::numeric_limits<qint32>::max())
            throw AppErrorRecord(RuntimeError::Overflow, kOwnSource, QStringLiteral("Überlauf."));
        number = qint32(raised);
    } else if (number == 0) {
        number = n;
    }
    text = text.isEmpty() ? d : MsgParse(text, arg1, arg2);
    if (text.isEmpty())
        text = QStringLiteral("Keine Fehlerbeschreibung verfügbar.");

    QString chain = source;
    if (chain.isEmpty())
        chain = s;
    else if (!s.isEmpty())
        chain = s + QStringLiteral(" | ") + chain;
    if (!procedure.isEmpty()) {
        chain = chain.isEmpty() ? procedure : chain + QStringLiteral(": ") + procedure;
        if (l != 0)
            chain += QStringLiteral(" (%1)").arg(l);
    }
    if (helpContext > 0 && helpFile.isEmpty())
        helpFile = DefaultHelpFile();
    MessageBoxService::setArrowCursor();
    throw AppErrorRecord(number, chain, text, 0, helpFile, helpContext);
}

void cuAppError::ErrStore()
{
    ErrStore(currentRecord());
}

void cuAppError::ErrStore(const AppErrorRecord& e)
{
    m_storedNumber = e.Number;
    m_storedSource = e.Source;
    m_storedDescription = e.Description;
    m_storedLine = e.Line;
}

void cuAppError::ErrRaiseStored(const QString& source, const QString& procedure) const
{
    QString chain =
        source.isEmpty() ? m_storedSource : m_storedSource + QStringLiteral(" | ") + source;
    if (!procedure.isEmpty())
        chain += QStringLiteral(": ") + procedure;
    if (m_storedLine > 0)
        chain = chain.isEmpty() ? QStringLiteral("Zeile %1").arg(m_storedLine)
                                : chain + QStringLiteral(" (%1)").arg(m_storedLine);
    MessageBoxService::setArrowCursor();
    throw AppErrorRecord(m_storedNumber, chain, m_storedDescription);
}
