#include "LockedFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "TestNamespaces.h"
#include "WinTestSupport.h"

namespace {

using Mode = CLockedFile::Mode;

constexpr Mode kModes[] = {Mode::ReadExisting, Mode::WriteExisting, Mode::CreateEmpty};

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(WinLockedFile, WhileOpenEveryOtherOpeningIsRefusedWithASharingViolation) {
    CWinTempDir dir;
    const std::string path = dir.File("ChanPara.txt");
    WriteFileBytes(path, "12345678");
    for (const Mode held : kModes) {
        CLockedFile first;
        ASSERT_TRUE(first.Open(path, held));
        for (const Mode second : kModes) {
            CLockedFile other;
            EXPECT_FALSE(other.Open(path, second));
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        }
        ASSERT_TRUE(first.Close());
        CLockedFile after;
        EXPECT_TRUE(after.Open(path, Mode::ReadExisting));
    }
}

TEST(WinLockedFile, OpensOnlyWhatEachModeAllows) {
    CWinTempDir dir;
    const std::string missing = dir.File("missing.txt");
    CLockedFile file;
    EXPECT_FALSE(file.Open(missing, Mode::ReadExisting));
    EXPECT_FALSE(file.Open(missing, Mode::WriteExisting));
    ASSERT_TRUE(file.Open(missing, Mode::CreateEmpty));
    EXPECT_EQ(file.FullPath(), missing);
    ASSERT_TRUE(file.Close());

    const std::string readOnly = dir.File("readonly.txt");
    WriteFileBytes(readOnly, "kept");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(file.Open(readOnly, Mode::WriteExisting));
    EXPECT_FALSE(file.Open(readOnly, Mode::CreateEmpty));
    ASSERT_TRUE(file.Open(readOnly, Mode::ReadExisting));
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 8), 4);
    file.Close();
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_FALSE(file.Open(dir.File(""), Mode::ReadExisting));  // a folder
    EXPECT_FALSE(file.Open("NUL", Mode::WriteExisting));        // a device
}

// A small file system that the Linux side mounted for the run, nearly full. A write
// that it takes only in part reports success with fewer bytes: that is a failure too.
TEST(WinLockedFile, AShortWriteOnAFullDiskFailsAsAFullDisk) {
    const std::string folder = SharedScratch("small-disk");
    if (folder.empty() || !std::filesystem::exists(folder + "\\mounted")) {
        GTEST_SKIP() << "no small disk: mounting a tmpfs needs root on the Linux side";
    }
    const std::string path = folder + "\\ChanPara.txt";
    CLockedFile file;
    ASSERT_TRUE(file.Open(path, Mode::CreateEmpty));
    const std::vector<std::uint8_t> chunk(6000, 0x5A);
    std::size_t whole = 0;
    while (whole < 100 && file.Write(chunk.data(), static_cast<int>(chunk.size()))) {
        ++whole;
    }
    EXPECT_EQ(file.LastError(), FileError::DiskFull);
    const std::uint8_t record[4] = {1, 2, 3, 4};
    EXPECT_FALSE(file.Write(record, 4));
    EXPECT_EQ(file.LastError(), FileError::DiskFull);
    file.Close();
    // The failing write was taken in part, not refused.
    const auto size = std::filesystem::file_size(path);
    EXPECT_GT(size, whole * chunk.size());
    EXPECT_LT(size, (whole + 1) * chunk.size());
    DeleteFileA(path.c_str());
}

}  // namespace
