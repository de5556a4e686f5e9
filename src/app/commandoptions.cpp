#include "app/commandoptions.h"

#include <QCoreApplication>
#include <climits>
#include <vector>

#include "app/ilda_cli.h"
#include "app/trace_cli.h"

namespace lp {

QString CommandText(const char* text) {
    return QCoreApplication::translate("CommandLine", text);
}

namespace {

const char* const kNeedNumber = QT_TRANSLATE_NOOP("CommandLine", "после %1 нужно число от %2 до %3");

// Every option of the program, in the order --help lists them. A new option is
// one row here and a read of CommandLine::value/isSet/number where it is used.
const CommandOption kOptions[] = {
    {.name = "help",
     .letter = 'h',
     .use = kUseEverywhere,
     .help = QT_TRANSLATE_NOOP("CommandLine", "Показать эту справку и выйти.")},
    {.name = "version",
     .letter = 'v',
     .use = kUseEverywhere,
     .help = QT_TRANSLATE_NOOP("CommandLine", "Показать версию и выйти.")},
    // The conversions' own options: each asks for its conversion (kConversions).
    {.name = "export-ilda", .use = UseBit(Conversion::ExportIlda)},
    {.name = "import-ilda", .use = UseBit(Conversion::ImportIlda)},
    {.name = "trace", .use = UseBit(Conversion::Trace)},
    {.name = "text",
     .kind = OptionKind::Value,
     .value = QT_TRANSLATE_NOOP("CommandLine", "ТЕКСТ"),
     .need = QT_TRANSLATE_NOOP("CommandLine", "после %1 нужен текст"),
     .use = UseBit(Conversion::Text)},
    // The conversions' options, in the order their synopses show them.
    {.name = "frame",
     .kind = OptionKind::Number,
     .value = "N",
     .need = QT_TRANSLATE_NOOP("CommandLine", "после %1 нужен номер кадра, начиная с 1"),
     .low = 1,
     .high = INT_MAX,
     .use = UseBit(Conversion::ImportIlda),
     .help = QT_TRANSLATE_NOOP("CommandLine", "Кадр файла ILDA, считая с 1 (по умолчанию первый).")},
    {.name = "ink",
     .kind = OptionKind::Choice,
     .value = "auto|dark|light",
     .need = QT_TRANSLATE_NOOP("CommandLine", "после %1 нужно auto, dark или light"),
     .use = UseBit(Conversion::Trace),
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "Что обводить: auto — то, что не занимает края картинки (по умолчанию), "
                               "dark — тёмное, light — светлое.")},
    {.name = "invert",
     .use = UseBit(Conversion::Trace),
     .help = QT_TRANSLATE_NOOP("CommandLine", "То же, что --ink light."),
     .excludes = "ink"},
    {.name = "outline",
     .use = UseBit(Conversion::Trace),
     .help =
         QT_TRANSLATE_NOOP("CommandLine", "Обвести все части по краю (иначе тонкие штрихи — по середине)."),
     .excludes = "lines"},
    {.name = "lines",
     .use = UseBit(Conversion::Trace),
     .help = QT_TRANSLATE_NOOP("CommandLine", "Обвести все части линиями по середине их штрихов.")},
    {.name = "parts",
     .kind = OptionKind::Number,
     .value = "N",
     .need = kNeedNumber,
     .low = 1,
     .high = 1000,
     .use = UseBit(Conversion::Trace),
     .help = QT_TRANSLATE_NOOP("CommandLine", "Рисовать не больше N крупнейших частей.")},
    {.name = "threshold",
     .kind = OptionKind::Number,
     .value = "0..255",
     .need = kNeedNumber,
     .low = 0,
     .high = 255,
     .use = UseBit(Conversion::Trace),
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "Порог: при --ink auto — насколько краска отличается от фона, при dark и "
                               "light — между тёмным и светлым (иначе выбирается сам).")},
    {.name = "detail",
     .kind = OptionKind::Decimal,
     .value = "0..20",
     .need = kNeedNumber,
     .low = 0,
     .high = 20,  // as the trace window's "Мельчайшая деталь" allows
     .use = UseBit(Conversion::Trace),
     .help = QT_TRANSLATE_NOOP("CommandLine",
                               "Наименьшая часть картинки, что обводится: сторона квадрата в единицах поля "
                               "(по умолчанию 1,5).")},
    {.name = "font",
     .kind = OptionKind::Name,
     .value = QT_TRANSLATE_NOOP("CommandLine", "ШРИФТ"),
     .need = QT_TRANSLATE_NOOP("CommandLine", "после %1 нужно название шрифта"),
     .use = UseBit(Conversion::Text),
     .help = QT_TRANSLATE_NOOP("CommandLine", "Семейство шрифта (иначе шрифт системы).")},
    {.name = "bold",
     .use = UseBit(Conversion::Text),
     .help = QT_TRANSLATE_NOOP("CommandLine", "Полужирный шрифт.")},
    {.name = "size",
     .kind = OptionKind::Number,
     .value = "10..255",
     .need = kNeedNumber,
     .low = 10,
     .high = 255,
     .use = UseBit(Conversion::Trace) | UseBit(Conversion::Text),
     .help = QT_TRANSLATE_NOOP("CommandLine", "Длинная сторона контура в единицах поля (по умолчанию 200).")},
};

