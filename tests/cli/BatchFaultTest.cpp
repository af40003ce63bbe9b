// trevalco-cli batch against faults, in real processes: two runs on one
// output, Ctrl-C, SIGTERM and kill -9 at several moments over an earlier
// output, and a LibreOffice conversion cut short. Each moment is caught by
// watching the files the run makes; the run is frozen (SIGSTOP) while it is
// signalled, so the moment cannot slip by. Nothing is timed: every wait polls
// with a generous bound.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

#include "RunFixture.h"

extern char** environ;

namespace trevalco::batch::test {
namespace {

bool Eventually(const std::function<bool()>& condition) {
    const auto bound = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > bound) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool AnyFileStartsWith(const fs::path& folder, const std::string& prefix) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.path().filename().string().starts_with(prefix)) return true;
    return false;
}

// LibreOffice processes started for runs whose temporary files go to `tmp`.
std::vector<pid_t> OfficeProcesses(const fs::path& tmp) {
    std::vector<pid_t> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc", error)) {
        std::string line = Bytes(entry.path() / "cmdline");
        std::replace(line.begin(), line.end(), '\0', ' ');
        if (line.find("UserInstallation=file://" + tmp.string()) != std::string::npos)
            found.push_back(std::atoi(entry.path().filename().c_str()));
    }
    return found;
}

