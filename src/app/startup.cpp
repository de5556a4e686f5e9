#include "app/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/aboutform.h"
#include "app/auxforms.h"
#include "app/baseform.h"
#include "link/progform.h"
#include "link/txcomform.h"

EditorWindows::EditorWindows() = default;
EditorWindows::~EditorWindows() = default;
EditorWindows::EditorWindows(EditorWindows&&) noexcept = default;

void InstallTranslations(QApplication& app) {
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                         QStringLiteral("_"), dir))
        QApplication::installTranslator(translator);
    else
        delete translator;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

EditorWindows CreateEditorWindows() {
    EditorWindows windows;
    windows.base = std::make_unique<TBaseForm>();
    windows.about = std::make_unique<TAboutForm>();
    windows.txCom = std::make_unique<TTxComForm>();
    windows.prog = std::make_unique<TProgForm>();
    windows.txCom->setPicture(&windows.base->FigureX, &windows.base->FigureY, &windows.base->PictureName);
    windows.base->setAuxiliaryForms(windows.about.get(), windows.txCom.get(), windows.prog.get());
    return windows;
}
