#include "IndexedPng.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

// libpng reports errors by longjmp; the functions that call libpng keep only plain data in
// their own frames and turn the jump into a message that their caller raises as PngError.
struct PngContext {
    const uint8_t* input = nullptr;
    std::size_t inputSize = 0;
    std::size_t inputAt = 0;
    std::vector<uint8_t>* output = nullptr;
    char message[200] = {};
};

void OnError(png_structp png, png_const_charp text) {
    auto* context = static_cast<PngContext*>(png_get_error_ptr(png));
    std::snprintf(context->message, sizeof context->message, "%s", text);
    std::longjmp(png_jmpbuf(png), 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* context = static_cast<PngContext*>(png_get_io_ptr(png));
    if (context->inputSize - context->inputAt < length) {
        png_error(png, "file is truncated");
    }
    std::memcpy(data, context->input + context->inputAt, length);
    context->inputAt += length;
}

void WriteBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* context = static_cast<PngContext*>(png_get_io_ptr(png));
    context->output->insert(context->output->end(), data, data + length);
}

void Flush(png_structp) {}

// More than any picture a library can hold; larger files are refused before allocating.
constexpr uint64_t MaxPixels = uint64_t{1} << 26;

// Reads the header, then (when `rows` is given) the pixels. Returns false with the message
// in the context on failure.
bool ReadPng(PngContext& context, IndexedPng& image, std::vector<png_bytep>* rows,
             bool& notIndexed) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &context, OnError, OnWarning);
    if (png == nullptr) {
        std::snprintf(context.message, sizeof context.message, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &context, ReadBytes);
    // Pictures beyond the library's limits are refused before any memory is taken.
    png_set_user_limits(png, 65535, 65535);
    png_read_info(png, info);
    if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE) {
        notIndexed = true;
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    image.width = png_get_image_width(png, info);
    image.height = png_get_image_height(png, info);
    png_colorp palette = nullptr;
    int entries = 0;
    png_get_PLTE(png, info, &palette, &entries);
    image.palette.clear();
    for (int i = 0; i < entries; ++i) {
        image.palette.push_back({palette[i].red, palette[i].green, palette[i].blue});
    }
    png_bytep alpha = nullptr;
    int alphaEntries = 0;
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) {
        png_get_tRNS(png, info, &alpha, &alphaEntries, nullptr);
        image.alpha.assign(alpha, alpha + alphaEntries);
    }
    if (rows != nullptr) {
        png_set_packing(png);
        png_read_update_info(png, info);
        png_read_image(png, rows->data());
        png_read_end(png, nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool WritePng(PngContext& context, const IndexedPng& image, png_colorp palette, png_bytep alpha,
              std::vector<png_bytep>& rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &context, OnError, OnWarning);
    if (png == nullptr) {
        std::snprintf(context.message, sizeof context.message, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &context, WriteBytes, Flush);
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, palette, static_cast<int>(image.palette.size()));
    if (!image.alpha.empty()) {
        png_set_tRNS(png, info, alpha, static_cast<int>(image.alpha.size()), nullptr);
    }
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw PngError("cannot open " + path);
    }
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file),
                                std::istreambuf_iterator<char>());
}

} // namespace

IndexedPng DecodeIndexedPng(const std::vector<uint8_t>& bytes) {
    IndexedPng image;
    PngContext context;
    context.input = bytes.data();
    context.inputSize = bytes.size();
    bool notIndexed = false;
    if (!ReadPng(context, image, nullptr, notIndexed)) {
        throw PngError(notIndexed ? "not a palette PNG" : context.message);
    }
    if (uint64_t{image.width} * image.height > MaxPixels) {
        throw PngError("picture too large");
    }
    image.pixels.assign(std::size_t{image.width} * image.height, 0);
    std::vector<png_bytep> rows(image.height);
    for (uint32_t y = 0; y < image.height; ++y) {
        rows[y] = image.pixels.data() + std::size_t{y} * image.width;
    }
    context.inputAt = 0;
    if (!ReadPng(context, image, &rows, notIndexed)) {
        throw PngError(context.message);
    }
    return image;
}

std::vector<uint8_t> EncodeIndexedPng(const IndexedPng& image) {
    if (image.palette.empty() || image.palette.size() > 256 || image.alpha.size() > 256 ||
        image.pixels.size() != std::size_t{image.width} * image.height) {
        throw PngError("invalid picture for a palette PNG");
    }
    std::vector<png_color> palette;
    for (const auto& entry : image.palette) {
        palette.push_back({entry[0], entry[1], entry[2]});
    }
    std::vector<uint8_t> alpha = image.alpha;
    std::vector<png_bytep> rows(image.height);
    for (uint32_t y = 0; y < image.height; ++y) {
        rows[y] = const_cast<png_bytep>(image.pixels.data() + std::size_t{y} * image.width);
    }
    std::vector<uint8_t> out;
    PngContext context;
    context.output = &out;
    if (!WritePng(context, image, palette.data(), alpha.data(), rows)) {
        throw PngError(context.message);
    }
    return out;
}

IndexedPng ReadIndexedPng(const std::string& path) {
    try {
        return DecodeIndexedPng(ReadFile(path));
    } catch (const PngError& e) {
        throw PngError(path + ": " + e.what());
    }
}

void WriteIndexedPng(const std::string& path, const IndexedPng& image) {
    const std::vector<uint8_t> bytes = EncodeIndexedPng(image);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        throw PngError("cannot write " + path);
    }
}