class BatchFaults : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(tmp);
        fs::create_directories(work);
    }

    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(work)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Starts trevalco-cli batch on the sheet, its temporary files in `tmp`.
    pid_t Start(const fs::path& book, const std::vector<std::string>& extra = {"--overwrite"},
                const std::string& path = std::getenv("PATH")) {
        std::vector<std::string> args = {TREVALCO_CLI, "batch", book.string(), "--sheet", kSheet, "--from", "dd",
                                         "--direction", "SIRGAS_SAD69", "--recovery-seconds", "0"};
        args.insert(args.end(), extra.begin(), extra.end());
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        std::vector<std::string> env = {"TMPDIR=" + tmp.string(), "PATH=" + path};
        for (char** entry = environ; *entry != nullptr; ++entry)
            if (!std::string_view(*entry).starts_with("TMPDIR=") && !std::string_view(*entry).starts_with("PATH="))
                env.emplace_back(*entry);
        std::vector<char*> envp;
        for (std::string& entry : env) envp.push_back(entry.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t pid = -1;
        EXPECT_EQ(posix_spawn(&pid, TREVALCO_CLI, &actions, nullptr, argv.data(), envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }

    // The exit status, or 128 + the signal that ended it.
    static int Wait(pid_t pid) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    fs::path Points(int rows, const std::string& name = "datos.xlsx") {
        std::vector<TestRow> points;
        for (int i = 0; i < rows; ++i) points.push_back({{}, 20.0 + (i % 2300) * 0.01, 67.0 + (i % 900) * 0.01});
        WriteSheet(work / name, kSheet, points);
        return work / name;
    }

    bool Complete(const fs::path& output, int rows) const {
        try {
            return !std::holds_alternative<std::monostate>(CellOf(output, kSheet, rows, "I"));
        } catch (const std::exception&) {
            return false;
        }
    }

    workbook::test::TestFolder folder;
    fs::path work = folder / "obra";  // the books and what runs write beside them
    fs::path tmp = folder / "tmp";    // the runs' temporary-files folder
    fs::path err = folder / "err.txt";
};

TEST_F(BatchFaults, ASecondRunOnTheSameOutputIsRefusedWhileTheFirstHoldsIt) {
    const fs::path book = Points(20000);
    const pid_t first = Start(book);
    ASSERT_TRUE(Eventually([&] { return Bytes(work / ".datos_1.xlsx.en-uso") == std::to_string(first) + "\n"; }));
    ::kill(first, SIGSTOP);

    const pid_t second = Start(book);
    EXPECT_EQ(Wait(second), 3);
    EXPECT_NE(Bytes(err).find("trevalco-cli batch: El archivo \"" + (work / "datos_1.xlsx").string() +
                              "\" está en uso por otra conversión (proceso " + std::to_string(first) + ")"),
              std::string::npos) << Bytes(err);

    ::kill(first, SIGCONT);
    EXPECT_EQ(Wait(first), 0);
    EXPECT_TRUE(Complete(work / "datos_1.xlsx", 20000));
    EXPECT_EQ(Files(), (std::vector<std::string>{"datos.xlsx", "datos_1.xlsx"}));
}

TEST_F(BatchFaults, ASignalAtAnyMomentLeavesTheEarlierOutputOrTheCompleteNewOne) {
    constexpr int kRows = 30000;
    const fs::path book = Points(kRows);
    const std::string lock = ".datos_1.xlsx.en-uso", recovery = "datos_1 (incompleto).xlsx";
    const std::string interimSave = ".datos_1 (incompleto).xlsx.guardando-", finalSave = ".datos_1.xlsx.guardando-";
    struct Case {
        int signal;
        std::string moment;  // the file whose appearance marks it
        bool mayFinish;      // the final move may be done by then
    };
    const std::vector<Case> cases = {
        {SIGINT, lock, false},         {SIGTERM, recovery, false}, {SIGINT, interimSave, false},
        {SIGINT, finalSave, true},     {SIGTERM, finalSave, true}, {SIGKILL, interimSave, false},
        {SIGKILL, finalSave, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(strsignal(c.signal)) + " at " + c.moment);
        workbook::test::Spill(work / "datos_1.xlsx", "la salida anterior");
        const pid_t run = Start(book);
        ASSERT_TRUE(Eventually([&] { return AnyFileStartsWith(work, c.moment); }));
        ::kill(run, SIGSTOP);
        ::kill(run, c.signal);
        ::kill(run, SIGCONT);
        const int status = Wait(run);
        const std::string after = Bytes(work / "datos_1.xlsx");
        if (after != "la salida anterior") {
            EXPECT_TRUE(c.mayFinish);
            EXPECT_EQ(status, c.signal == SIGKILL ? 128 + SIGKILL : 0);
            EXPECT_TRUE(Complete(work / "datos_1.xlsx", kRows));
        } else if (c.signal != SIGKILL) {
            EXPECT_EQ(status, 130);
            EXPECT_NE(Bytes(err).find("(Ctrl-C o SIGTERM): no se escribió ningún libro"), std::string::npos);
        }
        if (c.signal == SIGKILL) {  // what it left is for the next run to clear
            EXPECT_EQ(Wait(Start(book)), 0);
            EXPECT_TRUE(Complete(work / "datos_1.xlsx", kRows));
        }
        EXPECT_EQ(Files(), (std::vector<std::string>{"datos.xlsx", "datos_1.xlsx"}));
        EXPECT_TRUE(fs::is_empty(tmp));
    }
}

// LibreOffice itself, and a stand-in that never ends, ignores hangups and
// starts a child, as LibreOffice's launcher does: only being killed ends it.
TEST_F(BatchFaults, LibreOfficeEndsWithTheRunHoweverTheRunEnds) {
    const fs::path standIn = folder / "oficina";
    fs::create_directories(standIn);
    workbook::test::Spill(standIn / "soffice",
                          "#!/bin/sh\ntrap '' HUP INT TERM\n[ \"$1\" = hijo ] || \"$0\" hijo \"$@\" &\n"
                          "while :; do sleep 1; done\n");
    fs::permissions(standIn / "soffice", fs::perms::owner_all);
    std::vector<std::pair<std::string, fs::path>> programs = {{"stand-in", standIn}};
    if (workbook::test::Office()) programs.emplace_back("LibreOffice", "");
    const fs::path small = Points(1);  // a later run, that clears what a killed one left
    for (const auto& [name, office] : programs) {
        const fs::path ods = office.empty() ? ConvertedCopy(Points(10, "libro.xlsx"), "ods", folder / "conversion")
                                            : work / "libro.ods";
        if (!office.empty()) workbook::test::Spill(ods, "no se llega a leer");
        fs::remove(work / "libro.xlsx");
        for (const int signal : {SIGINT, SIGKILL}) {
            SCOPED_TRACE(name + " " + strsignal(signal));
            const pid_t run = Start(ods, {}, office.empty() ? std::getenv("PATH") : office.string() + ":/usr/bin:/bin");
            ASSERT_TRUE(Eventually([&] { return OfficeProcesses(tmp).size() >= (office.empty() ? 1U : 2U); }));
            ::kill(run, signal);
            EXPECT_EQ(Wait(run), signal == SIGINT ? 130 : 128 + SIGKILL);
            EXPECT_TRUE(Eventually([&] { return OfficeProcesses(tmp).empty(); }));
            for (const pid_t left : OfficeProcesses(tmp)) ::kill(left, SIGKILL);
            if (signal == SIGKILL) {
                EXPECT_FALSE(fs::is_empty(tmp));
                EXPECT_EQ(Wait(Start(small)), 0);
                fs::remove(work / "datos_1.xlsx");
            }
            EXPECT_TRUE(fs::is_empty(tmp));
            EXPECT_EQ(Files(), (std::vector<std::string>{"datos.xlsx", "libro.ods"}));
        }
        fs::remove(ods);
    }
}

}  // namespace
}  // namespace trevalco::batch::test
