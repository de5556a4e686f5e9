// A command line read: what it asks for, and how a conversion says what went
// wrong. What the conversions need of the command line, below its table.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace lp {

inline const QString kProgramName = QStringLiteral("laserpic");

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

// A line of standard error: the program's name and the message.
QString MessageLine(const QString& message);

// The one writer of the conversions' messages: the program's name and the
// message as one line on standard error.
void CommandMessage(const QString& message);
// Writes the message and returns the status of failed work, 1.
int CommandFailed(const QString& message);

// A Decimal option's value, when it is a number.
std::optional<double> DecimalValue(const QString& value);

}  // namespace lp
