// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// The help pages and their topic ids: the one table that both the context
// lookups and the contents of the help window are built from.
namespace HelpTopicId {
constexpr qint32 Contents = 0;
constexpr qint32 MainWindow = 10;
constexpr qint32 Properties = 11;
constexpr qint32 Masks = 20;
constexpr qint32 UserFileMenu = 21;
constexpr qint32 Rename = 30;
constexpr qint32 FileTimes = 40;
constexpr qint32 ComponentRegistration = 50;
constexpr qint32 DirComp = 60;
constexpr qint32 RegView = 70;
constexpr qint32 Icons = 80;
constexpr qint32 Slideshow = 90;
constexpr qint32 Calculators = 100;
constexpr qint32 TapeCalculator = 101;
constexpr qint32 TimeCalculator = 102;
constexpr qint32 InterestCalculator = 103;
constexpr qint32 Settings = 110;
constexpr qint32 CommandLine = 111;
constexpr qint32 Companion = 120;
constexpr qint32 OnLinux = 130;
constexpr qint32 About = 140;
} // namespace HelpTopicId

struct HelpTopic {
    qint32 id;
    qint32 parent;    // id of the topic it belongs under; -1 at the top
    const char* page; // file in the help folder, with "#anchor" for a part of it
    const char* title;
};

// Every topic in contents order; the first is the default topic.
const QList<HelpTopic>& HelpTopics();
// The topic of an id; the default topic for an id the table does not hold.
const HelpTopic& HelpTopicById(qint32 id);
// The topic a page (with or without "#anchor") belongs to; null when none.
const HelpTopic* HelpTopicByPage(const QString& page);

// The topic F1 shows in a tool window, by the window's object or class name;
// the contents for a window without a topic of its own.
qint32 HelpTopicOfWindow(const QString& windowName);
