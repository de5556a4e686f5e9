// Waiting for slow work (reading and decoding a picture) without freezing the
// window.
#pragma once

#include <QDeadlineTimer>
#include <QString>

#include "work/worker.h"

class QWidget;

enum class WaitOutcome {
    Done,      // the work has returned
    Stopped,   // the user stopped waiting, or the application quit
    TimedOut,  // the deadline passed first
};

// Runs `work` through the worker helper while the event loop goes on: the
// window keeps painting and its timers run. For the first `patienceMs` user
// input is held back and delivered afterwards, as for a busy window; if the
// work takes longer, a modal box with `text` offers to stop waiting ("Отмена").
// Closing the window waits too. When the user stops waiting or the deadline
// passes, the work's stop token is signalled and the wait ends at once; the
// work then finishes on its own thread, unseen, so it must own everything it
// touches. When no thread can be had the work runs on the caller's thread.
WaitOutcome WaitForWork(QWidget* parent, const QString& text, lp::Work work, int patienceMs = 400,
                        QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));
