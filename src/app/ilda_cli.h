// Conversions between laser picture files and ILDA files from the command
// line, without a window or a display, for whole folders of files at a time.
#pragma once

namespace lp {

struct CommandLine;

// Each returns the exit status: 0 done, 1 failed with a one-line message on
// standard error. The command line has been checked: it holds two paths.
int RunIldaExport(const CommandLine& command);
int RunIldaImport(const CommandLine& command);

}  // namespace lp
