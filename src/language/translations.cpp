#include "language/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace lp {

namespace {

// Qt's own catalogue, which still files some texts under the class that drew
// them before Qt 6: the file list's "Folder" and "Drive" under the file dialog.
class QtCatalogue : public QTranslator {
  public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        const QString text = QTranslator::translate(context, source, disambiguation, n);
        if (text.isEmpty() && qstrcmp(context, "QAbstractFileIconProvider") == 0)
            return QTranslator::translate("QFileDialog", source, disambiguation, n);
        return text;
    }
};

// Loads a translation file and installs it on the application; false when
// there is no such file.
bool Install(QCoreApplication& app, const QLocale& locale, const QString& name, const QStringList& folders) {
    auto* translator = name == QLatin1String("qtbase") ? new QtCatalogue(&app) : new QTranslator(&app);
    for (const QString& folder : folders)
        if (translator->load(locale, name, QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
    delete translator;
    return false;
}

}  // namespace

bool WantsEnglish(const QStringList& uiLanguages) {
    return !uiLanguages.isEmpty() && QLocale(uiLanguages.constFirst()).language() == QLocale::English;
}

QLocale InterfaceLocale() {
    return QLocale().language() == QLocale::English ? QLocale() : QLocale(QLocale::Russian, QLocale::Russia);
}

QStringList TranslationFolders() {
    const QDir program(QCoreApplication::applicationDirPath());
    // The decoding program is installed a folder deeper, in libexec/laserpic.
    return {program.filePath(QStringLiteral("translations")),
            program.filePath(QStringLiteral("../share/laserpic/translations")),
            program.filePath(QStringLiteral("../../share/laserpic/translations"))};
}

QString InstallTranslations(QCoreApplication& app, const QStringList& uiLanguages,
                            const QStringList& folders) {
    const QStringList qtFolder{QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    if (WantsEnglish(uiLanguages)) {
        const QLocale english(uiLanguages.constFirst());
        if (Install(app, english, QStringLiteral("laserpic"), folders)) {
            Install(app, english, QStringLiteral("qtbase"), qtFolder);
            QLocale::setDefault(english);
            return QStringLiteral("en");
        }
    }
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    Install(app, russian, QStringLiteral("qtbase"), qtFolder);
    QLocale::setDefault(russian);
    return QStringLiteral("ru");
}

}  // namespace lp
