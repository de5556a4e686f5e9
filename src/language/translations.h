// The interface's language. The program's own texts are Russian; an English
// translation is installed when the user's first interface language is
// English. Any other language keeps the Russian texts.
#pragma once

#include <QLocale>
#include <QStringList>

class QCoreApplication;

namespace lp {

// Whether the first of the user's interface languages (as
// QLocale::uiLanguages() lists them) is English. "C" and "POSIX" are not.
bool WantsEnglish(const QStringList& uiLanguages);

// Where the program's translations are looked for: beside the program (the
// build tree), then the installed data folder beside its bin (or, for the
// decoding program, libexec/laserpic) folder.
QStringList TranslationFolders();

// The locale numbers are written in: English once the English translation is
// installed, otherwise Russian, whatever the system's locale.
QLocale InterfaceLocale();

// Installs the translations for the languages and sets the default locale
// to match: the program's English texts and Qt's own English ones, or Qt's
// Russian texts (also when the English file is missing). Returns the
// language installed, "en" or "ru".
QString InstallTranslations(QCoreApplication& app, const QStringList& uiLanguages = QLocale().uiLanguages(),
                            const QStringList& folders = TranslationFolders());

}  // namespace lp
