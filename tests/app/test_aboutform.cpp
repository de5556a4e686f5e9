// The About dialog: layout, closing with Enter, the link colours across
// openings, the link targets, and the timer that runs while it is hidden.
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/aboutform.h"
#include "app/baseform.h"
#include "app/startup.h"
#include "support/basewindow.h"
#include "support/files.h"
#include "support/scripteddialogs.h"
#include "ui_aboutform.h"

using namespace Qt::StringLiterals;

namespace {

QColor TextColour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

// Opens the dialog modally, runs `inside` once it is up, and returns when it has closed.
void RunModal(TAboutForm& form, const std::function<void()>& inside) {
    bool ran = false;
    QTimer::singleShot(0, &form, [&] {
        QTRY_VERIFY(form.isActiveWindow());
        inside();
        ran = true;
        if (form.isVisible()) form.reject();  // a failed check must not leave it open
    });
    form.exec();
    QVERIFY(ran);
}

// Moves the pointer itself (the offscreen platform delivers it as a real move,
// with enter and leave), so Qt's own notion of what lies under it follows.
void PointerTo(QWidget* widget, QPoint pos) {
    QCursor::setPos(widget->mapToGlobal(pos));
    QCoreApplication::processEvents();
}

// Pixels of the label's text colour as drawn.
int PixelsOf(QLabel* label, const QColor& colour) {
    const QImage image = label->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
    return n;
}

}  // namespace

class AboutFormTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void layout();
    void enterCloses();
    void linkColoursPersistAcrossOpenings_data();
    void linkColoursPersistAcrossOpenings();
    void linkTargets();
    void linkOpensOncePerClick();
    void timerTicksWhileHidden();
};

void AboutFormTest::layout() {
    TAboutForm form;
    QCOMPARE(form.windowTitle(), u"О программе"_s);
    QCOMPARE(form.size(), QSize(299, 174));
    QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(form.windowFlags() & Qt::WindowSystemMenuHint));
    const struct {
        QWidget* widget;
        QPoint pos;
    } places[] = {{form.ui->Label4, {24, 16}},
                  {form.ui->Label1, {24, 40}},
                  {form.ui->Label3, {24, 64}},
                  {form.ui->Label2, {24, 88}},
                  {form.ui->Label6, {24, 128}}};
    for (const auto& [widget, pos] : places) {
        auto* label = static_cast<QLabel*>(widget);
        QCOMPARE(label->pos(), pos);
        QVERIFY(!label->text().isEmpty());
        QCOMPARE(label->font().pixelSize(), 11);
        QCOMPARE(TextColour(label), QColor(Qt::black));
        QVERIFY(!label->autoFillBackground());
        // Clear of the picture box and the OK button.
        QVERIFY2(!label->geometry().intersects(form.ui->Image1->geometry()), qPrintable(label->text()));
        QVERIFY2(!label->geometry().intersects(form.ui->BitBtn1->geometry()), qPrintable(label->text()));
    }
    QVERIFY(form.ui->Label4->text().startsWith(u"Laser Picture Editor 1.0, "_s));
    QCOMPARE(form.ui->Bevel1->geometry(), QRect(16, 112, 273, 8));
    QCOMPARE(form.ui->Image1->geometry(), QRect(208, 8, 81, 73));
    QCOMPARE(form.ui->Image1->picture().size(), QSize(100, 93));
    QCOMPARE(form.ui->BitBtn1->geometry(), QRect(216, 136, 75, 25));
    QCOMPARE(form.ui->BitBtn1->text(), u"OK"_s);
    QVERIFY(form.ui->BitBtn1->isDefault());
    for (QWidget* child : form.findChildren<QWidget*>())
        QVERIFY2(child == form.ui->BitBtn1 || child->focusPolicy() == Qt::NoFocus,
                 qPrintable(child->objectName()));
    QCOMPARE(form.Timer1->interval(), 300);
    QVERIFY(form.Timer1->isActive());

    // What the user sees: the beams picture, stretched over the box (dark
    // background, bright beams), and the bevel's line at the bottom only.
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QImage shot = form.grab().toImage();
    int bright = 0, dark = 0;
    for (int y = 8; y < 81; ++y)
        for (int x = 208; x < 289; ++x) (QColor(shot.pixel(x, y)).value() > 160 ? bright : dark)++;
    QVERIFY2(bright > 200 && dark > 3000, qPrintable(u"%1 bright, %2 dark"_s.arg(bright).arg(dark)));
    const QColor face = form.palette().color(QPalette::Window);
    QCOMPARE(QColor(shot.pixel(150, 113)), face);
    QVERIFY(QColor(shot.pixel(150, 118)) != face || QColor(shot.pixel(150, 119)) != face);
}

