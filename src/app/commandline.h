// The editor's command line. It is read before the application object exists:
// answers that need no display (help, version, mistakes, and later batch
// conversions) are given without connecting to one.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

struct CommandLine {
    std::optional<int> exitCode;  // set: end with this status without opening a window
    QString output;               // for standard output
    QString errors;               // for standard error, also when the editor starts
    QString picture;              // a picture file to open at start-up, or empty
};

// arguments[0] is the program. Qt's own options (-platform, -display, -style
// ...) are accepted and left to the application object.
CommandLine ParseCommandLine(const QStringList& arguments);

// Answers what needs no window (conversions, help, version, mistakes) with an
// application object on no display and the user's language installed, and
// returns the exit status; -1 when the editor is to start.
int AnswerWithoutWindow(const QStringList& arguments);

// The program's arguments as strings in the system's encoding.
QStringList ArgumentList(int argc, char* argv[]);
