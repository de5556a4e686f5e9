// Answers the editor's modal questions and file dialogs from a script, and
// records what was asked.
#pragma once

#include <QList>
#include <QQueue>
#include <QString>
#include <functional>

#include "widgets/dialogs.h"

struct AskedMessage {
    QMessageBox::Icon icon;
    QString text;
    QMessageBox::StandardButtons buttons;
    QString caption;  // empty: the usual one of the icon's kind
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;  // none: the box's own choice
};

class ScriptedDialogs : public lp::DialogSeam {
  public:
    ScriptedDialogs() { previous_ = lp::setDialogs(this); }
    ~ScriptedDialogs() override { lp::setDialogs(previous_); }

    // Answers for the message boxes, in order; when they run out, the first
    // offered button of Yes, No, Ok is taken.
    QQueue<QMessageBox::StandardButton> messageAnswers;
    // File names for the file dialogs, in order; an empty name cancels.
    QQueue<QString> fileAnswers;

    QList<AskedMessage> messages;
    QList<lp::FileDialogState> fileDialogs;  // the state each dialog was opened with

    QMessageBox::StandardButton message(
        QWidget*, QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
        const QString& caption = QString(),
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) override {
        messages.append({icon, text, buttons, caption, defaultButton});
        if (!messageAnswers.isEmpty()) return messageAnswers.dequeue();
        for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok})
            if (buttons & b) return b;
        return QMessageBox::NoButton;
    }
    bool openFile(QWidget*, lp::FileDialogState& state) override { return answer(state); }
    bool saveFile(QWidget*, lp::FileDialogState& state) override { return answer(state); }
    // Links are only recorded: no browser or mail program is started.
    QList<QUrl> links;
    void openLink(QWidget*, const QUrl& url) override { links.append(url); }
    // Frames of ILDA files, by index; when they run out, the first is taken.
    QQueue<int> frameAnswers;
    QList<QList<lp::IldaFrameInfo>> frameLists;
    std::function<void()> whileChoosingFrame;  // runs while the frame list is shown
    int chooseIldaFrame(QWidget*, const QList<lp::IldaFrameInfo>& frames) override {
        frameLists.append(frames);
        if (whileChoosingFrame) whileChoosingFrame();
        return frameAnswers.isEmpty() ? 0 : frameAnswers.dequeue();
    }

  private:
    bool answer(lp::FileDialogState& state) {
        fileDialogs.append(state);
        const QString name = fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
        if (name.isEmpty()) return false;
        state.fileName = name;
        return true;
    }
    lp::DialogSeam* previous_;
};
