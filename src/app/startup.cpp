#include "app/startup.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

#include "app/aboutform.h"
#include "app/baseform.h"
#include "link/progform.h"
#include "link/txcomform.h"
#include "widgets/dialogs.h"
#include "widgets/formstyle.h"

// The icon lives in a static library; Q_INIT_RESOURCE works only outside a namespace.
static void InitDesktopResource() {
    Q_INIT_RESOURCE(desktop);
}

namespace lp {

EditorWindows::EditorWindows() = default;
EditorWindows::~EditorWindows() = default;
EditorWindows::EditorWindows(EditorWindows&&) noexcept = default;

void SetDesktopIdentity() {
    InitDesktopResource();
    QGuiApplication::setDesktopFileName(QStringLiteral("org.laserpic.LaserPic"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/desktop/org.laserpic.LaserPic.svg")));
}

EditorWindows CreateEditorWindows() {
    EditorWindows windows;
    windows.base = std::make_unique<TBaseForm>();
    windows.about = std::make_unique<TAboutForm>();
    windows.txCom = std::make_unique<TTxComForm>();
    windows.prog = std::make_unique<TProgForm>();
    windows.base->setAuxiliaryForms(windows.about.get(), windows.txCom.get(), windows.prog.get());
    return windows;
}

void OpenPictureAtStartUp(TBaseForm& form, const QString& path) {
    form.OpenDialogPic.fileName = path;  // what the dialog would hold
    form.OpenChosenPicture();
}

void StartWithPicture(TBaseForm& form, const QString& path) {
    const bool restored = form.OfferRecovery();
    if (path.isEmpty()) return;
    if (!restored) {
        OpenPictureAtStartUp(form, path);
        return;
    }
    dialogs().message(&form, QMessageBox::Information,
                      QCoreApplication::translate("StartUp",
                                                  "Файл %1 не открыт, чтобы не заменить восстановленную "
                                                  "картинку. Откройте его, когда она будет сохранена.")
                          .arg(path),
                      QMessageBox::Ok);
}

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QList<HeldMessage> held;
QtMessageHandler previousHandler = nullptr;

void HoldingHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        QStringList messages;
        for (const HeldMessage& m : held) messages << m.text;
        messages << text;
        const QByteArray line = DisplayGuard::FailureLine(messages).toLocal8Bit() + '\n';
        // Nothing of the half-built application is torn down: no abort, no core.
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    held.append({type, QByteArray(context.category ? context.category : ""), text});
}

}  // namespace

DisplayGuard::DisplayGuard() : active_(true) {
    held.clear();
    previousHandler = qInstallMessageHandler(HoldingHandler);
}

DisplayGuard::~DisplayGuard() {
    release();
}

void DisplayGuard::release() {
    if (!active_) return;
    active_ = false;
    qInstallMessageHandler(previousHandler);
    const QList<HeldMessage> messages = std::exchange(held, {});
    for (const HeldMessage& m : messages) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
        if (previousHandler)
            previousHandler(m.type, context, m.text);
        else
            std::fprintf(stderr, "%s\n", qPrintable(m.text));
    }
}

QString DisplayGuard::FailureLine(const QStringList& messages) {
    const QString tail = QCoreApplication::translate(
        "DisplayGuard", "; запустите его в сеансе рабочего стола или под xvfb-run.");
    for (const QString& m : messages) {
        // The X11 platform: "could not connect to display :99".
        static const QLatin1String kX11("could not connect to display");
        if (m.startsWith(kX11)) {
            const QString display = m.mid(kX11.size()).trimmed();
            if (display.isEmpty())
                return QCoreApplication::translate("DisplayGuard",
                                                   "laserpic: окно открыть негде (DISPLAY не задан)") +
                       tail;
            return QCoreApplication::translate("DisplayGuard",
                                               "laserpic: не могу подключиться к дисплею \"%1\"")
                       .arg(display) +
                   tail;
        }
    }
    // Another platform: its own first complaint, on one line.
    const QString first = messages.isEmpty() ? QString() : messages.constFirst();
    return QCoreApplication::translate("DisplayGuard", "laserpic: нет подходящего дисплея (%1)")
               .arg(first.simplified()) +
           tail;
}

}  // namespace lp
