// Waiting for slow work (reading and decoding a picture) without freezing the
// window.
#pragma once

#include <QString>
#include <functional>

class QWidget;

// Runs `work` on a worker thread while the event loop goes on: the window keeps
// painting and its timers run. For the first `patienceMs` user input is held
// back and delivered afterwards, as for a busy window; if the work takes
// longer, a modal box with `text` offers to stop waiting. Closing the window
// waits too. Returns false when the user stopped waiting (or the application
// quit); the work then still finishes on its own thread, unseen, so it must
// own everything it touches. When no thread can be started the work runs on
// the caller's thread instead.
bool WaitForWork(QWidget* parent, const QString& text, std::function<void()> work, int patienceMs = 400);

// Detached workers (picture loads and previews) still running. The program
// ends without its libraries' teardown while one is, so a decode left behind
// never meets an unloaded image plugin.
int RunningWorkers();

// Counts a detached worker for as long as it lives.
class WorkerCount {
  public:
    WorkerCount();
    ~WorkerCount();
    WorkerCount(const WorkerCount&) = delete;
    WorkerCount& operator=(const WorkerCount&) = delete;
};
