// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "icons/IconListing.h"

#include <QList>
#include <QString>

// What the icon viewer shows, without the window: the folder and what it
// offers, the chosen source and size, the shown icons, and where and how
// a shown icon is saved.
class IconViewState {
public:
    enum Source { IconFiles = 0, Executables = 1 };

    // Looks at the folder (a trailing "/" is added); false when it holds
    // neither icon files nor programs or libraries.
    bool Open(const QString& folder);
    const QString& Folder() const { return m_folder; }
    bool HasIconFiles() const { return m_hasIconFiles; }
    bool HasExecutables() const { return m_hasExecutables; }

    Source source = IconFiles;
    int size = 32;
    QString executable; // the program whose icons are shown (executable mode)

    // "Icons: " and the folder, in executable mode with the program's name.
    QString Caption() const;

    // The shown icons in list order; keys are unique.
    QList<IconItem> items;
    const IconItem* Item(const QString& key) const;

    // Saving. The background colour value lies behind a bitmap's transparent
    // parts (red in the low byte; 0x80000000 and up a system colour).
    quint32 backColor = 0xFFFFFF;
    QString lastSaveFolder; // empty: the home folder
    QString SaveStartFolder() const;
    // The name the save dialog proposes: the caption without its extension.
    static QString ProposedName(const IconItem& item);

private:
    QString m_folder;
    bool m_hasIconFiles = false;
    bool m_hasExecutables = false;
};
