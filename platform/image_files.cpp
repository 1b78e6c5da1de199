#include "platform/image_files.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
#include <png.h>

#include "platform/files.h"
#include "platform/framebuffer.h"
#include "platform/gdi_internal.h"

namespace pl {
namespace {

// The largest picture side decoded: a few kilobytes may declare a picture of
// gigabytes, and no form shows more than a screen of pixels.
constexpr unsigned kMaxPictureSide = 4096;

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

// Warnings are not printed. Every warning (a file that ends early, data cut
// before a marker, a bad Huffman code) means a damaged picture: decoding
// stops there.
void OnJpegMessage(j_common_ptr info, int level) {
    if (level < 0) OnJpegError(info);
}

// Decodes into rgb (3 bytes a pixel); false on any library error. Holds no
// object with a destructor across the long jump.
bool DecodeJpeg(std::FILE* file, std::vector<unsigned char>* rgb, int* width, int* height) {
    jpeg_decompress_struct info;
    JpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = OnJpegError;
    error.manager.emit_message = OnJpegMessage;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    if (info.image_width < 1 || info.image_height < 1 || info.image_width > kMaxPictureSide ||
        info.image_height > kMaxPictureSide) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    *width = static_cast<int>(info.output_width);
    *height = static_cast<int>(info.output_height);
    rgb->resize(static_cast<size_t>(*width) * static_cast<size_t>(*height) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rgb->data() + static_cast<size_t>(info.output_scanline) * static_cast<size_t>(*width) * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

// Writes rows of 0x00RRGGBB words; false on any library error.
bool EncodePng(std::FILE* file, const Surface& s, std::vector<unsigned char>* row) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(s.width), static_cast<png_uint_32>(s.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            ColorRef c = ReadColor(s, x, y);
            (*row)[3 * static_cast<size_t>(x)] = static_cast<unsigned char>(RedOf(c));
            (*row)[3 * static_cast<size_t>(x) + 1] = static_cast<unsigned char>(GreenOf(c));
            (*row)[3 * static_cast<size_t>(x) + 2] = static_cast<unsigned char>(BlueOf(c));
        }
        png_write_row(png, row->data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

Hbitmap LoadImageFile(const std::string& path) {
    std::FILE* file = OpenFile(path, "rb");
    if (!file) return nullptr;
    std::vector<unsigned char> rgb;
    int width = 0, height = 0;
    bool ok = DecodeJpeg(file, &rgb, &width, &height);
    std::fclose(file);
    if (!ok) return nullptr;
    Hbitmap bitmap = CreateCompatibleBitmap(nullptr, width, height);
    if (!bitmap) return nullptr;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3];
            WriteRaw(bitmap->surface, x, y, ToPixel888(Rgb(p[0], p[1], p[2])));
        }
    return bitmap;
}

bool SaveScreenPng(const std::string& hostPath) {
    std::FILE* file = std::fopen(hostPath.c_str(), "wb");
    if (!file) return false;
    const Surface& s = ScreenSurface();
    std::vector<unsigned char> row(static_cast<size_t>(s.width) * 3);
    bool ok = EncodePng(file, s, &row);
    ok = std::fclose(file) == 0 && ok;
    if (!ok) std::remove(hostPath.c_str());
    return ok;
}

}  // namespace pl
