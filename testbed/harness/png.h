// A small PNG writer: 8-bit RGB, filter 0, deflate in stored (uncompressed) blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qvtest {

// Pixels row by row from the top, three bytes (red, green, blue) each.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// The checksums PNG and zlib use, exposed so that they can be checked against known values.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::vector<std::uint8_t>& data);

// The whole PNG file for the image.
std::vector<std::uint8_t> EncodePng(const Image& image);
// Writes the file; false when it could not be written.
bool WritePng(const std::string& path, const Image& image);

}  // namespace qvtest
