// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Date and time texts in the user's locale, as the desktop writes them. The
// values are local times without a zone, so the zone that Qt's long time
// format carries is left out.

// The locale's long time format without its time-zone part ("HH:mm:ss").
QString LongTimeFormat(const QLocale& locale = QLocale());
// The locale's short date with a four-digit year and the long time, the way a
// date value reads when it is turned into text ("01.02.2020 11:00:00"). A null
// value gives an empty text; a value at exactly midnight gives the date alone.
QString GeneralDateText(const QDateTime& value, const QLocale& locale = QLocale());
