// Tracing from the command line, without a window or a display: a picture's
// outline or a line of text becomes a 256-point picture file.
#pragma once

struct CommandLine;

// Each returns the exit status: 0 done (warnings, if any, on standard error),
// 1 failed with a one-line message on standard error and no file written. The
// command line has been checked. Each makes its own offscreen application
// object when none exists, for the fonts and the picture decoders.
int RunTraceImage(const CommandLine& command);
int RunTraceText(const CommandLine& command);