const CommandConversion kConversions[] = {
    {Conversion::ExportIlda, "export-ilda", QT_TRANSLATE_NOOP("CommandLine", "КАРТИНКА.kvt ВЫХОД.ild"), 2,
     RunIldaExport,
     QT_TRANSLATE_NOOP("CommandLine", "Записать картинку файлом ILDA: один замкнутый кадр из 256 точек.")},
    {Conversion::ImportIlda, "import-ilda", QT_TRANSLATE_NOOP("CommandLine", "ВХОД.ild ВЫХОД.kvt"), 2,
     RunIldaImport, QT_TRANSLATE_NOOP("CommandLine", "Записать кадр файла ILDA картинкой из 256 точек.")},
    {Conversion::Trace, "trace", QT_TRANSLATE_NOOP("CommandLine", "КАРТИНКА ВЫХОД.kvt"), 2, RunTraceImage,
     QT_TRANSLATE_NOOP("CommandLine",
                       "Обвести картинку одним контуром из 256 точек: каждую часть по краю или, если "
                       "её штрихи тонки, по середине; что не умещается, начиная с мелочи, пропускается.")},
    {Conversion::Text, "text", QT_TRANSLATE_NOOP("CommandLine", "ВЫХОД.kvt"), 1, RunTraceText,
     QT_TRANSLATE_NOOP("CommandLine",
                       "Обвести текст одним контуром из 256 точек; перевод строки в тексте начинает новую "
                       "строку, каждая по середине.")},
};

// Options of QGuiApplication and QApplication that take a value, and those
// that do not; accepted here and handled by the application object.
const char* const kQtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                       "display",  "qwindowgeometry",    "geometry",      "qwindowtitle",
                                       "title",    "qwindowicon",        "icon",          "name",
                                       "style",    "stylesheet",         "session"};
const char* const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

// "--name VALUE" as --help and the synopses show it.
QString Shown(const CommandOption& option) {
    QString text = QStringLiteral("--") + QLatin1String(option.name);
    if (option.value) text += QLatin1Char(' ') + CommandText(option.value);
    return text;
}

QString HelpLine(const QString& left, const char* help) {
    constexpr int kColumn = 24;
    const QString pad(kColumn + 4, QLatin1Char(' '));
    if (left.size() >= kColumn) return QStringLiteral("  %1\n%2%3\n").arg(left, pad, CommandText(help));
    return QStringLiteral("  %1  %2\n").arg(left, -kColumn).arg(CommandText(help));
}

}  // namespace

std::span<const CommandConversion> CommandConversions() {
    return kConversions;
}

