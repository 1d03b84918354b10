// The screenshot writer's PNG: the checksums against their published check values, and the
// stored deflate blocks read back to the very pixels.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "testbed/harness/png.h"

namespace {

std::uint32_t BigEndianAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3];
}

// The data of the chunk of that type, its CRC checked on the way.
std::vector<std::uint8_t> Chunk(const std::vector<std::uint8_t>& png, const char* type) {
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = BigEndianAt(png, at);
        if (std::memcmp(&png[at + 4], type, 4) == 0) {
            EXPECT_EQ(BigEndianAt(png, at + 8 + length), qvtest::Crc32(&png[at + 4], length + 4)) << type;
            return std::vector<std::uint8_t>(png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                                             png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        }
        at += 12 + length;
    }
    ADD_FAILURE() << "no chunk " << type;
    return {};
}

// Undoes the zlib stream of stored blocks: LEN, its complement NLEN, then the bytes.
std::vector<std::uint8_t> Inflate(const std::vector<std::uint8_t>& zlib) {
    std::vector<std::uint8_t> raw;
    EXPECT_EQ((zlib[0] << 8 | zlib[1]) % 31, 0) << "zlib header check";
    std::size_t at = 2;
    for (bool last = false; !last;) {
        last = zlib[at] & 1;
        EXPECT_EQ(zlib[at] >> 1, 0) << "stored block";
        const unsigned length = zlib[at + 1] | zlib[at + 2] << 8;
        EXPECT_EQ(length ^ 0xFFFFu, static_cast<unsigned>(zlib[at + 3] | zlib[at + 4] << 8));
        raw.insert(raw.end(), zlib.begin() + static_cast<std::ptrdiff_t>(at + 5),
                   zlib.begin() + static_cast<std::ptrdiff_t>(at + 5 + length));
        at += 5 + length;
    }
    EXPECT_EQ(BigEndianAt(zlib, at), qvtest::Adler32(raw));
    EXPECT_EQ(at + 4, zlib.size());
    return raw;
}

TEST(PngWriterTest, ChecksumsMatchTheirCheckValues) {
    const std::string digits = "123456789";
    EXPECT_EQ(qvtest::Crc32(reinterpret_cast<const std::uint8_t*>(digits.data()), digits.size()), 0xCBF43926u);
    const std::string word = "Wikipedia";
    EXPECT_EQ(qvtest::Adler32(std::vector<std::uint8_t>(word.begin(), word.end())), 0x11E60398u);
}

// 200 x 120 pixels make more than one stored block of 65535 bytes.
TEST(PngWriterTest, PixelsReadBackFromStoredBlocks) {
    qvtest::Image image{200, 120, {}};
    for (int i = 0; i < image.width * image.height * 3; ++i) image.rgb.push_back(static_cast<std::uint8_t>(i * 7));
    const std::vector<std::uint8_t> png = qvtest::EncodePng(image);

    ASSERT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    const std::vector<std::uint8_t> header = Chunk(png, "IHDR");
    ASSERT_EQ(header.size(), 13u);
    EXPECT_EQ(BigEndianAt(header, 0), 200u);
    EXPECT_EQ(BigEndianAt(header, 4), 120u);
    EXPECT_EQ(header[8], 8) << "bit depth";
    EXPECT_EQ(header[9], 2) << "RGB";
    EXPECT_TRUE(Chunk(png, "IEND").empty());

    const std::vector<std::uint8_t> raw = Inflate(Chunk(png, "IDAT"));
    ASSERT_EQ(raw.size(), static_cast<std::size_t>(120 * (1 + 200 * 3)));
    std::vector<std::uint8_t> pixels;
    for (std::size_t row = 0; row < 120; ++row) {
        EXPECT_EQ(raw[row * 601], 0) << "filter of row " << row;
        pixels.insert(pixels.end(), raw.begin() + static_cast<std::ptrdiff_t>(row * 601 + 1),
                      raw.begin() + static_cast<std::ptrdiff_t>(row * 601 + 601));
    }
    EXPECT_EQ(pixels, image.rgb);
}

}  // namespace
