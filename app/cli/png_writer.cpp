#include "app/cli/png_writer.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "machine/video/screen.h"
#include "machine/video/screen_tables.h"
#include "platform/memory_surface.h"

namespace tarvolinde::cli {

namespace {

bool WriteRgbPng(const std::vector<uint8_t>& rgb, int width, int height, const std::string& path) {
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, &rgb[size_t(y) * width * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WriteScreenPng(const Screen& screen, const std::string& path) {
    MemorySurface surface(4);
    screen.Render(surface);
    constexpr int width = MemorySurface::kWidth, height = MemorySurface::kHeight;
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = surface.PixelAt(x, y);
            uint8_t* out = &rgb[(size_t(y) * width + x) * 3];
            out[0] = uint8_t(pixel >> 16), out[1] = uint8_t(pixel >> 8), out[2] = uint8_t(pixel);
        }
    return WriteRgbPng(rgb, width, height, path);
}

bool WritePreviewPng(const PreviewBitmap& bitmap, const std::string& path) {
    std::vector<uint8_t> rgb(bitmap.size() * 3);
    for (size_t i = 0; i < bitmap.size(); ++i) {
        const uint32_t pixel = Palette32[bitmap[i] & 15];
        rgb[i * 3] = uint8_t(pixel >> 16), rgb[i * 3 + 1] = uint8_t(pixel >> 8), rgb[i * 3 + 2] = uint8_t(pixel);
    }
    return WriteRgbPng(rgb, kPreviewWidth, kPreviewHeight, path);
}

}  // namespace tarvolinde::cli
