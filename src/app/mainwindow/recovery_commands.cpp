#include "app/mainwindow/recovery_commands.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLocale>
#include <QSessionManager>

#include "app/recovery.h"

namespace {

QString RestoreQuestion(const lp::RecoveryContent& copy, const QDateTime& changed) {
    const QString file = copy.path.isEmpty() ? TBaseForm::tr("без имени") : copy.path;
    return TBaseForm::tr("Восстановить несохранённую картинку «%1», изменённую %2?")
        .arg(file, QLocale().toString(changed, QLocale::ShortFormat));
}

}  // namespace

namespace lp {

RecoveryCommands::RecoveryCommands(TBaseForm& form) : WindowPart(form) {}

RecoveryCommands::~RecoveryCommands() = default;

void RecoveryCommands::EnableRecovery(const QString& folder) {
    keeper_ = std::make_unique<lp::RecoveryKeeper>(folder, [this] { return recoveryContent(); });
}

lp::RecoveryContent RecoveryCommands::recoveryContent() const {
    lp::RecoveryContent content;
    content.keep = editor_.differsFromSaved();
    if (!content.keep) return content;
    content.image = editor_.fileImage();
    content.path = editor_.filePath();
    content.name = editor_.PictureName();
    return content;
}

void RecoveryCommands::MarkSaved(const QString& path) {
    editor_.markSaved(path);
    if (keeper_) keeper_->discard();
}

bool RecoveryCommands::OfferRecovery() {
    if (!keeper_ || !keeper_->active()) return false;
    for (const lp::Leftover& copy : lp::FindLeftovers(keeper_->folder())) {
        lp::RecoveryContent content;
        if (const lp::FileResult read = lp::ReadLeftover(copy, content); !read) {
            const QString aside = lp::SetLeftoverAside(copy);
            lp::dialogs().message(&form_, QMessageBox::Warning,
                                  TBaseForm::tr("Копия несохранённой картинки повреждена и не открыта (%1).\n"
                                                "Она отложена в сторону:\n%2")
                                      .arg(read.error, aside),
                                  QMessageBox::Ok);
            continue;
        }
        const auto answer =
            lp::dialogs().message(&form_, QMessageBox::Question, RestoreQuestion(content, copy.changed),
                                  QMessageBox::Yes | QMessageBox::No, QString(), QMessageBox::Yes);
        if (answer == QMessageBox::No) lp::RemoveLeftover(copy);
        if (answer != QMessageBox::Yes) continue;  // no answer: the copy stays for the next start
        form_.RestoreCopy(content);
        // The copy is ours now: written under this editor's name before the old one goes.
        if (keeper_->syncNow()) lp::RemoveLeftover(copy);
        return true;
    }
    return false;
}

void RecoveryCommands::RestoreCopy(const lp::RecoveryContent& content) {
    editor_.restore(content.image, content.path, content.name);  // unsaved until saved
    if (!content.path.isEmpty()) form_.SaveDialogPic.fileName = content.path;
    form_.FullReturn(1);
}

void RecoveryCommands::CommitSessionData(QSessionManager& manager) {
    // Without leave to ask, the recovery copy keeps the figure.
    if (!manager.allowsInteraction()) return;
    const bool close = form_.FormClose();
    manager.release();
    if (!close) {
        manager.cancel();
        return;
    }
    answeredFigure_ = std::make_pair(editor_.FigureX(), editor_.FigureY());
}

bool RecoveryCommands::answeredForFigure() const {
    return answeredFigure_ && *answeredFigure_ == std::make_pair(editor_.FigureX(), editor_.FigureY());
}

}  // namespace lp

// The window's side, passed on.
void TBaseForm::EnableRecovery(const QString& folder) {
    recoveryCommands_->EnableRecovery(folder);
}

lp::RecoveryKeeper* TBaseForm::recovery() const {
    return recoveryCommands_->keeper();
}

lp::RecoveryContent TBaseForm::recoveryContent() const {
    return recoveryCommands_->recoveryContent();
}

void TBaseForm::MarkSaved(const QString& path) {
    recoveryCommands_->MarkSaved(path);
}

bool TBaseForm::OfferRecovery() {
    return recoveryCommands_->OfferRecovery();
}

void TBaseForm::RestoreCopy(const lp::RecoveryContent& content) {
    recoveryCommands_->RestoreCopy(content);
}

void TBaseForm::CommitSessionData(QSessionManager& manager) {
    recoveryCommands_->CommitSessionData(manager);
}

void TBaseForm::closeEvent(QCloseEvent* event) {
    // The logout's question was answered for this very figure: not asked twice.
    if (recoveryCommands_->answeredForFigure()) {
        event->accept();
        return;
    }
    if (FormClose())
        event->accept();
    else
        event->ignore();
}
