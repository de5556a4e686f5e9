// The recovery copy: while the figure has unsaved changes, each running
// editor keeps a copy of it (the 2048-byte file image, the file it belongs to
// and the picture's name) in the user's state folder, so that a crash, a kill
// or a power cut loses nothing. Copies left by editors that no longer run are
// offered at the next start.
//
// A copy is two files named after its editor, `<id>.kvt` and `<id>.txt`,
// each replaced whole through the file layer; a lock `<id>.lock`, held while
// the editor runs, tells a live editor's copy from a leftover.
#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "figure/figuredata.h"
#include "files/fileresult.h"
#include "work/worker.h"

class QTimer;

namespace lp {

// $XDG_STATE_HOME/laserpic/recovery, or ~/.local/state/laserpic/recovery.
QString RecoveryFolder();

// What a copy holds.
struct RecoveryContent {
    bool keep = false;  // false: there is nothing unsaved, no copy is wanted
    PictureBytes image{};
    QString path;  // the file the picture belongs to; empty for none
    QString name;  // the picture's name
    bool operator==(const RecoveryContent&) const = default;
};

// One running editor's copy: written a moment after each change, off the
// interface thread, and removed once nothing is unsaved.
class RecoveryKeeper : public QObject {
    Q_OBJECT
  public:
    // `content` tells what the copy should hold now; it is asked on the
    // interface thread.
    RecoveryKeeper(const QString& folder, std::function<RecoveryContent()> content,
                   QObject* parent = nullptr);
    ~RecoveryKeeper() override;  // removes the copy: a normal end

    // False when the folder or the lock could not be had: no copy is kept.
    bool active() const { return lock_ != nullptr; }
    QString id() const { return id_; }
    QString folder() const { return folder_; }
    QString copyPath() const;

    // Something may have changed: the copy follows within a second.
    void noteChange();
    // Brings the copy up to date now, waiting (events going on) for the write.
    FileResult syncNow();
    // Removes the copy at once (the user threw the changes away).
    void discard();

    static constexpr int kDelayMs = 1000;

  private:
    void flush();
    void waitIdle();

    QString folder_;
    QString id_;
    std::function<RecoveryContent()> content_;
    std::unique_ptr<QLockFile> lock_;
    QTimer* timer_;
    Job job_;
    std::shared_ptr<FileResult> lastResult_;
    RecoveryContent stored_;  // what the files hold (keep false: none)
};

// A copy left by an editor that no longer runs, locked for this one while it
// decides about it.
struct Leftover {
    QString folder;
    QString id;
    QDateTime changed;
    std::shared_ptr<QLockFile> lock;
    QString kvtPath() const;
    QString textPath() const;
};

// Leftovers in the folder, newest first; copies of running editors are not among them.
std::vector<Leftover> FindLeftovers(const QString& folder);

// Reads a leftover; refused when its picture is unreadable or not 2048 bytes.
FileResult ReadLeftover(const Leftover& copy, RecoveryContent& content);

// Removes a leftover's files and its lock.
void RemoveLeftover(const Leftover& copy);

// Renames a damaged leftover's files out of the way ("….damaged-<time>"), so
// that it is neither offered again nor lost; the new name of its picture.
QString SetLeftoverAside(const Leftover& copy);

}  // namespace lp
