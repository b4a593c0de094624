// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/pPicViewer.h"

#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/TextUtil.h"
#include "core/cuAppError.h"

#include <QDirIterator>

namespace {
constexpr qint32 kDefaultInterval = 5000;
constexpr qint32 kMinimumInterval = 1000;
} // namespace

pPicViewer::pPicViewer()
{
    Init();
}

pPicViewer::~pPicViewer()
{
    if (!m_intervalChanged)
        return;
    try {
        AppSaveSetting(akPicViewer, QStringLiteral("SlideShowInterval"),
                       QString::number(m_interval));
    } catch (...) {
        // A destructor cannot report; the interval is simply not kept.
    }
}

QString pPicViewer::DefaultPattern()
{
    return QStringLiteral("bmp;jpg;jpeg;png;gif;webp;tif;tiff");
}

void pPicViewer::Init()
{
    try {
        bool ok = false;
        const qint64 color =
            AppGetSettingDefault(akPicViewer, QStringLiteral("BackColor"), QStringLiteral("0"))
                .trimmed()
                .toLongLong(&ok);
        m_backColor = ok ? qint32(color) : 0;

        const qint64 interval =
            AppGetSettingDefault(akPicViewer, QStringLiteral("SlideShowInterval"),
                                 QStringLiteral("5000"))
                .trimmed()
                .toLongLong(&ok);
        m_interval = (ok && interval >= kMinimumInterval && interval <= INT32_MAX)
                         ? qint32(interval)
                         : kDefaultInterval;

        m_pattern = AppGetSettingDefault(akPicViewer, QStringLiteral("Pattern"), DefaultPattern());
        m_maskArray.clear();
        SplitList(m_pattern, m_maskArray, QStringLiteral(";"));
        m_patternFilter.clear();
        for (const QString& extension : m_maskArray) {
            AddToString(m_patternFilter,
                        QStringLiteral("*. ") + extension + QLatin1Char('|') +
                            QStringLiteral("*.") + extension,
                        QStringLiteral("|"), false);
        }
    } catch (...) {
        AppErr().ErrRaise(0, QStringLiteral("pPicViewer"), QStringLiteral("Init"));
    }
}

void pPicViewer::SetSlideShowInterval(qint32 milliseconds)
{
    if (milliseconds != m_interval)
        m_intervalChanged = true;
    m_interval = milliseconds;
}

bool pPicViewer::FileIsPic(const QString& fileName) const
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString extension = fileName.mid(dot + 1);
    if (extension.isEmpty())
        return false;
    for (const QString& mask : m_maskArray) {
        if (QString::compare(mask, extension, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool pPicViewer::PathHasPics(const QString& folder) const
{
    if (folder.isEmpty())
        return false;
    QStringList filters;
    for (const QString& extension : m_maskArray) {
        if (!extension.isEmpty())
            filters.append(QStringLiteral("*.") + extension);
    }
    if (filters.isEmpty())
        return false;
    // Stops at the first match: a folder of many thousand files is not read to the end.
    QDirIterator it(AddTrailing(folder, QLatin1Char('/')), filters,
                    QDir::Files | QDir::NoDotAndDotDot);
    return it.hasNext();
}

QString pPicViewer::FilePatternText() const
{
    QString text;
    for (const QString& extension : m_maskArray) {
        if (!extension.isEmpty())
            AddToString(text, QStringLiteral("*.") + extension, QStringLiteral(";"), false);
    }
    return text;
}
