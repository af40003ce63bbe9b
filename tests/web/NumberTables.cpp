// Prints what the point tab and the number texts make of a table of inputs,
// one result a line. The same source is built natively and for WebAssembly;
// the test compares the two outputs byte for byte, so every number text of
// the browser edition is held to the native one.
//
//   number_tables WORKED_POINTS_TSV
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "Compat.h"
#include "NumberText.h"
#include "PointTabRules.h"

using namespace trevalco;

namespace {

const number_text::Separators kComma{",", "."};

std::vector<std::string> Split(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, separator);) fields.push_back(field);
    return fields;
}

// Each worked point through the point tab, with "." and with ",".
void PrintWorkedPoints(const char* path) {
    std::ifstream file(path);
    int points = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto f = Split(line, '\t');
        const auto notation = f[1] == "dms" ? core::Notation::DegreesMinutesSeconds
                              : f[1] == "utm" ? core::Notation::Utm
                                              : core::Notation::DecimalDegrees;
        for (const auto& separators : {number_text::Invariant(), kComma}) {
            point::TabTexts texts;
            const auto values = Split(f[2], ' ');
            for (std::size_t i = 0; i < values.size() && i < texts.size(); ++i) {
                texts[i] = values[i];
                if (separators.decimal == ",")
                    for (char& c : texts[i]) c = c == '.' ? ',' : c;
            }
            point::TabSettings settings;
            settings.direction = point::DirectionOfButtons(f[0] == "SIRGAS_PSAD56", f[0] == "SIRGAS_SAD69",
                                                           f[0] == "PSAD56_SIRGAS");
            if (f[3] != "0") settings.forced = zones::ForcedZone::To(static_cast<std::int16_t>(std::stoi(f[3])));
            settings.separators = separators;
            const auto outcome = point::ConvertTabPoint(notation, texts, settings);
            std::cout << "point " << ++points << " check " << static_cast<int>(outcome.failed);
            for (const auto& field : outcome.fields) std::cout << " |" << field.text;
            std::cout << '\n';
        }
    }
}

// Values across the magnitudes, halves, and the edges of a double.
const std::vector<double> kValues = {
    0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.0625, 1e-7, 1.23456789012345e-5, 33.45, 70.65,
    6297606.8334, 346642.6949, 0.1 + 0.2, 1.0 / 3.0, 2.0 / 3.0, 123456789.987654321, 999999.9995,
    1e15, 1e16, 1.7976931348623157e308, 4.9e-324, 2.2250738585072014e-308, 0.000049999999999999996,
    59.99999999999999, 1e21, 12345678901234567890.0, -70.649350535812, 0.0005, 0.00049999999999,
};
const std::vector<const char*> kMasks = {"0", "0.0", "0.00", "0.000", "#,##0.000", "0.0000000000", "##0.00000",
                                         "+/- 0.0 m.", "#.####", "0.000000000000000"};
const std::vector<const char*> kTexts = {
    "33.45", " 33.45 ", "+33.45", "-33.45", "0x1A", "1e3", "1E-3", "1e400", "1e-400", ".5", "5.", "1,5",
    "1.234.567,8", "  ", "", "abc", "12345678901234567890", "0.1234567890123456789", "-0", "1e", "--1",
    "4.9e-324", "2.5e-310", "inf", "nan", "1 000", "\t7\t", "9007199254740992", "9007199254740993",
    "900719925474099.35", "0.0000000000000000000001", "0.00000000000000000000015", "0.30000000000000004",
    "179.99999999999997", "-6297606.8330000", "6297606.833", "0.3", "2.675", "33.45e0", "00012.5", "1..5", "-.5",
    "-", "-.",
};

// The double's bits: no formatting between them.
std::string Bits(double value) {
    char exact[32];
    std::snprintf(exact, sizeof exact, "%016llx", static_cast<unsigned long long>(compat::BitCast<std::uint64_t>(value)));
    return exact;
}

// A cell's text as the workbook reads it, straight through the compat
// unit's from_chars: how much it took, and the value or the refusal.
void PrintCellReads() {
    for (const std::string text : kTexts) {
        double value = 0.0;
        const auto [end, error] = compat::FromChars(text.data(), text.data() + text.size(), value);
        std::cout << "from_chars [" << text << "] " << (end - text.data()) << ' '
                  << (error == std::errc() ? Bits(value) : error == std::errc::result_out_of_range ? "range" : "invalid")
                  << '\n';
    }
}

void PrintNumberTexts() {
    for (const auto& separators : {number_text::Invariant(), kComma}) {
        const char* tag = separators.decimal == "," ? "comma" : "point";
        for (const double value : kValues) {
            std::cout << tag << " plain " << number_text::PlainText(value, separators) << '\n';
            std::cout << tag << " blank " << number_text::BlankPrefixedText(value) << '\n';
            for (const char* mask : kMasks)
                std::cout << tag << " mask " << mask << " " << number_text::Format(value, mask, separators) << '\n';
        }
        for (const char* text : kTexts) {
            const auto read = number_text::ReadNumber(text, separators);
            std::cout << tag << " read [" << text << "] " << (read ? Bits(*read) : "none") << '\n';
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: number_tables WORKED_POINTS_TSV\n";
        return 2;
    }
    PrintWorkedPoints(argv[1]);
    PrintNumberTexts();
    PrintCellReads();
    return 0;
}
