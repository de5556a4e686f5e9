// The recovery copy from the window's side: what it holds, the question at
// start-up about copies left by editors that no longer run, and the logout,
// which asks as the close does.
#include <QApplication>
#include <QLocale>
#include <QSessionManager>

#include "app/baseform.h"
#include "app/recovery.h"

namespace {

QString RestoreQuestion(const lp::RecoveryContent& copy, const QDateTime& changed) {
    const QString file = copy.path.isEmpty() ? TBaseForm::tr("без имени") : copy.path;
    return TBaseForm::tr("Восстановить несохранённую картинку «%1», изменённую %2?")
        .arg(file, QLocale().toString(changed, QLocale::ShortFormat));
}

}  // namespace

void TBaseForm::EnableRecovery(const QString& folder) {
    recovery_ = std::make_unique<lp::RecoveryKeeper>(folder, [this] { return recoveryContent(); });
}

lp::RecoveryContent TBaseForm::recoveryContent() const {
    lp::RecoveryContent content;
    content.keep = editor_.differsFromSaved();
    if (!content.keep) return content;
    content.image = editor_.fileImage();
    content.path = editor_.filePath();
    content.name = editor_.PictureName();
    return content;
}

void TBaseForm::MarkSaved(const QString& path) {
    editor_.markSaved(path);
    if (recovery_) recovery_->discard();
}

bool TBaseForm::OfferRecovery() {
    if (!recovery_ || !recovery_->active()) return false;
    for (const lp::Leftover& copy : lp::FindLeftovers(recovery_->folder())) {
        lp::RecoveryContent content;
        if (const lp::FileResult read = lp::ReadLeftover(copy, content); !read) {
            const QString aside = lp::SetLeftoverAside(copy);
            lp::dialogs().message(this, QMessageBox::Warning,
                                  tr("Копия несохранённой картинки повреждена и не открыта (%1).\n"
                                     "Она отложена в сторону:\n%2")
                                      .arg(read.error, aside),
                                  QMessageBox::Ok);
            continue;
        }
        const auto answer =
            lp::dialogs().message(this, QMessageBox::Question, RestoreQuestion(content, copy.changed),
                                  QMessageBox::Yes | QMessageBox::No, QString(), QMessageBox::Yes);
        if (answer == QMessageBox::No) lp::RemoveLeftover(copy);
        if (answer != QMessageBox::Yes) continue;  // no answer: the copy stays for the next start
        RestoreCopy(content);
        // The copy is ours now: written under this editor's name before the old one goes.
        if (recovery_->syncNow()) lp::RemoveLeftover(copy);
        return true;
    }
    return false;
}

void TBaseForm::RestoreCopy(const lp::RecoveryContent& content) {
    editor_.restore(content.image, content.path, content.name);  // unsaved until saved
    if (!content.path.isEmpty()) SaveDialogPic.fileName = content.path;
    FullReturn(1);
}

void TBaseForm::CommitSessionData(QSessionManager& manager) {
    // Without leave to ask, the recovery copy keeps the figure.
    if (!manager.allowsInteraction()) return;
    const bool close = FormClose();
    manager.release();
    if (!close) {
        manager.cancel();
        return;
    }
    answeredFigure_ = std::make_pair(editor_.FigureX(), editor_.FigureY());
}
