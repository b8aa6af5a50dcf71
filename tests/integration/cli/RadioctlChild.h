#pragma once

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestNamespaces.h"

constexpr uid_t kNobody = 65534;

// Beside this test program's folder: build/test/tests/.. /cli/radioctl.
inline std::string RadioctlProgram() {
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "cli" /
            "radioctl")
        .string();
}

// Starts radioctl with words; stderr is collected, or goes to the terminal errTerminal
// names. uid other than 0 runs it as that user.
class CRadioctlChild {
public:
    explicit CRadioctlChild(const std::vector<std::string>& words, uid_t uid = 0,
                            const std::string& errTerminal = std::string()) {
        if (pipe(m_errFds) != 0) {
            throw std::runtime_error("pipe failed");
        }
        const std::string program = RadioctlProgram();
        std::vector<std::string> all = {program};
        all.insert(all.end(), words.begin(), words.end());
        std::vector<char*> argv;
        for (std::string& word : all) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        m_pid = fork();
        if (m_pid == 0) {
            dup2(errTerminal.empty() ? m_errFds[1] : open(errTerminal.c_str(), O_WRONLY),
                 STDERR_FILENO);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            if (uid != 0 && (setgroups(0, nullptr) != 0 || setgid(uid) != 0 || setuid(uid) != 0)) {
                _exit(100);
            }
            execv(program.c_str(), argv.data());
            _exit(101);
        }
        close(m_errFds[1]);
    }
    ~CRadioctlChild() {
        if (m_pid > 0 && !m_bWaited) {
            kill(m_pid, SIGKILL);
            Wait();
        }
        close(m_errFds[0]);
    }
    CRadioctlChild(const CRadioctlChild&) = delete;
    CRadioctlChild& operator=(const CRadioctlChild&) = delete;

    void Signal(int signal) const { kill(m_pid, signal); }
    bool HasEnded() {
        m_bWaited = m_bWaited || waitpid(m_pid, &m_status, WNOHANG) == m_pid;
        return m_bWaited;
    }
    // The exit status (-1 when a signal ended it); Err() is complete afterwards.
    int Wait() {
        char chunk[256];
        for (ssize_t got; (got = read(m_errFds[0], chunk, sizeof chunk)) > 0;) {
            m_err.append(chunk, static_cast<std::size_t>(got));
        }
        if (!m_bWaited) {
            waitpid(m_pid, &m_status, 0);
            m_bWaited = true;
        }
        return WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
    }
    const std::string& Err() const { return m_err; }

private:
    int m_errFds[2] = {-1, -1};
    pid_t m_pid = -1;
    bool m_bWaited = false;
    int m_status = 0;
    std::string m_err;
};
