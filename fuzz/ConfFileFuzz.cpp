// Any file as the settings file: after setting a value and saving, loading the file again
// gives that value.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "posix/ConfFile.h"

using radiosetup::CConfFile;

namespace {

constexpr const char* kSection = "Version3.0/SystemParam";
constexpr const char* kKey = "Pc Com Port";

// A folder of this process's own, removed when the fuzzer exits.
struct ScratchFolder {
    ScratchFolder()
        : path(std::filesystem::temp_directory_path() /
               ("conffile-fuzz-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder folder;
    const std::string path = (folder.path / "Com.conf").string();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    CConfFile file(path);
    if (file.Load() != CConfFile::LoadResult::Loaded) {
        return 0;
    }
    file.Value(kSection, kKey);
    file.SetValue(kSection, kKey, "7");
    CConfFile saved(path);
    if (!file.Save() || saved.Load() != CConfFile::LoadResult::Loaded ||
        saved.Value(kSection, kKey) != "7") {
        std::abort();
    }
    return 0;
}
