// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// "/Slideshow PATH" on the command line: a folder's pictures, or those of
// the folders a slideshow command file names, after the user confirmed
// (message 154), in a window of their own that is the run's only window.
class pCmdSlideshow {
public:
    // True when PATH made an absolute path, whatever followed (the main
    // window then stays closed); false lets the command line go on. A run
    // that opens no window sets the exit code: 0 after Cancel, else 1.
    // A command file that cannot be read, or holds a bad value, raises.
    bool Run(const QString& path);

    // What ends the run once the show's window closes (start-up's shut-down).
    std::function<void()> ShutDown;
};
