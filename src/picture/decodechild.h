// Pictures are decoded in a child process, never in the editor: a hostile
// picture can at worst exhaust, hang or crash the child, which runs under
// limits of memory and time and is killed when its time is up or the user
// stops waiting.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <mutex>
#include <stop_token>
#include <utility>

#include "picture/pictureresult.h"

namespace lp {

// The child's address space, its processor time, and the time the editor
// waits for its answer.
inline constexpr int kDecodeMemoryMb = 768;
inline constexpr int kDecodeCpuSeconds = 5;
inline constexpr int kDecodeDeadlineMs = 5000;

// What the child writes on its standard output: one line, either
//   "LPIC <width> <height> <declared width> <declared height> <format>"
// followed by the rows of pixels, 4 bytes each in the image's own byte
// order, the format "argb32pm" (premultiplied alpha) or "rgb32"; or
//   "FAIL <kind> <the reason for the user>", as DecodeFailureLine writes it.
inline constexpr char kDecodeHeader[] = "LPIC";

QByteArray DecodeFailureLine(const QString& reason, PictureRefusal refusal = PictureRefusal::Other);

// The reasons of a child that could not finish.
QString DecodeTooLarge();
QString DecodeTooLong();

// The decoding program: beside the running program, in its installation's
// libexec folder, or, for programs of the build tree, in the build tree.
// Empty when there is none.
QString DecoderProgram();

// One picture decoded in a child process. load() and run() block their
// caller (any thread but the window's) until the child answers, ends or runs
// out of time; stop() from any thread kills the child at once.
class DecodeChild {
  public:
    // The decoding program `program` (DecoderProgram() unless a test names another).
    explicit DecodeChild(QString program = DecoderProgram()) : program_(std::move(program)) {}

    // As LoadPicture (an invalid box) or LoadPicturePreview do; a stop asked
    // through `stop` stops the child.
    PictureResult load(const QString& path, const QSize& box, std::stop_token stop = {});
    // Starts the decoding program with `arguments` and takes its answer of
    // at most `most` pixels each way.
    PictureResult run(const QStringList& arguments, const QSize& most);
    // Ends the decode: the child is killed, and a load not yet started never
    // starts. Its result is a failure the caller drops.
    void stop();

  private:
    QString program_;
    std::mutex mutex_;  // guards the two below; the child is reaped under it
    int pid_ = 0;
    bool stopped_ = false;
};

}  // namespace lp
