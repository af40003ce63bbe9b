// trevalco-cli run as a user runs it, in a folder of the test's own: the
// input on stdin, what it writes on stdout and stderr, and its exit status.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "TestBooks.h"

namespace trevalco::cli::test {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliFixture : public ::testing::Test {
protected:
    CliRun Cli(const std::string& arguments, const std::string& input = "") {
        const fs::path in = folder / "in.txt", out = folder / "out.txt", err = folder / "err.txt";
        workbook::test::Spill(in, input);
        const std::string command = std::string("'") + TREVALCO_CLI + "' " + arguments + " < '" + in.string() +
                                    "' > '" + out.string() + "' 2> '" + err.string() + "'";
        const int raw = std::system(command.c_str());
        CliRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, workbook::test::Slurp(out), workbook::test::Slurp(err)};
        for (const fs::path& path : {in, out, err}) fs::remove(path);
        return run;
    }
    std::string Quoted(const std::string& name) const { return "'" + (folder / name).string() + "'"; }

    workbook::test::TestFolder folder;
};

}  // namespace trevalco::cli::test
