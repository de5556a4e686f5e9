// Tracing from the command line, without a window or a display: a picture's
// outline or a line of text becomes a 256-point picture file.
#pragma once

namespace lp {

struct CommandLine;

// Each returns the exit status: 0 done (warnings, if any, on standard error),
// 1 failed with a one-line message on standard error and no file written. The
// command line has been checked. Each needs an application object for the
// fonts and the picture decoders (AnswerWithoutWindow makes one on no display).
int RunTraceImage(const CommandLine& command);
int RunTraceText(const CommandLine& command);

}  // namespace lp
