#include "app/command.h"

#include <cstdio>

namespace lp {

std::optional<int> CommandLine::number(const QString& name) const {
    if (!isSet(name)) return std::nullopt;
    return value(name).toInt();
}

QString MessageLine(const QString& message) {
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return kProgramName + QStringLiteral(": ") + line + QLatin1Char('\n');
}

void CommandMessage(const QString& message) {
    std::fputs(MessageLine(message).toLocal8Bit().constData(), stderr);
}

int CommandFailed(const QString& message) {
    CommandMessage(message);
    return 1;
}

std::optional<double> DecimalValue(const QString& value) {
    bool ok = false;
    const double number = QString(value).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok ? std::optional<double>(number) : std::nullopt;
}

}  // namespace lp
