// The small modal list from which the user picks the frame of an ILDA file to
// import: each frame's number, name and point count.
#pragma once

#include <QDialog>
#include <QList>

#include "figure/ilda.h"

class QTreeWidget;

namespace lp {

class IldaFrameDialog : public QDialog {
    Q_OBJECT
  public:
    explicit IldaFrameDialog(const QList<lp::IldaFrameInfo>& frames, QWidget* parent = nullptr);

    QTreeWidget* list;
    // The frame selected, as its index in the list given.
    int chosen() const;
};

// Shows the list modally; the chosen frame's index, or -1 when cancelled.
int ChooseIldaFrame(QWidget* parent, const QList<lp::IldaFrameInfo>& frames);

}  // namespace lp
