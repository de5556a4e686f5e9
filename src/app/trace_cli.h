// Tracing from the command line, without a window or a display: a picture's
// outline or a line of text becomes a 256-point picture file.
#pragma once

#include <QString>
#include <QStringList>

// Runs the tracing the arguments ask for (the arguments as the program got
// them, its own name first) and returns the exit status: 0 done (warnings,
// if any, on standard error), 1 failed with a one-line message on standard
// error and no file written, 2 a usage mistake. Returns -1 when the arguments
// ask for no tracing. Needs an application object for the fonts and the
// picture decoders (AnswerWithoutWindow makes one on no display).
int RunTraceCommand(const QStringList& args);

// The lines of --help that describe tracing.
QString TraceHelpText();
