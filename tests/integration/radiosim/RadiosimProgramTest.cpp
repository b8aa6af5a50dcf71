#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "SimRadioLink.h"
#include "TestNamespaces.h"
#include "TestSupport.h"

#ifndef RADIOSIM_EXECUTABLE
#error "RADIOSIM_EXECUTABLE must name the built radiosim program"
#endif

namespace {

using Clock = std::chrono::steady_clock;

struct Program {
    pid_t pid = -1;
    int output = -1;  // the program's standard output
    std::string pending;
};

Program StartProgram(const std::vector<std::string>& arguments) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return {};
    }
    std::vector<char*> argv;
    static char name[] = "radiosim";
    argv.push_back(name);
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        const int discard = open("/dev/null", O_WRONLY);
        dup2(discard, STDERR_FILENO);  // bad-option messages would clutter the test log
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execv(RADIOSIM_EXECUTABLE, argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    return Program{pid, pipeEnds[0], {}};
}

std::optional<std::string> ReadLine(Program& program, std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (program.pending.find('\n') == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd readable{program.output, POLLIN, 0};
        if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
            return std::nullopt;
        }
        char buffer[512];
        const ssize_t got = read(program.output, buffer, sizeof buffer);
        if (got <= 0) {
            return std::nullopt;
        }
        program.pending.append(buffer, static_cast<std::size_t>(got));
    }
    const std::size_t end = program.pending.find('\n');
    std::string line = program.pending.substr(0, end);
    program.pending.erase(0, end + 1);
    return line;
}

// The exit code, or -1 when the program did not end in time (it is then killed).
int WaitForExit(Program& program, std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    int status = 0;
    while (waitpid(program.pid, &status, WNOHANG) == 0) {
        if (Clock::now() >= deadline) {
            kill(program.pid, SIGKILL);
            waitpid(program.pid, &status, 0);
            close(program.output);
            return -1;
        }
        usleep(10000);
    }
    close(program.output);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(RadiosimProgram, LinksThePtyLogsFramesAndCleansUpOnSigterm) {
    CTempDir dir;
    const std::string link = dir.File("com1");
    std::filesystem::create_symlink("/nonexistent", link);  // an old link is replaced
    Program program = StartProgram({"--link", link, "--status", "0B=22"});
    ASSERT_GT(program.pid, 0);

    const std::optional<std::string> path = ReadLine(program, std::chrono::seconds(10));
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(path->rfind("/dev/pts/", 0), 0u) << *path;
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), *path);

    CPcLine pc;
    ASSERT_TRUE(pc.Open(link, 9600, 0));
    EXPECT_EQ(pc.Exchange(kConnect9600None, 3), (Bytes{0x55, 0xAA, 0x22}));
    bool logged = false;
    while (const std::optional<std::string> line = ReadLine(program, std::chrono::seconds(5))) {
        if (line->find("55 AA 0B 07 00 00 00 0C") != std::string::npos) {
            EXPECT_NE(line->find("55 AA 22"), std::string::npos) << *line;
            logged = true;
            break;
        }
    }
    EXPECT_TRUE(logged);
    pc.Close();

    kill(program.pid, SIGTERM);
    EXPECT_EQ(WaitForExit(program, std::chrono::seconds(10)), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(std::filesystem::symlink_status(link)));
}

TEST(RadiosimProgram, RejectsBadOptionsWithExitCodeTwo) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"--baud", "1234"},
                                                      {"--parity", "mark"},
                                                      {"--bogus"},
                                                      {"--status", "0B"},
                                                      {"--link"}}) {
        Program program = StartProgram(arguments);
        EXPECT_EQ(WaitForExit(program, std::chrono::seconds(10)), 2) << arguments[0];
    }
}

TEST(RadiosimProgram, HelpPrintsUsage) {
    Program program = StartProgram({"--help"});
    const std::optional<std::string> first = ReadLine(program, std::chrono::seconds(10));
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->rfind("Usage: radiosim", 0), 0u);
    EXPECT_EQ(WaitForExit(program, std::chrono::seconds(10)), 0);
}
