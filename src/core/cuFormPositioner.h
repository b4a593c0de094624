// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Registry.h"

#include <QString>

class FormPlacementTarget;

// Remembers a window's size, position and maximized state under a settings
// key (values in twips) and restores them so the window lands on the desktop.
class cuFormPositioner {
public:
    cuFormPositioner() = default;
    // With AutoSave (the default) the position is saved here.
    ~cuFormPositioner();
    cuFormPositioner(const cuFormPositioner&) = delete;
    cuFormPositioner& operator=(const cuFormPositioner&) = delete;

    bool AutoSave = true;
    qint32 ForcedState = 0; // 0 as stored, 1 minimize after restoring, 2 always maximized
    QString RegKey;         // empty: nothing is loaded or saved
    HKEY RegHKey = HKEY_CURRENT_USER;

    void SetForm(FormPlacementTarget* form) { m_form = form; }
    void SetMinHeight(qint32 twips) { m_minHeight = twips; }
    void SetMinWidth(qint32 twips) { m_minWidth = twips; }

    void LoadPosition();
    void SavePosition();

private:
    FormPlacementTarget* m_form = nullptr;
    qint32 m_minHeight = 0;
    qint32 m_minWidth = 0;
};
