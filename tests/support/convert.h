// Pictures made by ImageMagick's convert, for the tests that decode them.
#pragma once

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

inline QString ConvertProgram() {
    return QStandardPaths::findExecutable(QStringLiteral("convert"));
}

// Runs convert with `args`. Returns what it wrote: its standard output when
// the last argument is a format and "-" ("png:-"), otherwise the file the last
// argument names; empty when it wrote nothing.
inline QByteArray Convert(const QStringList& args) {
    QProcess convert;
    convert.start(ConvertProgram(), args);
    convert.waitForFinished(60000);
    if (args.last().endsWith(QLatin1String(":-"))) return convert.readAllStandardOutput();
    QFile written(args.last());
    return written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
}
