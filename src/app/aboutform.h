// The About dialog: the program's name and version, the project, its licence
// and two links, one that starts a mail about the program and one that opens
// the program's README. Created once at start-up and reused; while it is shown
// its title bar blinks.
#pragma once

#include <QDialog>
#include <QUrl>
#include <memory>

namespace Ui {
class TAboutForm;
}
class QLabel;
class QTimer;

class TAboutForm : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutForm(QWidget* parent = nullptr);
    ~TAboutForm() override;

    std::unique_ptr<Ui::TAboutForm> ui;
    QTimer* Timer1;  // 300 ms, runs from creation to the end, shown or not

    void Timer1Timer();
    void BitBtn1Click();
    void Label2MouseMove();
    void Label6MouseMove();
    void Label2MouseLeave();
    void Label6MouseLeave();
    void Label2Click();
    void Label6Click();

    // Ticks so far: each flips the title bar between its two looks.
    int titleFlips() const { return titleFlips_; }

    // The mail link: a new message about the program, no fixed recipient.
    static QUrl MailLink();
    // The web link: the README as a page for the browser, written to the
    // cache folder; the README itself when that cannot be written.
    static QUrl DocumentationLink();
    // The README installed with the program (programDir/../share/doc/laserpic),
    // else the one of the source tree the program was built from.
    static QString ReadmePath(const QString& programDir);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void fitLabels();
    void openLink(QLabel* label, const QUrl& url);
    int titleFlips_ = 0;
    QObject* clickStartedOn_ = nullptr;  // the link a left press began on
};
