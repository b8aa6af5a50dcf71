// The exclusive file under the channel file: what it opens and whom it keeps out.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <future>

#include "LockedFile.h"
#include "TestNamespaces.h"
#include "TestSupport.h"

namespace {

using Mode = CLockedFile::Mode;
constexpr Mode kModes[] = {Mode::ReadExisting, Mode::WriteExisting, Mode::CreateEmpty};

// Another process that tries for a whole-file record lock of this type (lockf takes
// F_WRLCK) and holds what it got until destroyed.
class CForeignRecordLock {
public:
    CForeignRecordLock(const std::string& path, int type) {
        int ready[2];
        EXPECT_EQ(pipe(ready), 0);
        m_pid = fork();
        if (m_pid == 0) {
            struct flock wholeFile {};
            wholeFile.l_type = static_cast<short>(type);
            const char held = fcntl(open(path.c_str(), O_RDWR), F_SETLK, &wholeFile) == 0;
            if (write(ready[1], &held, 1) == 1) {
                pause();
            }
            _exit(0);
        }
        close(ready[1]);
        EXPECT_EQ(read(ready[0], &m_bHeld, 1), 1);
        close(ready[0]);
    }
    ~CForeignRecordLock() {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    CForeignRecordLock(const CForeignRecordLock&) = delete;
    CForeignRecordLock& operator=(const CForeignRecordLock&) = delete;
    bool Held() const { return m_bHeld; }

private:
    pid_t m_pid = -1;
    bool m_bHeld = false;
};

TEST(LockedFile, NothingButARegularFileIsOpenedAndAFifoDoesNotBlock) {
    CTempDir dir;
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0666), 0);
    std::filesystem::create_symlink("/dev/null", dir.File("device"));
    for (const std::string& path : {dir.File("fifo"), dir.File("device")}) {
        for (const Mode mode : kModes) {
            // On another thread, so that an opening that blocks fails the test instead of
            // hanging it: after a generous bound a peer on the FIFO releases it.
            CLockedFile file;
            auto opening = std::async(std::launch::async, [&] { return file.Open(path, mode); });
            const bool blocked =
                opening.wait_for(std::chrono::seconds(10)) != std::future_status::ready;
            const int peer = blocked ? open(path.c_str(), O_RDWR | O_NONBLOCK) : -1;
            EXPECT_FALSE(opening.get() || blocked) << path << ", mode " << static_cast<int>(mode);
            close(peer);
        }
    }
}

TEST(LockedFile, RecordLocksOfOtherProgramsKeepItOutAndAreKeptOut) {
    CTempDir dir;
    const std::string path = dir.File("ChanPara.txt");
    WriteWholeFile(path, "content");
    for (const int type : {F_WRLCK, F_RDLCK}) {
        CForeignRecordLock other(path, type);
        ASSERT_TRUE(other.Held());
        for (const Mode mode : kModes) {
            EXPECT_FALSE(CLockedFile().Open(path, mode)) << type << ", " << static_cast<int>(mode);
        }
    }
    EXPECT_EQ(ReadWholeFile(path), "content");
    for (const Mode mode : kModes) {
        CLockedFile file;
        ASSERT_TRUE(file.Open(path, mode));
        EXPECT_FALSE(CForeignRecordLock(path, F_WRLCK).Held()) << static_cast<int>(mode);
    }
}

}  // namespace
