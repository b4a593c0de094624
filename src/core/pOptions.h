// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The user's options. Read by Init at start-up, written back (only what
// changed) when the object is released at shut-down.
class pOptions {
public:
    pOptions() = default;
    ~pOptions();
    pOptions(const pOptions&) = delete;
    pOptions& operator=(const pOptions&) = delete;

    void Init();
    // The write-back of the destructor, callable on its own.
    void Save() const;

    QString RenameSample;
    qint32 FontSize = 0;
    qint32 PicPreViewBackColor = 0;
    bool StartedByCmdLine = false; // one tool run alone; never stored
    bool MinToSysTray = false;
    bool ShowFileInfo = false;

private:
    bool m_initialised = false;
};
