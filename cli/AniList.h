#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace radiosetup {

// restore --ani-list: each port's radio its own ANI, as CSV rows "port,ani" (a header
// "port,ani", # comments and blank lines allowed). Each port once, 1..255; each ANI in
// the parameter table's range.
class CAniList {
public:
    // The ANI by port; nullopt with "FILE:LINE: reason" for the first bad line.
    static std::optional<std::map<int, std::int32_t>> Parse(const std::string& text,
                                                            const std::string& fileName,
                                                            std::string& fault);
    // The file read and parsed; nullopt with the fault, a file that cannot be read too.
    static std::optional<std::map<int, std::int32_t>> Read(const std::string& path,
                                                           std::string& fault);
};

}  // namespace radiosetup
