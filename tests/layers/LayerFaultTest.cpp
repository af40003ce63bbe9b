// Killed, interrupted and overlapping runs on a single-file output and on a
// shapefile's set: the output's name holds the old layer whole, nothing, or
// the new layer whole, and the next run leaves nothing behind.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "LayerSupport.h"
#include "OutputLock.h"

namespace trevalco::layers::test {
namespace {

constexpr int kFeatures = 60000;

class LayerFaults : public cli::test::CliFixture {
protected:
    void SetUp() override {
        for (const char* prefix : {"P", "Q"}) {
            std::string rows;
            const int count = prefix[0] == 'P' ? kFeatures : kFeatures / 2;
            for (int i = 0; i < count; ++i)
                rows += prefix + std::to_string(i) + ",POINT (" + std::to_string(300000 + i % 1000) + " " +
                        std::to_string(6300000 + i / 10) + ")\n";
            MakeLayer(folder / (prefix + std::string(".gpkg")), rows, "EPSG:24879");
        }
    }

    // The command started in the background, as its own process.
    pid_t Start(const std::string& source, const std::string& output) {
        const std::string command = std::string("exec '") + TREVALCO_CLI + "' layer " + Quoted(source) + " " +
                                    Quoted(output) + " --to sirgas --overwrite >/dev/null 2>&1";
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return pid;
    }

    // Whatever holds the output's name is one run's whole layer (or nothing):
    // every P feature, or every Q feature, never a mix of files of both.
    void ExpectWholeOrNothing(const std::string& output) {
        if (!fs::exists(folder / output)) return;
        const ReadLayer read = Read(folder / output);
        ASSERT_FALSE(read.names.empty());
        const char prefix = read.names.front().front();
        EXPECT_EQ(read.names.size(), static_cast<std::size_t>(prefix == 'P' ? kFeatures : kFeatures / 2));
        for (std::size_t i = 0; i < read.names.size(); ++i)
            ASSERT_EQ(read.names[i], prefix + std::to_string(i));
    }

    void ExpectNoLeftovers() {
        for (const std::string& name : folder.Files()) EXPECT_FALSE(name.starts_with(".")) << name;
    }
};

TEST_F(LayerFaults, KilledAndInterruptedRunsLeaveNoPartialLayer) {
    for (const std::string output : {"out.gpkg", "out.shp"}) {
        SCOPED_TRACE(output);
        for (const int signal : {SIGKILL, SIGTERM}) {
            for (const int delay : {50, 150, 400, 900}) {
                const pid_t pid = Start((delay / 50) % 2 ? "Q.gpkg" : "P.gpkg", output);
                std::this_thread::sleep_for(std::chrono::milliseconds(delay));
                ::kill(pid, signal);
                int status = 0;
                ::waitpid(pid, &status, 0);
                if (signal == SIGTERM && WIFEXITED(status)) {  // else it came before the handler
                    EXPECT_TRUE(WEXITSTATUS(status) == 130 || WEXITSTATUS(status) == 0) << WEXITSTATUS(status);
                }
                ExpectWholeOrNothing(output);
            }
        }
        const cli::test::CliRun run = Cli("layer " + Quoted("P.gpkg") + " " + Quoted(output) + " --to sirgas --overwrite");
        EXPECT_EQ(run.status, 0) << run.err;
        ExpectWholeOrNothing(output);
        ExpectNoLeftovers();
    }
}

TEST_F(LayerFaults, OverlappingRunIsRefused) {
    const auto lock = output::OutputLock::Take(folder / "out.shp");
    ASSERT_TRUE(lock);
    const cli::test::CliRun run = Cli("layer " + Quoted("P.gpkg") + " " + Quoted("out.shp") + " --to sirgas");
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("otra conversión"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(folder / "out.shp"));
}

}  // namespace
}  // namespace trevalco::layers::test
