// Writes square 32-bpp images into one .ico file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct IconImage {
    int size;
    std::vector<std::uint8_t> bgra;  // straight alpha, top row first
};

// Each image becomes an uncompressed bitmap (BITMAPINFOHEADER, height doubled for the
// mask) followed by its AND mask, which marks the fully transparent pixels. Images
// keep the given order. Returns false when the file cannot be written.
bool writeIcoFile(const std::string& path, const std::vector<IconImage>& images);
