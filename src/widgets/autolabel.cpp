#include "widgets/autolabel.h"

#include <QEvent>

namespace lp {

void AutoLabel::setCaption(const QString& text) {
    if (text == this->text()) return;
    setText(text);
    const auto known = sizes_.constFind(text);
    if (known != sizes_.cend()) {
        resize(*known);
    } else {
        adjustSize();
        sizes_.insert(text, size());
    }
}

void AutoLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) sizes_.clear();
    QLabel::changeEvent(event);
}

}  // namespace lp
