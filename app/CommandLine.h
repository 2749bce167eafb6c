// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace tintaro {

// What the program's arguments ask for.
struct CommandLine {
    enum class Action { Window, Help, Version, List, Set, Get, BadUsage };
    Action action = Action::Window;
    QString account; // --set, --get
    int colour = 0;  // --set: the colour value stored (red in the low byte)
    QString error;   // BadUsage: what is wrong
};

// Reads the arguments (the program's name first) and makes a folder given with --prefix the
// program's Wine prefix, Wine's included. Needs no application object.
CommandLine parseCommandLine(const QStringList& arguments);

// Runs an action that opens no window, printing to stdout and stderr. Returns the exit status:
// 0 done, 1 failed, 2 bad usage.
int runCommand(const CommandLine& line);

} // namespace tintaro
