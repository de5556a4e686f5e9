// Conversions between laser picture files and ILDA files from the command
// line, without a window or a display, for whole folders of files at a time.
#pragma once

#include <QString>
#include <QStringList>

// Runs the conversion the arguments ask for (the arguments as the program got
// them, its own name first) and returns the exit status: 0 done, 1 failed with
// a one-line message on standard error. Returns -1 when the arguments ask for
// no ILDA conversion.
int RunIldaCommand(const QStringList& args);

// The lines of --help that describe the conversions.
QString IldaHelpText();
