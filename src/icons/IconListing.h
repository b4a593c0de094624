// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class JobContext;

// One shown icon: its key (unique in the list), its caption and its picture.
struct IconItem {
    QString key;
    QString text;
    QImage image;
};

// What the icon viewer lists for a folder: the icon files, the programs and
// libraries that hold icons, or the icons of one of them. Each listing runs
// as a job: it reports its progress, stops when cancelled (keeping what it
// read) and, when a file fails, asks whether to go on with the next.
class IconListing {
public:
    using AddItems = std::function<void(QList<IconItem>)>;
    using AddNames = std::function<void(QStringList)>;

    // Names are matched ignoring case; each file keeps its own name, so
    // "a.ico" and "A.ico" are two entries.
    static QStringList IconFiles(const QString& folder);
    // Programs first, then libraries, each in listing order.
    static QStringList Executables(const QString& folder);

    // Every icon file at size × size, keyed and captioned by its name.
    static void ListIconFiles(const QString& folder, int size, JobContext& context,
                              const AddItems& add);
    // The programs and libraries of the folder that hold at least one icon;
    // their icons are counted, not decoded.
    static void ListExecutables(const QString& folder, JobContext& context, const AddNames& add);
    // The icons of one program, decoded one by one: keys "A0", "A1" ...,
    // captions "0001", "0002" ...
    static void ListExecutableIcons(const QString& path, int size, JobContext& context,
                                    const AddItems& add);
};
