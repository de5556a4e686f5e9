// The interface's language: English for users whose first language is
// English, Russian (the program's own texts) for everyone else, in the
// windows, the message boxes, Qt's own buttons and the command line.
#include <QAbstractItemView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include "app/aboutform.h"
#include "app/baseform.h"
#include "app/startup.h"
#include "language/translations.h"
#include "support/basewindow.h"
#include "support/editorprogram.h"
#include "support/scripteddialogs.h"
#include "ui_aboutform.h"
#include "widgets/dialogs.h"

using namespace Qt::StringLiterals;

class TestLanguage : public QObject {
    Q_OBJECT
  private slots:
    void choice_data();
    void choice();
    void windows_data();
    void windows();
    void commandLine_data();
    void commandLine();
};

void TestLanguage::choice_data() {
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<bool>("english");
    QTest::newRow("en") << QStringList{"en"} << true;
    QTest::newRow("en-GB, then ru") << QStringList{"en-GB", "ru"} << true;
    QTest::newRow("ru-RU") << QStringList{"ru-RU", "en"} << false;
    QTest::newRow("de, then en") << QStringList{"de", "en"} << false;
    QTest::newRow("C") << QStringList{"C"} << false;
    QTest::newRow("none") << QStringList{} << false;
}

void TestLanguage::choice() {
    QFETCH(QStringList, languages);
    QFETCH(bool, english);
    QCOMPARE(lp::WantsEnglish(languages), english);
}

void TestLanguage::windows_data() {
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<QString>("installed");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("hint");  // of the open button
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("yes");
    QTest::addColumn<QString>("folder");  // the file dialog's type of a folder
    QTest::addColumn<QString>("date");    // and the pattern of its dates
    const QString russianDate = uR"(^\d\d\.\d\d\.\d{4} \d\d:\d\d$)"_s;
    QTest::newRow("en") << QStringList{"en-US"} << "en"
                        << u" Laser Picture Editor  [no file]  [no picture] "_s
                        << u"Open a laser picture for editing"_s << u"File not found."_s << u"Yes"_s
                        << u"Folder"_s << uR"(^\d+/\d+/\d\d \d+:\d\d\s[AP]M$)"_s;
    QTest::newRow("C") << QStringList{"C"} << "ru"
                       << u" Редактор картинок для лазера  [no FileLaser]  [no Picture] "_s
                       << u"Открыть файл лазерной картинки для редактирования"_s << u"Файл не найден !"_s
                       << u"Да"_s << u"Папка"_s << russianDate;
    QTest::newRow("fr") << QStringList{"fr"} << "ru"
                        << u" Редактор картинок для лазера  [no FileLaser]  [no Picture] "_s
                        << u"Открыть файл лазерной картинки для редактирования"_s << u"Файл не найден !"_s
                        << u"Да"_s << u"Папка"_s << russianDate;
}

void TestLanguage::windows() {
    QFETCH(QStringList, languages);
    QFETCH(QString, installed);
    qDeleteAll(qApp->findChildren<QTranslator*>());  // each row from untranslated
    QCOMPARE(lp::InstallTranslations(*qApp, languages, {QStringLiteral(LASERPIC_TRANSLATIONS)}), installed);
    lp::EditorWindows windows = lp::CreateEditorWindows();
    TBaseForm& form = *windows.base;
    QTEST(form.windowTitle(), "title");
    QTEST(win::openPicButton(form)->toolTip(), "hint");
    ScriptedDialogs d;
    lp::OpenPictureAtStartUp(form, QStringLiteral("/nonexistent/picture.kvt"));
    QCOMPARE(d.messages.size(), 1);
    QTEST(d.messages[0].text.section('\n', 0, 0), "message");
    QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes);
    QTEST(box.button(QMessageBox::Yes)->text().remove(u'&'), "yes");
    // The About texts whole in their labels, clear of the picture, the button and each other.
    const Ui::TAboutForm& about = *windows.about->ui;
    const QList<QLabel*> labels{about.Label4, about.Label1, about.Label3, about.Label2, about.Label6};
    for (QLabel* label : labels) {
        const QRect place = label->geometry();
        const QRect text =
            label->fontMetrics().boundingRect(place, label->wordWrap() ? Qt::TextWordWrap : 0, label->text());
        QVERIFY2(place.contains(text) && !place.intersects(about.Image1->geometry()) &&
                     !place.intersects(about.BitBtn1->geometry()),
                 qPrintable(label->text()));
        for (QLabel* other : labels) QVERIFY(other == label || !place.intersects(other->geometry()));
    }
    // Qt's own file list.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
    QString type, written;
    QTimer::singleShot(0, qApp, [&] {
        if (auto* view = QApplication::activeModalWidget()->findChild<QAbstractItemView*>(u"treeView"_s)) {
            auto cell = [view](int column) {
                return view->model()->index(0, column, view->rootIndex()).data();
            };
            QTRY_VERIFY(!(written = cell(3).toString()).isEmpty() && !(type = cell(2).toString()).isEmpty());
        }
        QApplication::activeModalWidget()->close();
    });
    lp::FileDialogState state{u"…"_s, u"* (*)"_s, {}, dir.filePath(u"x"_s)};
    lp::DialogSeam().openFile(nullptr, state);  // the real one
    QTEST(type, "folder");
    QFETCH(QString, date);
    QVERIFY2(QRegularExpression(date).match(written).hasMatch(), qPrintable(written));
}

void TestLanguage::commandLine_data() {
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("help");  // the first line of --help
    QTest::newRow("LANGUAGE=en") << QStringList{"LANGUAGE=en", "LC_ALL=C.UTF-8"}
                                 << u"Usage: laserpic [options] [picture.kvt]"_s;
    QTest::newRow("LANG=C") << QStringList{"LANG=C"}
                            << u"Использование: laserpic [параметры] [картинка.kvt]"_s;
}

// The program itself, with only the environment given.
void TestLanguage::commandLine() {
    QFETCH(QStringList, environment);
    const EditorRun run = RunEditor({QStringLiteral("--help")}, {}, {}, environment);
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 0);
    QTEST(run.out.section('\n', 0, 0), "help");
}

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