const CommandOption* FindCommandOption(const QString& name) {
    static const std::vector<CommandOption> all = [] {
        std::vector<CommandOption> options(std::begin(kOptions), std::end(kOptions));
        const char* need = QT_TRANSLATE_NOOP("CommandLine", "после %1 нужно значение");
        for (const char* qt : kQtValueOptions)
            options.push_back({.name = qt, .kind = OptionKind::Value, .need = need});
        for (const char* qt : kQtFlagOptions) options.push_back({.name = qt});
        return options;
    }();
    for (const CommandOption& option : all)
        if (name == QLatin1String(option.name) || (name.size() == 1 && name[0] == QLatin1Char(option.letter)))
            return &option;
    return nullptr;
}

bool OptionValueFits(const CommandOption& option, const QString& value) {
    if (option.kind == OptionKind::Name) return !value.isEmpty();
    if (option.kind == OptionKind::Choice)
        return QString::fromLatin1(option.value).split(QLatin1Char('|')).contains(value);
    if (option.kind == OptionKind::Decimal) {
        const auto number = DecimalValue(value);
        return number && *number >= option.low && *number <= option.high;
    }
    if (option.kind != OptionKind::Number) return true;
    bool ok = false;
    const int n = value.toInt(&ok);
    return ok && n >= option.low && n <= option.high;
}

QString ConversionSynopsis(const CommandConversion& row) {
    QString text =
        Shown(*FindCommandOption(QLatin1String(row.option))) + QLatin1Char(' ') + CommandText(row.files);
    for (const CommandOption& option : kOptions) {
        const bool own = QLatin1String(option.name) == QLatin1String(row.option);
        if (option.use != kUseEverywhere && !own && (option.use & UseBit(row.conversion)))
            text += QStringLiteral(" [") + Shown(option) + QLatin1Char(']');
    }
    return text;
}

QString CommandHelp() {
    QString text =
        CommandText(QT_TRANSLATE_NOOP("CommandLine",
                                      "Использование: %1 [параметры] [картинка.kvt]\n"
                                      "Редактор картинок для лазера: картинки из 256 точек для автономного "
                                      "лазерного проектора.\n"
                                      "Открывает указанный файл картинки так же, как команда открытия.\n"))
            .arg(kProgramName);
    text +=
        QLatin1Char('\n') + CommandText(QT_TRANSLATE_NOOP("CommandLine", "Параметры:")) + QLatin1Char('\n');
    for (const CommandOption& option : kOptions)
        if (option.use == kUseEverywhere)
            text +=
                HelpLine(QStringLiteral("-%1, %2").arg(QString(QLatin1Char(option.letter)), Shown(option)),
                         option.help);
    text += QLatin1Char('\n') + CommandText(QT_TRANSLATE_NOOP("CommandLine", "Преобразования, без окна:")) +
            QLatin1Char('\n');
    for (const CommandConversion& row : kConversions) text += HelpLine(ConversionSynopsis(row), row.help);
    text += QLatin1Char('\n') + CommandText(QT_TRANSLATE_NOOP("CommandLine", "Параметры преобразований:")) +
            QLatin1Char('\n');
    for (const CommandOption& option : kOptions)
        if (option.use != kUseEverywhere && option.help) text += HelpLine(Shown(option), option.help);
    text +=
        QLatin1Char('\n') +
        CommandText(QT_TRANSLATE_NOOP(
            "CommandLine", "Собственные параметры Qt (-platform, -display, -style, ...) передаются Qt.")) +
        QLatin1Char('\n');
    return text;
}

QString ConversionsOf(const CommandOption& option) {
    QStringList names;
    for (const CommandConversion& row : kConversions)
        if (option.use & UseBit(row.conversion)) names << QStringLiteral("--") + QLatin1String(row.option);
    return names.join(CommandText(QT_TRANSLATE_NOOP("CommandLine", " или ")));
}

}  // namespace lp
