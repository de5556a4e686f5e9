#include "widgets/dialogs.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "files/replacefile.h"
#include "widgets/ildaframedialog.h"
#include "widgets/picturepreview.h"
#include "widgets/seam.h"

namespace lp {

namespace {

QString captionFor(QMessageBox::Icon icon) {
    switch (icon) {
        case QMessageBox::Critical:
            return QCoreApplication::translate("Dialogs", "Ошибка");
        case QMessageBox::Warning:
            return QCoreApplication::translate("Dialogs", "Предупреждение");
        case QMessageBox::Question:
            return QCoreApplication::translate("Dialogs", "Подтверждение");
        default:
            return QCoreApplication::translate("Dialogs", "Информация");
    }
}

// The file list's sizes and dates in the interface's language: Qt writes
// them in the system's, whatever the program's.
class InterfaceLocaleColumns : public QIdentityProxyModel {
  public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files) return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        if (index.column() == 1 && !files->isDir(file)) return QLocale().formattedDataSize(files->size(file));
        if (index.column() == 3) return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
        return QIdentityProxyModel::data(index, role);
    }
};

// Puts a picture preview to the right of the file list. It follows the file
// chosen, whether clicked, reached with the keys or typed (pipes and devices,
// which the list does not show, included).
void AddPreview(QFileDialog& dialog) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    auto* list = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!grid || !list || !list->selectionModel() || !name) return;
    auto* preview = new PicturePreview(&dialog);
    grid->addWidget(preview, 1, grid->columnCount(), Qt::AlignTop);
    dialog.resize(dialog.width() + preview->sizeHint().width() + std::max(grid->horizontalSpacing(), 6),
                  dialog.height());  // the list as wide as without it
    auto follow = [&dialog, name, preview] {
        const QStringList files = dialog.selectedFiles();
        preview->setPath(files.size() == 1 && !name->text().isEmpty() ? files[0] : QString());
    };
    QObject::connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, preview, follow);
    QObject::connect(name, &QLineEdit::textChanged, preview, follow);
    follow();
}

bool runFileDialog(QWidget* parent, FileDialogState& state, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, state.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new InterfaceLocaleColumns(&dialog));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);  // the commands ask themselves
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(state.filter);
    dialog.setDefaultSuffix(state.defaultSuffix);
    if (!state.fileName.isEmpty()) {
        const QFileInfo info(state.fileName);
        if (info.isAbsolute() || state.fileName.contains(QLatin1Char('/')))
            dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (state.preview) AddPreview(dialog);
    dialog.setObjectName(mode == QFileDialog::AcceptOpen ? QStringLiteral("OpenDialog")
                                                         : QStringLiteral("SaveDialog"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    state.fileName = dialog.selectedFiles().constFirst();
    return true;
}

Seam<DialogSeam> seam;

}  // namespace

QMessageBox::StandardButton DialogSeam::message(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                                QMessageBox::StandardButtons buttons, const QString& caption,
                                                QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, caption.isEmpty() ? captionFor(icon) : caption, text, buttons, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    // Left to itself the box takes Escape for No when there is no Cancel: a
    // key that answers nothing must not answer No to a question.
    if ((buttons & QMessageBox::No) && !(buttons & QMessageBox::Cancel)) {
        QPushButton* unanswered = box.addButton(QMessageBox::Cancel);
        unanswered->hide();
        box.setEscapeButton(unanswered);
    }
    if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool DialogSeam::openFile(QWidget* parent, FileDialogState& state) {
    return runFileDialog(parent, state, QFileDialog::AcceptOpen);
}

bool DialogSeam::saveFile(QWidget* parent, FileDialogState& state) {
    return runFileDialog(parent, state, QFileDialog::AcceptSave);
}

void DialogSeam::openLink(QWidget*, const QUrl& url) {
    QDesktopServices::openUrl(url);
}

int DialogSeam::chooseIldaFrame(QWidget* parent, const QList<lp::IldaFrameInfo>& frames) {
    return ChooseIldaFrame(parent, frames);
}

DialogSeam& dialogs() {
    return seam.get();
}

DialogSeam* setDialogs(DialogSeam* other) {
    return seam.set(other);
}

void ShowFileFailure(QWidget* parent, const QString& what, const QString& path, const QString& reason) {
    dialogs().message(parent, QMessageBox::Critical, lp::FailureMessage(what, path, reason), QMessageBox::Ok);
}

SaveTarget AskSaveTarget(QWidget* parent, const QString& path, const QString& what) {
    if (const lp::FileResult target = lp::CheckSaveTarget(path); !target) {
        ShowFileFailure(parent, what, path, target.error);
        return SaveTarget::Refused;
    }
    // Anything standing there counts (a dangling link does not).
    if (path.isEmpty() || !QFileInfo::exists(path)) return SaveTarget::Accepted;
    return dialogs().message(
               parent, QMessageBox::Warning,
               QCoreApplication::translate("Dialogs", "Файл с таким именем существует, переписать?"),
               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
               ? SaveTarget::Accepted
               : SaveTarget::Declined;
}

}  // namespace lp
