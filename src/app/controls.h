// The small set of controls the main window is built from: grouped speed
// buttons, paint boxes that show a retained image, the preview's shape, the
// stretching picture box and the colour list.
#pragma once

#include <QColor>
#include <QComboBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QToolButton>
#include <QWidget>

// A tool button with a pressed state (`Down`) that stays. Buttons with a group
// number and the same parent are mutually exclusive; with all-up allowed a click
// on the pressed button releases it. Setting `Down` from code never emits
// clicked(), so it never runs a click handler.
class SpeedButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(int groupIndex READ groupIndex WRITE setGroupIndex)
    Q_PROPERTY(bool allowAllUp READ allowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(bool flat READ flat WRITE setFlat)
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
  public:
    explicit SpeedButton(QWidget* parent = nullptr);

    int groupIndex() const { return group_; }
    void setGroupIndex(int group);
    bool allowAllUp() const { return allowAllUp_; }
    void setAllowAllUp(bool allow) { allowAllUp_ = allow; }
    bool flat() const { return autoRaise(); }
    void setFlat(bool flat) { setAutoRaise(flat); }

    bool Down() const { return group_ != 0 && isChecked(); }
    void SetDown(bool down);

  protected:
    void nextCheckState() override;

  private:
    void raiseGroup();
    int group_ = 0;
    bool allowAllUp_ = false;
};

// A drawing surface without a background of its own: it shows a retained image
// over whatever lies beneath it and reports the mouse. A double click of the
// left button is reported as doubleClicked() followed by pressed(), so the
// second press of a double click is handled in the mode the double click set.
class PaintBox : public QWidget {
    Q_OBJECT
  public:
    explicit PaintBox(QWidget* parent = nullptr);

    // The retained image, always the size of the box.
    QImage& image();

  signals:
    void pressed(Qt::MouseButton button, QPoint pos);
    void moved(QPoint pos);
    void released(Qt::MouseButton button, QPoint pos);
    void doubleClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QImage image_;
};

// A label that sizes itself to its text. Moves of the mouse show the same few
// hundred texts over and over, so the sizes measured are kept (until the font
// changes): measuring is the expensive part of showing a text.
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

// A filled rectangle with a one-pixel outline.
class ShapeBox : public QWidget {
    Q_OBJECT
  public:
    explicit ShapeBox(QWidget* parent = nullptr);
    QColor brushColor() const { return brush_; }
    void setBrushColor(const QColor& color);
    QColor penColor() const { return pen_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor brush_{Qt::black};
    QColor pen_{Qt::white};
};

// Shows a picture stretched to its own bounds, the aspect ratio not kept. The
// stretched picture is kept until the picture or the bounds change, so that
// the many redraws of the field above it only copy it.
class ImageBox : public QWidget {
    Q_OBJECT
  public:
    explicit ImageBox(QWidget* parent = nullptr);
    const QImage& picture() const;
    void setPicture(const QImage& picture);
    // A picture file read only when first needed.
    void setDefaultPicture(const QString& path) { defaultPath_ = path; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    mutable QImage picture_;
    QString defaultPath_;
    QImage stretched_;
    qint64 stretchedFrom_ = 0;  // cache key of the picture stretched
};

// A drop-down list of named colours, each shown with its swatch.
class ColorBox : public QComboBox {
    Q_OBJECT
  public:
    explicit ColorBox(QWidget* parent = nullptr);
    QColor selected() const;
    int indexOfColor(const QColor& color) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};
