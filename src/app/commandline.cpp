#include "app/commandline.h"

#include <QDir>
#include <QGuiApplication>
#include <QUrl>
#include <cstdio>
#include <vector>

#include "app/command.h"
#include "app/commandoptions.h"
#include "language/translations.h"

namespace lp {

namespace {

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
    CommandLine result;
    auto mistake = [&result](const QString& text) {
        result.errors = MessageLine(
            text + CommandText(QT_TRANSLATE_NOOP("CommandLine", "; справка: %1 --help")).arg(kProgramName));
        result.exitCode = 2;
        return result;
    };

    QStringList positional;
    std::vector<std::pair<const CommandOption*, QString>> given;  // with the name as typed
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg.size() == 1) {
            positional << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString typed = equals < 0 ? arg : arg.left(equals);
        const CommandOption* option =
            FindCommandOption(typed.mid(typed.startsWith(QLatin1String("--")) ? 2 : 1));
        if (!option)
            return mistake(
                CommandText(QT_TRANSLATE_NOOP("CommandLine", "неизвестный параметр %1")).arg(typed));
        QString value;
        if (option->kind == OptionKind::Flag) {
            if (equals >= 0)
                return mistake(
                    CommandText(QT_TRANSLATE_NOOP("CommandLine", "у параметра %1 не бывает значения"))
                        .arg(typed));
        } else {
            const bool present = equals >= 0 || i + 1 < arguments.size();
            value = equals >= 0 ? arg.mid(equals + 1) : present ? arguments[++i] : QString();
            if (!present || !OptionValueFits(*option, value)) {
                QString need = CommandText(option->need).arg(typed);
                if (need.contains(QLatin1String("%2"))) need = need.arg(option->low).arg(option->high);
                return mistake(need);
            }
        }
        result.values.insert(QLatin1String(option->name), value);
        given.emplace_back(option, typed);
    }

    const CommandConversion* conversion = nullptr;
    for (const auto& [option, typed] : given)
        for (const CommandConversion& row : CommandConversions())
            if (QLatin1String(option->name) == QLatin1String(row.option)) {
                if (conversion)
                    return mistake(
                        CommandText(QT_TRANSLATE_NOOP("CommandLine", "одно преобразование за раз")));
                conversion = &row;
            }

    if (result.isSet(QStringLiteral("help"))) {
        result.output = CommandHelp();
        result.exitCode = 0;
        return result;
    }
    if (result.isSet(QStringLiteral("version"))) {
        result.output = QStringLiteral("%1 %2\n").arg(kProgramName, QStringLiteral(LASERPIC_VERSION));
        result.exitCode = 0;
        return result;
    }

    for (const auto& [option, typed] : given)
        if (option->excludes && result.isSet(QLatin1String(option->excludes)))
            return mistake(CommandText(QT_TRANSLATE_NOOP("CommandLine", "выберите что-то одно: %1 или --%2"))
                               .arg(typed, QLatin1String(option->excludes)));

    const unsigned here = conversion ? UseBit(conversion->conversion) : kUseEditor;
    const QString expected = conversion ? CommandText(QT_TRANSLATE_NOOP("CommandLine", "ожидается: %1"))
                                              .arg(ConversionSynopsis(*conversion))
                                        : QString();
    for (const auto& [option, typed] : given)
        if (!(option->use & here))
            return mistake(conversion
                               ? expected
                               : CommandText(QT_TRANSLATE_NOOP("CommandLine", "%1 — только вместе с %2"))
                                     .arg(typed, ConversionsOf(*option)));
    if (conversion) {
        if (positional.size() != conversion->fileCount) return mistake(expected);
        result.conversion = conversion->conversion;
        result.paths = positional;
        return result;
    }

    if (!positional.isEmpty() && !positional.constFirst().isEmpty())
        result.picture = PicturePath(positional.constFirst());
    if (positional.size() > 1)
        result.errors =
            MessageLine(CommandText(QT_TRANSLATE_NOOP("CommandLine", "одна картинка за раз, пропущены: %1"))
                            .arg(positional.mid(1).join(QLatin1Char(' '))));
    return result;
}

int RunConversion(const CommandLine& command) {
    for (const CommandConversion& row : CommandConversions())
        if (row.conversion == command.conversion) return row.run(command);
    return -1;
}

int AnswerWithoutWindow(const QStringList& arguments) {
    if (const CommandLine command = ParseCommandLine(arguments);
        !command.exitCode && command.conversion == Conversion::None)
        return -1;
    // Qt's own remarks (a missing runtime folder and the like) would break
    // the one line an answer writes.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    // Translations, fonts and picture decoders need an application object; no display is used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QByteArray program = arguments.value(0, kProgramName).toLocal8Bit();
    int argc = 1;
    char* argv[] = {program.data(), nullptr};
    QGuiApplication app(argc, argv);
    InstallTranslations(app);

    const CommandLine command = ParseCommandLine(arguments);  // now in the user's language
    std::fputs(command.output.toLocal8Bit().constData(), stdout);
    std::fputs(command.errors.toLocal8Bit().constData(), stderr);
    return command.exitCode ? *command.exitCode : RunConversion(command);
}

}  // namespace lp
