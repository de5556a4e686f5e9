#include "app/commandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QUrl>
#include <cstdio>

#include "app/ilda_cli.h"
#include "app/trace_cli.h"
#include "app/translations.h"

namespace {

const QString kProgram = QStringLiteral("laserpic");

// Options of QGuiApplication and QApplication that take a value, and those
// that do not; accepted here and handled by the application object.
const char* const kQtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                       "display",  "qwindowgeometry",    "geometry",      "qwindowtitle",
                                       "title",    "qwindowicon",        "icon",          "name",
                                       "style",    "stylesheet",         "session"};
const char* const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

QString HelpText(const QList<QCommandLineOption>& options) {
    QString text = QCoreApplication::translate(
                       "CommandLine",
                       "Использование: %1 [параметры] [картинка.kvt]\n"
                       "Редактор картинок для лазера: рисует картинки из 256 точек для автономного лазерного "
                       "проектора.\n"
                       "Открывает указанный файл картинки, как это делает команда открытия.\n\nПараметры:\n")
                       .arg(kProgram);
    for (const QCommandLineOption& option : options) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty()) left += QStringLiteral(" <%1>").arg(option.valueName());
        text += QStringLiteral("  %1  %2\n").arg(left, -22).arg(option.description());
    }
    text += QCoreApplication::translate("CommandLine", "\nПреобразования, без окна:\n") + IldaHelpText() +
            TraceHelpText();
    text += QCoreApplication::translate("CommandLine",
                                        "\nСобственные параметры Qt (-platform, -display, -style, ...) "
                                        "передаются Qt.\n");
    return text;
}

// A path as the open dialog would give it: absolute; a file: URL becomes its path.
QString PicturePath(const QString& argument) {
    const QUrl url(argument);
    const QString path =
        url.isLocalFile() && argument.startsWith(QLatin1String("file:")) ? url.toLocalFile() : argument;
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

}  // namespace

QStringList ArgumentList(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

CommandLine ParseCommandLine(const QStringList& arguments) {
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("CommandLine", "Показать эту справку и выйти."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QCoreApplication::translate("CommandLine", "Показать версию и выйти."));
    // Options of our own, in the order --help lists them.
    const QList<QCommandLineOption> options = {help, version};

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QCommandLineOption& option : options) parser.addOption(option);
    for (const char* name : kQtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    CommandLine result;
    if (!parser.parse(arguments)) {
        result.errors = QCoreApplication::translate("CommandLine", "%1: %2 Справка: %1 --help\n")
                            .arg(kProgram, parser.errorText());
        result.exitCode = 2;
        return result;
    }
    if (parser.isSet(help)) {
        result.output = HelpText(options);
        result.exitCode = 0;
        return result;
    }
    if (parser.isSet(version)) {
        result.output = QStringLiteral("%1 %2\n").arg(kProgram, QStringLiteral(LASERPIC_VERSION));
        result.exitCode = 0;
        return result;
    }
    const QStringList pictures = parser.positionalArguments();
    if (!pictures.isEmpty() && !pictures.constFirst().isEmpty())
        result.picture = PicturePath(pictures.constFirst());
    if (pictures.size() > 1)
        result.errors =
            QCoreApplication::translate("CommandLine", "%1: одна картинка за раз; пропущены: %2\n")
                .arg(kProgram, pictures.mid(1).join(QStringLiteral(" ")));
    return result;
}

int AnswerWithoutWindow(const QStringList& arguments) {
    // The conversions' options are unknown to the editor's own command line,
    // so every answer without a window shows as an end of the editor's.
    if (!ParseCommandLine(arguments).exitCode) return -1;

    // Qt's own remarks (a missing runtime folder and the like) would break
    // the one line an answer writes.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    // Translations, fonts and picture decoders need an application object; no display is used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QByteArray program = arguments.value(0, kProgram).toLocal8Bit();
    int argc = 1;
    char* argv[] = {program.data(), nullptr};
    QGuiApplication app(argc, argv);
    InstallTranslations(app);

    if (const int status = RunTraceCommand(arguments); status >= 0) return status;
    if (const int status = RunIldaCommand(arguments); status >= 0) return status;
    const CommandLine command = ParseCommandLine(arguments);  // now in the user's language
    std::fputs(command.output.toLocal8Bit().constData(), stdout);
    std::fputs(command.errors.toLocal8Bit().constData(), stderr);
    return *command.exitCode;
}
