// trevalco-cli run as a user runs it: input on stdin, output on stdout,
// reasons on stderr, and the exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ConvertCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("trevalco-cli-test-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    CliRun Cli(const std::string& arguments, const std::string& input) {
        std::ofstream(dir_ / "in.txt", std::ios::binary) << input;
        const std::string command = std::string("'") + TREVALCO_CLI + "' " + arguments + " < '" +
                                    (dir_ / "in.txt").string() + "' > '" +
                                    (dir_ / "out.txt").string() + "' 2> '" +
                                    (dir_ / "err.txt").string() + "'";
        const int raw = std::system(command.c_str());
        CliRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = Slurp(dir_ / "out.txt");
        run.err = Slurp(dir_ / "err.txt");
        return run;
    }

    fs::path dir_;
};

}  // namespace

TEST_F(ConvertCommand, GoodLinesGiveTenFieldsAndStatusZero) {
    const CliRun run = Cli("convert --direction SIRGAS_SAD69 --from dd", "33.45 70.65\n\n-33.45\t-70.65\r\n");
    EXPECT_EQ(run.status, 0);
    const std::string line =
        "33.4500000000\t70.6500000000\t6297606.833\t346642.695\t19\t"
        "33.4496588124\t70.6493505358\t6297632.781\t346701.908\t19\n";
    EXPECT_EQ(run.out, line + "\n" + line);  // a blank line stays blank
    EXPECT_EQ(run.err, "");
}

TEST_F(ConvertCommand, RejectedLinesAreNamedOnStderrAndStatusIsOne) {
    const CliRun run = Cli("convert --direction PSAD56_SIRGAS", "33.45 70.65\nabc 70\n45 72\n");
    EXPECT_EQ(run.status, 1);
    std::istringstream lines(run.out);
    std::string first, second, third;
    std::getline(lines, first);
    std::getline(lines, second);
    std::getline(lines, third);
    EXPECT_NE(first.find("\t19\t"), std::string::npos);
    EXPECT_EQ(second, "*\t*\t*\t*\t*\t*\t*\t*\t*\t*");
    EXPECT_TRUE(third.ends_with("\t*\t*\t*\t*\t*")) << third;
    EXPECT_EQ(run.err,
              "trevalco-cli: line 2: Contiene Datos Inválidos.\n"
              "trevalco-cli: line 3: ¡ No exixten Parametros para esta Latitud !\n");
}

TEST_F(ConvertCommand, UsageErrorsExitWithTwo) {
    for (const char* arguments : {"", "convert --direction NORTE", "convert --zone 19",
                                  "convert --force-zone 15", "frobnicate"}) {
        const CliRun run = Cli(arguments, "33.45 70.65\n");
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_NE(run.err.find("Uso:"), std::string::npos) << arguments;
    }
    const CliRun help = Cli("convert --help", "");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--force-zone"), std::string::npos);
}

TEST_F(ConvertCommand, ManyBatchesKeepTheirOrderAndLineNumbers) {
    // Enough lines for several rounds of batches on every core.
    std::string input;
    const int lines = 40000;
    for (int i = 0; i < lines; ++i) input += (i == 30001 ? "x 70\n" : (i % 2 ? "20 70\n" : "40 72\n"));
    const CliRun run = Cli("convert --direction SIRGAS_SAD69", input);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "trevalco-cli: line 30002: Contiene Datos Inválidos.\n");
    std::istringstream out(run.out);
    std::string line;
    int count = 0;
    while (std::getline(out, line)) {
        if (count != 30001) {
            const char* expected = count % 2 ? "20.0000000000\t70.0000000000" : "40.0000000000\t72.0000000000";
            ASSERT_TRUE(line.starts_with(expected)) << "line " << count + 1 << ": " << line;
        }
        ++count;
    }
    EXPECT_EQ(count, lines);
}

TEST_F(ConvertCommand, OverlongLinesAreRefusedNotHeld) {
    const std::string input = std::string(200000, '1') + "\n33.45 70.65\n";
    const CliRun run = Cli("convert --direction SIRGAS_SAD69", input);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.starts_with("*\t*\t*\t*\t*\t*\t*\t*\t*\t*\n33.4500000000"));
    EXPECT_EQ(run.err, "trevalco-cli: line 1: Contiene Datos Inválidos.\n");
}

TEST_F(ConvertCommand, LastLineWithoutLineEndIsConverted) {
    const CliRun run = Cli("convert --direction SIRGAS_SAD69 --from utm --zone 19",
                        "6297606.833 346642.695");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with("33.4499999969\t70.6500000000\t6297606.833\t346642.695\t19\t"))
        << run.out;
}
