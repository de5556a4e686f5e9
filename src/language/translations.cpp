#include "language/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace lp {

namespace {

// Loads a translation file and installs it on the application; false when
// there is no such file.
bool Install(QCoreApplication& app, const QLocale& locale, const QString& name, const QStringList& folders) {
    auto* translator = new QTranslator(&app);
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
