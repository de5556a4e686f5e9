// Shared by the link tests: two pseudo-terminal pairs behind "Com1" and
// "Com2", settings in a temporary folder, and small helpers.
#pragma once

#include <QDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "link/ptypair.h"
#include "support/scripteddialogs.h"

class LinkFixture {
  public:
    // In init(): false when socat could not make the pairs.
    bool start() {
        dir.reset(new QTemporaryDir);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           dir->filePath(QStringLiteral("config")));
        com1.reset(new PtyPair(dir->path(), QStringLiteral("com1")));
        com2.reset(new PtyPair(dir->path(), QStringLiteral("com2")));
        if (!com1->start() || !com2->start()) return false;
        qputenv("LASERPIC_COM1", com1->device.toLocal8Bit());
        qputenv("LASERPIC_COM2", com2->device.toLocal8Bit());
        return true;
    }
    // In cleanup(): socat ends.
    void stop() {
        com1.reset();
        com2.reset();
        qunsetenv("LASERPIC_COM1");
        qunsetenv("LASERPIC_COM2");
    }

    QScopedPointer<QTemporaryDir> dir;
    QScopedPointer<PtyPair> com1, com2;
};

inline QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) b.append(char(v));
    return b;
}

// A port warning: the given first line, then the device and the reason.
inline bool IsWarning(const AskedMessage& m, const QString& first) {
    return m.icon == QMessageBox::Warning && m.buttons == QMessageBox::Ok && m.caption.isEmpty() &&
           m.text.startsWith(first + u'\n');
}

// Runs `action` while `open` shows the dialog modally, then closes it.
inline void WhileModal(QDialog* dialog, const std::function<void()>& open,
                       const std::function<void()>& action) {
    bool ran = false;
    QTimer::singleShot(0, dialog, [&] {
        QVERIFY(dialog->isVisible() && dialog->isModal());
        action();
        ran = true;
        dialog->accept();
    });
    open();
    QVERIFY(ran);
}