void AboutFormTest::enterCloses() {
    ScriptedDialogs answers;
    lp::EditorWindows windows = lp::CreateEditorWindows();
    TAboutForm& form = *windows.about;
    QSignalSpy done(&form, &QDialog::finished);
    QTimer::singleShot(0, &form, [&] {
        QTRY_VERIFY(form.isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), form.ui->BitBtn1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QTimer::singleShot(5000, &form, &QDialog::reject);  // a failed check must not leave it open
    win::aboutButton(*windows.base)->click();           // returns when the dialog has closed
    QCOMPARE(done.count(), 1);
    QVERIFY(form.isHidden());
    // A second opening: Enter on the dialog itself, whatever has the focus.
    RunModal(form, [&] { QTest::keyClick(&form, Qt::Key_Enter); });
    QCOMPARE(done.count(), 2);
    QVERIFY(answers.links.isEmpty());
}

void AboutFormTest::linkColoursPersistAcrossOpenings_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("mail");
    QTest::newRow("mail") << u"Label2"_s << true;
    QTest::newRow("web") << u"Label6"_s << false;
}

void AboutFormTest::linkColoursPersistAcrossOpenings() {
    QFETCH(QString, name);
    QFETCH(bool, mail);
    ScriptedDialogs answers;
    TAboutForm form;
    auto* link = form.findChild<QLabel*>(name);
    auto* other = form.findChild<QLabel*>(mail ? u"Label6"_s : u"Label2"_s);
    const QColor red(255, 0, 0), navy(0, 0, 128), green(0, 128, 0);

    RunModal(form, [&] {
        QCOMPARE(TextColour(link), QColor(Qt::black));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        PointerTo(link, QPoint(5, 5));
        QTRY_COMPARE(TextColour(link), red);
        QVERIFY(PixelsOf(link, red) > 0);
        QCOMPARE(TextColour(other), QColor(Qt::black));  // the other link is not touched
        PointerTo(form.ui->BitBtn1, QPoint(5, 5));
        QTRY_COMPARE(TextColour(link), navy);
        PointerTo(link, QPoint(6, 5));
        QTRY_COMPARE(TextColour(link), red);
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(6, 5));
        QCOMPARE(TextColour(link), green);
        QVERIFY(PixelsOf(link, green) > 0);
        QCOMPARE(answers.links.size(), 1);
        QCOMPARE(answers.links.constFirst(), mail ? TAboutForm::MailLink() : TAboutForm::DocumentationLink());
        QVERIFY(form.isVisible());               // the dialog stays open
        QTest::keyClick(&form, Qt::Key_Return);  // closed with the pointer still on the link
    });
    QVERIFY(form.isHidden());
    QCOMPARE(TextColour(link), green);

    RunModal(form, [&] {
        QTest::qWait(50);
        QCOMPARE(TextColour(link), green);  // still the clicked look
        PointerTo(link, QPoint(8, 6));
        QTRY_COMPARE(TextColour(link), red);
        form.accept();
    });
    QCOMPARE(answers.links.size(), 1);
}

void AboutFormTest::linkTargets() {
    QCOMPARE(TAboutForm::MailLink().toString(QUrl::FullyEncoded),
             u"mailto:?subject=Laser%20Picture%20Editor"_s);

    // The installed README is preferred; without it the source tree's.
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath(u"bin"_s));
    const QString bin = prefix.filePath(u"bin"_s);
    QCOMPARE(QFileInfo(TAboutForm::ReadmePath(bin)).fileName(), u"README.md"_s);
    QVERIFY(QFileInfo(TAboutForm::ReadmePath(bin)).isFile());  // the source tree's
    QVERIFY(QDir(prefix.path()).mkpath(u"share/doc/laserpic"_s));
    const QString installed = prefix.filePath(u"share/doc/laserpic/README.md"_s);
    QVERIFY(WriteBytes(installed, "# Installed\n"));
    QCOMPARE(TAboutForm::ReadmePath(bin), installed);

    // The web link is the README made a page, so the browser opens it.
    const QUrl page = TAboutForm::DocumentationLink();
    QVERIFY(page.isLocalFile());
    QVERIFY(page.toLocalFile().endsWith(u".html"_s));
    const QString html = QString::fromUtf8(ReadBytes(page.toLocalFile()));
    QVERIFY(html.contains(u"Laser Picture Editor"_s));
    QVERIFY(html.contains(u"<h2"_s));
}

void AboutFormTest::linkOpensOncePerClick() {
    ScriptedDialogs answers;
    TAboutForm form;
    RunModal(form, [&] {
        // A double click as the window system delivers it.
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            const QPointF at(6, 5);
            QMouseEvent mouse(type, at, form.ui->Label2->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
            QApplication::sendEvent(form.ui->Label2, &mouse);
        }
        QCOMPARE(answers.links.size(), 1);
        QTest::mouseClick(form.ui->Label6, Qt::RightButton, {}, QPoint(6, 5));  // no click
        QCOMPARE(answers.links.size(), 1);
        QTest::mouseClick(form.ui->Label6, Qt::LeftButton, {}, QPoint(6, 5));
        QCOMPARE(answers.links.size(), 2);
    });
}

void AboutFormTest::timerTicksWhileHidden() {
    TAboutForm form;
    QVERIFY(form.isHidden());
    const int before = form.titleFlips();
    QTRY_VERIFY_WITH_TIMEOUT(form.titleFlips() >= before + 2, 2000);
    RunModal(form, [&] {
        const int shown = form.titleFlips();
        QTRY_VERIFY_WITH_TIMEOUT(form.titleFlips() >= shown + 2, 2000);
        QTest::keyClick(&form, Qt::Key_Return);
    });
    QVERIFY(form.isHidden());
    QVERIFY(form.Timer1->isActive());
    const int after = form.titleFlips();
    QTRY_VERIFY_WITH_TIMEOUT(form.titleFlips() >= after + 1, 2000);
}

QTEST_MAIN(AboutFormTest)
#include "test_aboutform.moc"
