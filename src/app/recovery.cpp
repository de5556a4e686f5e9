#include "app/recovery.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <algorithm>

#include "figure/kvtfile.h"
#include "files/replacefile.h"

namespace lp {

namespace {

const QString kPicture = QStringLiteral(".kvt");
const QString kText = QStringLiteral(".txt");
const QString kLock = QStringLiteral(".lock");
const QString kDamaged = QStringLiteral(".damaged-");

QString In(const QString& folder, const QString& id, const QString& suffix) {
    return folder + QLatin1Char('/') + id + suffix;
}

std::shared_ptr<QLockFile> TakeLock(const QString& path) {
    auto lock = std::make_shared<QLockFile>(path);
    lock->setStaleLockTime(0);  // only an editor that no longer runs loses its lock
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

QByteArray TextOf(const RecoveryContent& content) {
    const QJsonObject text{{QStringLiteral("path"), content.path}, {QStringLiteral("name"), content.name}};
    return QJsonDocument(text).toJson();
}

FileResult Store(const QString& folder, const QString& id, const RecoveryContent& content) {
    if (!content.keep) {
        const FileResult picture = RemoveFile(In(folder, id, kPicture));
        const FileResult text = RemoveFile(In(folder, id, kText));
        return picture ? text : picture;
    }
    // The text first: a picture is never left beside the text of another.
    if (FileResult text = ReplaceFile(In(folder, id, kText), TextOf(content)); !text) return text;
    return ReplaceFile(In(folder, id, kPicture),
                       QByteArrayView(reinterpret_cast<const char*>(content.image.data()), kFileImageSize));
}

}  // namespace

QString RecoveryFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state)) state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/laserpic/recovery");
}

RecoveryKeeper::RecoveryKeeper(const QString& folder, std::function<RecoveryContent()> content,
                               QObject* parent)
    : QObject(parent),
      folder_(folder),
      id_(QStringLiteral("editor-%1-%2").arg(::getpid()).arg(QDateTime::currentMSecsSinceEpoch())),
      content_(std::move(content)),
      timer_(new QTimer(this)),
      lastResult_(std::make_shared<FileResult>(Succeeded())) {
    timer_->setSingleShot(true);
    timer_->setInterval(kDelayMs);
    connect(timer_, &QTimer::timeout, this, &RecoveryKeeper::flush);
    if (!QDir().mkpath(folder_)) return;
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    lock_ = std::make_unique<QLockFile>(In(folder_, id_, kLock));
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) lock_.reset();
}

RecoveryKeeper::~RecoveryKeeper() {
    timer_->stop();
    discard();
}

QString RecoveryKeeper::copyPath() const {
    return In(folder_, id_, kPicture);
}

void RecoveryKeeper::noteChange() {
    if (active() && !timer_->isActive()) timer_->start();
}

void RecoveryKeeper::flush() {
    if (!active()) return;
    if (!job_.finished()) {
        timer_->start(kDelayMs / 10);  // one write at a time, in the order of the changes
        return;
    }
    RecoveryContent content = content_();
    if (!content.keep) content = {};
    if (content == stored_ && *lastResult_) return;
    stored_ = content;
    auto result = std::make_shared<FileResult>();
    lastResult_ = result;
    job_ = StartWork([folder = folder_, id = id_, content,
                      result](std::stop_token) { *result = Store(folder, id, content); },
                     NoThread::RunHere);
    if (!job_.started()) *result = Store(folder_, id_, content);
}

void RecoveryKeeper::waitIdle() {
    if (!job_.finished()) WaitForJob(job_, QDeadlineTimer(5000));
}

FileResult RecoveryKeeper::syncNow() {
    timer_->stop();
    waitIdle();
    flush();
    waitIdle();
    return *lastResult_;
}

void RecoveryKeeper::discard() {
    if (!active()) return;
    timer_->stop();
    waitIdle();
    stored_ = {};
    lastResult_ = std::make_shared<FileResult>(Store(folder_, id_, stored_));
}

QString Leftover::kvtPath() const {
    return In(folder, id, kPicture);
}

QString Leftover::textPath() const {
    return In(folder, id, kText);
}

std::vector<Leftover> FindLeftovers(const QString& folder) {
    const QDir dir(folder);
    QStringList ids;
    const QStringList patterns{QStringLiteral("*") + kPicture, QStringLiteral("*") + kText,
                               QStringLiteral("*") + kLock};
    for (const QFileInfo& entry : dir.entryInfoList(patterns, QDir::Files | QDir::System)) {
        if (entry.fileName().contains(kDamaged)) continue;
        ids << entry.completeBaseName();
    }
    ids.removeDuplicates();
    std::vector<Leftover> found;
    for (const QString& id : ids) {
        auto lock = TakeLock(In(folder, id, kLock));
        if (!lock) continue;  // its editor still runs, or another one is deciding about it
        QFileInfo picture(In(folder, id, kPicture));
        if (!picture.exists()) picture = QFileInfo(In(folder, id, kText));
        if (!picture.exists()) continue;  // an editor that ended with nothing unsaved: its lock goes
        found.push_back({folder, id, picture.lastModified(), lock});
    }
    std::sort(found.begin(), found.end(),
              [](const Leftover& a, const Leftover& b) { return a.changed > b.changed; });
    return found;
}

FileResult ReadLeftover(const Leftover& copy, RecoveryContent& content) {
    const QFileInfo info(copy.kvtPath());
    if (info.exists() && info.isFile() && info.size() != kFileImageSize)
        return {false, QCoreApplication::translate("Recovery", "в копии %1 байт вместо %2")
                           .arg(info.size())
                           .arg(kFileImageSize)};
    if (FileResult read = ReadPictureFile(copy.kvtPath(), content.image); !read) return read;
    QByteArray text;
    content.keep = true;
    content.path.clear();
    content.name.clear();
    if (QFile file(copy.textPath()); file.open(QIODevice::ReadOnly)) text = file.read(1 << 16);
    const QJsonObject fields = QJsonDocument::fromJson(text).object();
    content.path = fields.value(QStringLiteral("path")).toString();
    content.name = fields.value(QStringLiteral("name")).toString();
    return Succeeded();
}

void RemoveLeftover(const Leftover& copy) {
    RemoveFile(copy.kvtPath());
    RemoveFile(copy.textPath());
    copy.lock->unlock();
}

QString SetLeftoverAside(const Leftover& copy) {
    const QString stamp = kDamaged + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString aside = In(copy.folder, copy.id + stamp, kPicture);
    RenameFile(copy.textPath(), In(copy.folder, copy.id + stamp, kText));
    RenameFile(copy.kvtPath(), aside);
    copy.lock->unlock();
    return aside;
}

}  // namespace lp
