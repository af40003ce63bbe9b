#include "HelpText.h"

#include <algorithm>

namespace trevalco::cli {

namespace {

// Columns a text takes on a terminal: its UTF-8 characters.
std::size_t Width(std::string_view text) {
    return static_cast<std::size_t>(std::ranges::count_if(text, [](char c) { return (c & 0xC0) != 0x80; }));
}

// A synopsis line with each option's name replaced by its usage.
std::string Expanded(std::string_view line, std::span<const Option> options) {
    std::string expanded;
    while (!line.empty()) {
        const std::size_t start = line.find("--");
        expanded += line.substr(0, start);
        if (start == std::string_view::npos) break;
        const std::size_t end = line.find_first_not_of("-abcdefghijklmnopqrstuvwxyz", start);
        const std::string_view name = line.substr(start, end - start);
        const auto option = std::ranges::find(options, name, &Option::name);
        expanded += option == options.end() ? std::string(name) : option->Usage();
        line = end == std::string_view::npos ? std::string_view() : line.substr(end);
    }
    return expanded;
}

// "  TERM" and its description from `column` on (two blanks further when the
// term reaches it), each of its lines below starting at `column`.
std::string Entry(const std::string& term, std::string_view description, std::size_t column) {
    std::string entry = "  " + term;
    entry += std::string(Width(entry) + 2 <= column ? column - Width(entry) : 2, ' ');
    for (const char c : description) {
        entry += c;
        if (c == '\n') entry += std::string(column, ' ');
    }
    return entry + "\n";
}

}  // namespace

std::string HelpText(const HelpPage& page, std::span<const Option> options) {
    const std::string lead = "Uso: trevalco-cli " + std::string(page.command) + " ";
    std::string text = lead;
    for (const char c : Expanded(page.synopsis, options)) {
        text += c;
        if (c == '\n') text += std::string(Width(lead), ' ');
    }
    text += "\n\n" + std::string(page.about) + "\nOpciones:\n";
    for (const Option& option : options) {
        std::string term = option.alias.empty() ? std::string() : std::string(option.alias) + ", ";
        term += option.name;
        if (option.valueInHelp) term += " " + option.value;
        text += Entry(term, option.help, page.column);
    }
    return text + Entry("--help", "muestra esta ayuda", page.column) + "\n" + std::string(page.after);
}

}  // namespace trevalco::cli
