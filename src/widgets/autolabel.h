// A label that sizes itself to its text. Moves of the mouse show the same few
// hundred texts over and over, so the sizes measured are kept (until the font
// changes): measuring is the expensive part of showing a text.
#pragma once

#include <QHash>
#include <QLabel>

namespace lp {

class AutoLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
    void setCaption(const QString& text);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    QHash<QString, QSize> sizes_;
};

}  // namespace lp
