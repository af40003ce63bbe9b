// The one reading of a command's arguments. A command declares its options
// (Options.h has those the commands share), each with its help and the
// reader that puts its value into the command's settings, and one loop reads
// them as "--name value", "--name=value", a flag or an alias ("-o"), with the
// operands (the arguments that are not options) in between.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trevalco::cli {

// Why a value, or the arguments as a whole, cannot be taken; nothing when they can.
using Refusal = std::optional<std::string>;

// Reads an option's value (empty for a flag) into the settings it was declared for.
using OptionReader = std::function<Refusal(std::string_view value)>;

struct Option {
    std::string_view name{};  // "--zone"
    std::string value{};      // what it takes, as the synopsis writes it ("N", "dd|dms|utm"); empty: a flag
    std::string help{};       // what --help says of it, its lines broken with '\n'
    OptionReader read{};
    bool valueInHelp = false;  // --help names it with its value ("--zone N"), not alone ("--from")
    bool required = false;     // refused when it is missing
    std::string_view alias{};  // "-o" for --output

    // "--zone N", "-o|--output RUTA": the option as the synopsis and a refusal write it.
    std::string Usage() const;
};

// A reader that parses the value with `parse` (text to an optional value)
// into `target`; a value it does not parse is refused as "<refusal>: <value>".
template <typename T, typename Parse>
OptionReader Into(T& target, Parse parse, std::string refusal) {
    return [&target, parse, refusal = std::move(refusal)](std::string_view value) -> Refusal {
        auto parsed = parse(value);
        if (!parsed) return refusal + ": " + std::string(value);
        target = std::move(*parsed);
        return std::nullopt;
    };
}

// A reader that takes the value as it is written.
template <typename T>
OptionReader TextInto(T& target) {
    return [&target](std::string_view value) -> Refusal {
        target = std::string(value);
        return std::nullopt;
    };
}

// A flag's reader.
OptionReader Raise(bool& flag);

// The arguments that are not options: how many the command takes, and what
// it says when fewer are given.
struct Operands {
    std::size_t count = 0;
    std::string_view missing;
};

struct ArgumentsRead {
    bool help = false;  // --help or -h came before anything refused
    Refusal refusal;
    std::vector<std::string> operands;

    // Whether the command ends here, with its help or the refusal.
    bool Stopped() const { return help || refusal.has_value(); }
};

// Reads the arguments through the options' readers, in order, and stops at
// the first refusal or at --help: an unknown option, one without its value,
// a value its reader refuses, an operand too many; then too few operands,
// then a required option that is missing.
ArgumentsRead ReadArguments(std::span<const Option> options, Operands operands, int argc, const char* const* argv);

// A command's settings, or why there are none.
template <typename Settings>
struct Parsed {
    std::optional<Settings> settings{};
    std::string error{};
    bool help = false;

    static Parsed Refused(std::string why) { return {std::nullopt, std::move(why), false}; }
    // The arguments that did not come to settings: --help, or their refusal.
    static Parsed Unread(const ArgumentsRead& read) { return {std::nullopt, read.refusal.value_or(""), read.help}; }
};

}  // namespace trevalco::cli
