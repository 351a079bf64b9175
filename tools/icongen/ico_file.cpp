#include "ico_file.h"

#include <fstream>

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

constexpr std::uint32_t kDirectorySize = 6;
constexpr std::uint32_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t maskStride(int size) { return (size + 31) / 32 * 4; }

std::vector<std::uint8_t> dib(const IconImage& image)
{
    const std::uint32_t n = image.size;
    const std::uint32_t pixelBytes = n * n * 4;
    const std::uint32_t maskBytes = maskStride(n) * n;

    std::vector<std::uint8_t> out;
    put32(out, kInfoHeaderSize);
    put32(out, n);
    put32(out, 2 * n);  // colour rows plus mask rows
    put16(out, 1);      // planes
    put16(out, 32);     // bits per pixel
    put32(out, 0);      // BI_RGB
    put32(out, pixelBytes + maskBytes);
    for (int i = 0; i < 4; ++i)
        put32(out, 0);  // resolution and palette: unused

    // Bitmaps store the bottom row first.
    for (std::uint32_t row = n; row-- > 0;)
        out.insert(out.end(), image.bgra.begin() + row * n * 4, image.bgra.begin() + (row + 1) * n * 4);
    for (std::uint32_t row = n; row-- > 0;) {
        std::vector<std::uint8_t> bits(maskStride(n), 0);
        for (std::uint32_t x = 0; x < n; ++x)
            if (image.bgra[(row * n + x) * 4 + 3] == 0)
                bits[x / 8] |= 0x80 >> (x % 8);
        out.insert(out.end(), bits.begin(), bits.end());
    }
    return out;
}

}  // namespace

bool writeIcoFile(const std::string& path, const std::vector<IconImage>& images)
{
    std::vector<std::uint8_t> directory;
    std::vector<std::uint8_t> data;
    put16(directory, 0);  // reserved
    put16(directory, 1);  // icon, not cursor
    put16(directory, images.size());
    std::uint32_t offset = kDirectorySize + kEntrySize * images.size();
    for (const IconImage& image : images) {
        std::vector<std::uint8_t> bytes = dib(image);
        directory.push_back(image.size % 256);  // 256 is written as 0
        directory.push_back(image.size % 256);
        directory.push_back(0);  // no palette
        directory.push_back(0);
        put16(directory, 1);   // planes
        put16(directory, 32);  // bits per pixel
        put32(directory, bytes.size());
        put32(directory, offset);
        offset += bytes.size();
        data.insert(data.end(), bytes.begin(), bytes.end());
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(directory.data()), directory.size());
    file.write(reinterpret_cast<const char*>(data.data()), data.size());
    return static_cast<bool>(file.flush());
}
