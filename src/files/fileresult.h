// What the file layer reports: success, or the reason for the user, in
// Russian and without the path; the texts of system errors; and the message
// a window shows when a file command fails.
#pragma once

#include <QString>

namespace lp {

struct FileResult {
    bool ok = false;
    QString error;  // reason for the user when !ok, without the path

    explicit operator bool() const { return ok; }
};

inline FileResult Succeeded() {
    return {true, {}};
}

// The reason a system call gave (an errno value), for the user.
QString SystemErrorText(int err);

// A failure: `what` went wrong (a lead-in ending in ": ", or empty), because of err.
FileResult SystemFailure(const QString& what, int err);

// Why what stands at a path is refused where a regular file belongs; `mode`
// is the file's type and permission bits as the system reports them.
QString NotRegularText(unsigned mode);

// A failed file command for a message box: what failed, the file's path and
// the reason, a line each.
QString FailureMessage(const QString& what, const QString& path, const QString& reason);

}  // namespace lp
