#include "support/jpeg_file.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

std::vector<unsigned char> EncodeJpeg(int width, int height, const std::vector<unsigned char>& rgb) {
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* mem = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &mem, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(&rgb[static_cast<size_t>(info.next_scanline) * width * 3]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<unsigned char> bytes(mem, mem + size);
    jpeg_destroy_compress(&info);
    std::free(mem);
    return bytes;
}

bool WriteJpegFile(const std::string& hostPath, int width, int height, const std::vector<unsigned char>& rgb) {
    std::vector<unsigned char> bytes = EncodeJpeg(width, height, rgb);
    std::FILE* file = std::fopen(hostPath.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
