#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace radiosetup {

// Writes 8-bit RGB rows (width * 3 bytes each, top row first) as a PNG file, its image
// data stored without compression. False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& rgbRows);

}  // namespace radiosetup
