// Each program answers --version without a display, as scripts and packagers ask it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "TestNamespaces.h"

namespace {

// Beside this test program's folder: build/test/tests/.. /<folder>/<name>.
std::string Program(const std::string& relative) {
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / relative)
        .string();
}

std::string OutputOf(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[256];
        for (std::size_t got; (got = fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
            output.append(chunk, got);
        }
        pclose(pipe);
    }
    return output;
}

TEST(ProgramVersions, EachProgramSaysItsReleaseWithoutADisplay) {
    for (const char* program : {"app/radiosetup", "cli/radioctl", "tools/radiosim/radiosim"}) {
        SCOPED_TRACE(program);
        const std::string name = std::filesystem::path(program).filename().string();
        EXPECT_EQ(OutputOf("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                           Program(program) + " --version"),
                  name + " " + RADIOSETUP_VERSION + "\n");
    }
    EXPECT_NE(OutputOf("env -u DISPLAY " + Program("app/radiosetup") + " --help")
                  .find("Sorvane/Com.conf"),
              std::string::npos);
}

}  // namespace
