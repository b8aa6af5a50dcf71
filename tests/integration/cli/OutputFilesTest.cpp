// Every file radioctl writes replaces the old one in one step.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "PlanConvert.h"
#include "TestNamespaces.h"
#include "TestSupport.h"
#include "TextFile.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kOld = "the old file, kept byte for byte\n";

struct Writer {
    const char* name;
    const char* target;
    // Writes the target (through path); true when it says it wrote it.
    std::function<bool(const CTempDir& folder, const std::string& path)> write;
};

const Writer kWriters[] = {
    {"backup or channels read -o", "radio.json",
     [](const CTempDir&, const std::string& path) {
         return CTextFile::Write(path, std::string(9000, 'x'));
     }},
    {"plan convert to the channel file", "ChanPara.txt",
     [](const CTempDir& folder, const std::string& path) {
         return CPlanConvert::Convert(folder.File("in.csv"), path).empty();
     }},
    {"plan convert to CSV", "plan.csv",
     [](const CTempDir& folder, const std::string& path) {
         return CPlanConvert::Convert(folder.File("in.txt"), path).empty();
     }},
};

std::size_t FilesIn(const CTempDir& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.Path()), {}));
}

TEST(OutputFiles, AFullDiskOrAReadOnlyFileLeavesTheOldFileAndALinkIsFollowed) {
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.name);
        CTempDir folder;
        WriteWholeFile(folder.File("in.csv"), "channel,rx_mhz,tx_mhz\n1,229.0125,229.0125\n");
        ASSERT_TRUE(CPlanConvert::Convert(folder.File("in.csv"), folder.File("in.txt")).empty());
        const std::string target = folder.File(writer.target);
        WriteWholeFile(target, kOld);
        const std::size_t files = FilesIn(folder);
        {
            CFileSizeLimit full;
            EXPECT_FALSE(writer.write(folder, target));
        }
        EXPECT_EQ(ReadWholeFile(target), kOld);
        EXPECT_EQ(FilesIn(folder), files);  // no temporary stays

        // No write bit at all: kept, root or not.
        chmod(target.c_str(), 0444);
        EXPECT_FALSE(writer.write(folder, target));
        EXPECT_EQ(ReadWholeFile(target), kOld);

        chmod(target.c_str(), 0640);
        const std::string link = folder.File(std::string("link-") + writer.target);
        fs::create_symlink(target, link);
        EXPECT_TRUE(writer.write(folder, link));
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_NE(ReadWholeFile(target), kOld);
        EXPECT_EQ(fs::status(target).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
}

}  // namespace
