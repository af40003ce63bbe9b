// A command's --help, made from its options: the synopsis, what the command
// does, each option's line, and what follows them.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ArgumentParser.h"

namespace trevalco::cli {

struct HelpPage {
    std::string_view command;  // "convert"
    // The synopsis after "Uso: trevalco-cli COMMAND ", its lines broken with
    // '\n'; each option's name there stands for its usage ("--zone N").
    std::string_view synopsis;
    std::string_view about;  // what the command does: the paragraphs before "Opciones:"
    std::size_t column;      // where the options' descriptions start
    std::string_view after;  // the paragraphs after the options
};

std::string HelpText(const HelpPage& page, std::span<const Option> options);

// The help of a command whose options are declared by `declare`, bound to
// settings that are read for their defaults only.
template <typename Settings>
std::string HelpText(const HelpPage& page, std::vector<Option> (*declare)(Settings&)) {
    Settings defaults;
    return HelpText(page, declare(defaults));
}

}  // namespace trevalco::cli
