// The editor's command line. It is read before the application object exists:
// answers that need no display (help, version, mistakes, the conversions) are
// given without connecting to one. Every option, the conversions' included, is
// a row of one table in commandline.cpp; --help is written from it.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace lp {

// What the command line asks for besides the window.
enum class Conversion { None, ExportIlda, ImportIlda, Trace, Text };

struct CommandLine {
    std::optional<int> exitCode;  // set: end with this status without opening a window
    QString output;               // for standard output
    QString errors;               // for standard error, also when the editor starts
    QString picture;              // a picture file to open at start-up, or empty

    Conversion conversion = Conversion::None;
    QStringList paths;               // a conversion's files, in order
    QHash<QString, QString> values;  // options given, by long name; flags hold an empty value

    bool isSet(const QString& name) const { return values.contains(name); }
    QString value(const QString& name) const { return values.value(name); }
    // A number option's value, already checked against its range.
    std::optional<int> number(const QString& name) const;
};

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

// The one writer of the conversions' messages: the program's name and the
// message as one line on standard error.
void CommandMessage(const QString& message);
// Writes the message and returns the status of failed work, 1.
int CommandFailed(const QString& message);

// The program's arguments as strings in the system's encoding.
QStringList ArgumentList(int argc, char* argv[]);

}  // namespace lp
