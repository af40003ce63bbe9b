#include "ArgumentParser.h"

#include <algorithm>

namespace trevalco::cli {

std::string Option::Usage() const {
    std::string usage = alias.empty() ? std::string(name) : std::string(alias) + "|" + std::string(name);
    if (!value.empty()) usage += " " + value;
    return usage;
}

OptionReader Raise(bool& flag) {
    return [&flag](std::string_view) -> Refusal {
        flag = true;
        return std::nullopt;
    };
}

ArgumentsRead ReadArguments(std::span<const Option> options, Operands operands, int argc, const char* const* argv) {
    ArgumentsRead read;
    std::vector<bool> given(options.size(), false);
    const auto refuse = [&read](std::string why) {
        read.refusal = std::move(why);
        return read;
    };
    for (int i = 0; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            read.help = true;
            return read;
        }
        const bool named = argument.starts_with("--");
        const std::size_t equals = named ? argument.find('=') : std::string_view::npos;
        const std::string_view name = argument.substr(0, equals);
        const auto option = std::ranges::find_if(
            options, [&](const Option& o) { return named ? o.name == name : !o.alias.empty() && o.alias == argument; });
        if (option == options.end()) {
            if (named) return refuse("opción desconocida: " + std::string(name));
            if (read.operands.size() == operands.count) return refuse("argumento inesperado: " + std::string(argument));
            read.operands.emplace_back(argument);
            continue;
        }
        std::string_view value;
        if (option->value.empty()) {
            // A flag takes no value: "--overwrite=1" names no option.
            if (equals != std::string_view::npos) return refuse("opción desconocida: " + std::string(name));
        } else if (equals != std::string_view::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            return refuse("falta el valor de " + std::string(option->name));
        }
        if (Refusal refused = option->read(value)) return refuse(std::move(*refused));
        given[static_cast<std::size_t>(option - options.begin())] = true;
    }
    if (read.operands.size() < operands.count) return refuse(std::string(operands.missing));
    for (std::size_t i = 0; i < options.size(); ++i)
        if (options[i].required && !given[i]) return refuse("falta " + options[i].Usage());
    return read;
}

}  // namespace trevalco::cli
