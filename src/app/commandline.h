// The editor's command line. It is read before the application object exists:
// answers that need no display (help, version, mistakes, the conversions) are
// given without connecting to one. Every option, the conversions' included, is
// a row of one table in commandoptions.cpp; --help is written from it.
#pragma once

#include <QString>
#include <QStringList>

#include "app/command.h"

namespace lp {

// arguments[0] is the program. Qt's own options (-platform, -display, -style
// ...) are accepted and left to the application object. Mistakes end with
// status 2 and one line in `errors`.
CommandLine ParseCommandLine(const QStringList& arguments);

// Runs the conversion a command line without mistakes asks for and returns
// the exit status: 0 done, 1 failed (one line on standard error). -1 when it
// asks for none.
int RunConversion(const CommandLine& command);

// Answers what needs no window (help, version, mistakes, the conversions)
// with an application object on no display and the user's language
// installed, and returns the exit status; -1 when the editor is to start.
int AnswerWithoutWindow(const QStringList& arguments);

// The program's arguments as strings in the system's encoding.
QStringList ArgumentList(int argc, char* argv[]);

}  // namespace lp
