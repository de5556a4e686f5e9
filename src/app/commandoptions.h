// The table of the command line: every option and every conversion, and the
// help written from it. A new option is one row of kOptions in
// commandoptions.cpp and a read of CommandLine::isSet, value or number where
// it is used.
#pragma once

#include <QString>
#include <optional>
#include <span>

#include "app/command.h"

namespace lp {

// A text of the command line, translated.
QString CommandText(const char* text);

enum class OptionKind {
    Flag,     // no value
    Value,    // any value, the empty one too
    Name,     // a value that may not be empty
    Number,   // a whole number within low..high
    Choice,   // one of the words of `value`, separated by '|'
    Decimal,  // a number within low..high, its fraction after "." or ","
};

// Where an option may stand: bit 0 the editor's own command line, the others
// the conversions.
constexpr unsigned UseBit(Conversion c) {
    return 1u << static_cast<unsigned>(c);
}
constexpr unsigned kUseEditor = UseBit(Conversion::None);
constexpr unsigned kUseEverywhere = ~0u;

struct CommandOption {
    const char* name;  // the long name, after "--"
    char letter = 0;   // the short name, after "-", if any
    OptionKind kind = OptionKind::Flag;
    const char* value = nullptr;  // the value's name in --help and the synopses
    // The mistake of a missing or wrong value: %1 the option, %2 and %3 the
    // range when it names one.
    const char* need = nullptr;
    int low = 0, high = 0;           // a number's range
    unsigned use = kUseEditor;       // where it may stand
    const char* help = nullptr;      // its line of --help; none: not listed
    const char* excludes = nullptr;  // an option it may not stand with
};

struct CommandConversion {
    Conversion conversion;
    const char* option;  // its own option, which asks for it
    const char* files;   // the files it takes, as --help names them
    int fileCount;
    int (*run)(const CommandLine&);
    const char* help;
};

std::span<const CommandConversion> CommandConversions();
// The option of a long name or a letter, Qt's own options included; null when none.
const CommandOption* FindCommandOption(const QString& name);
bool OptionValueFits(const CommandOption& option, const QString& value);
// The conversion with its files and options, as --help shows it.
QString ConversionSynopsis(const CommandConversion& conversion);
// "--trace или --text": the conversions an option belongs to.
QString ConversionsOf(const CommandOption& option);
QString CommandHelp();

}  // namespace lp
