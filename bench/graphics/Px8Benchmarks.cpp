// Speed and size of the image library format on generated pictures like the game's and on a
// large picture of mixed content. For each picture, side by side: decoding its segments,
// memcpy of the same decoded bytes (the limit), libpng decoding the same picture saved as an
// indexed PNG (what a user would pick instead), and loading it through the library. The
// counters give the stored sizes: raw pixels, library record and PNG file.

#include "IndexedPng.h"
#include "PX8SamplePictures.h"
#include "graphics/PX8Decoder.h"
#include "graphics/PX8Lib.h"
#include "graphics/PX8Stream.h"
#include "graphics/PX8Writer.h"

#include <benchmark/benchmark.h>
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Subject {
    std::string name;
    TPX8Picture picture;
    std::vector<uint8_t> library; // a library file holding just this picture
    std::vector<uint8_t> record;
    std::vector<uint8_t> png;
};

std::vector<Subject>& Subjects() {
    static std::vector<Subject> subjects = [] {
        std::vector<SamplePicture> samples = SamplePictures::Game(11);
        samples.push_back(SamplePictures::Mixed(1024, 768, 5));
        std::vector<Subject> result;
        for (const SamplePicture& sample : samples) {
            Subject s;
            s.name = sample.name + "_" + std::to_string(sample.width) + "x" +
                     std::to_string(sample.height);
            s.picture.Name = sample.name;
            s.picture.Width = sample.width;
            s.picture.Height = sample.height;
            s.picture.Pixels = sample.pixels;
            s.picture.Transparent = sample.transparent;
            s.library = PX8EncodeLibrary(TPX8PaletteTable{}, {s.picture});
            s.record = PX8EncodeRecord(s.picture);
            IndexedPng png;
            png.width = sample.width;
            png.height = sample.height;
            png.pixels = sample.pixels;
            for (int i = 0; i < 256; ++i) {
                png.palette.push_back(
                    {static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i)});
            }
            s.png = EncodeIndexedPng(png);
            result.push_back(std::move(s));
        }
        return result;
    }();
    return subjects;
}

void Sizes(benchmark::State& state, const Subject& s) {
    state.counters["raw_bytes"] = static_cast<double>(s.picture.Pixels.size());
    state.counters["px8_bytes"] = static_cast<double>(s.record.size());
    state.counters["png_bytes"] = static_cast<double>(s.png.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(s.picture.Pixels.size()));
}

// The stored segments of the picture, cut out of its record, and their decoded blocks.
void BM_Px8Decode(benchmark::State& state, const Subject* s) {
    TPX8Library library;
    library.LoadFromStream(TPX8Stream::FromBytes(s->library.data(), s->library.size()), "b");
    const TPX8BandLayout layout = PX8BandLayout(s->picture.Width, s->picture.Height);
    struct Stored {
        uint8_t a, b, flags;
        std::vector<uint8_t> data;
        std::vector<uint8_t> out;
        uint32_t rows;
    };
    std::vector<Stored> segments;
    const uint8_t* record = s->record.data();
    uint32_t start = 18 + 4 * layout.SegmentCount;
    for (uint32_t i = 0; i < layout.SegmentCount; ++i) {
        uint32_t end = 0;
        std::memcpy(&end, record + 18 + 4 * i, 4);
        Stored stored{record[start],
                      record[start + 1],
                      record[start + 2],
                      std::vector<uint8_t>(record + start + 3, record + end),
                      std::vector<uint8_t>(std::size_t{layout.Stride} * layout.RowsOf(i)),
                      layout.RowsOf(i)};
        segments.push_back(std::move(stored));
        start = end;
    }
    for (auto _ : state) {
        for (Stored& seg : segments) {
            PX8DecodeRows(seg.data, seg.a, seg.b, seg.flags, s->picture.Width, seg.rows,
                          layout.Stride, seg.out.data());
        }
        benchmark::DoNotOptimize(segments.front().out.data());
        benchmark::ClobberMemory();
    }
    Sizes(state, *s);
}

void BM_Memcpy(benchmark::State& state, const Subject* s) {
    const TPX8BandLayout layout = PX8BandLayout(s->picture.Width, s->picture.Height);
    const std::vector<uint8_t> source(std::size_t{layout.Stride} * s->picture.Height, 7);
    std::vector<uint8_t> target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    Sizes(state, *s);
}

// A bare libpng decode into prepared rows, not the tool's IndexedPng reader, so the comparison
// times libpng itself rather than the reader's checks and copies. libpng's error handling
// jumps; this frame keeps only plain data.
struct PngRead {
    const uint8_t* data;
    std::size_t size;
    std::size_t at;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* read = static_cast<PngRead*>(png_get_io_ptr(png));
    if (read->size - read->at < length) {
        png_error(png, "truncated");
    }
    std::memcpy(out, read->data + read->at, length);
    read->at += length;
}

bool DecodePng(PngRead& read, png_bytep* rows) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &read, ReadFromMemory);
    png_read_info(png, info);
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

void BM_PngDecode(benchmark::State& state, const Subject* s) {
    std::vector<uint8_t> pixels(s->picture.Pixels.size());
    std::vector<png_bytep> rows(s->picture.Height);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        rows[y] = pixels.data() + y * s->picture.Width;
    }
    for (auto _ : state) {
        PngRead read{s->png.data(), s->png.size(), 0};
        if (!DecodePng(read, rows.data())) {
            state.SkipWithError("libpng failed");
            return;
        }
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    if (pixels != s->picture.Pixels) {
        state.SkipWithError("libpng decoded other pixels");
    }
    Sizes(state, *s);
}

// GetImage from an open library in memory: reading the record and decoding it.
void BM_Px8GetImage(benchmark::State& state, const Subject* s) {
    TPX8Library library;
    library.LoadFromStream(TPX8Stream::FromBytes(s->library.data(), s->library.size()), "b");
    for (auto _ : state) {
        TImageNode* entry = library.GetImage(s->picture.Name);
        benchmark::DoNotOptimize(entry);
        library.ReleaseImage(entry);
    }
    Sizes(state, *s);
}

void BM_Px8Encode(benchmark::State& state, const Subject* s) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(PX8EncodeRecord(s->picture));
    }
    Sizes(state, *s);
}

const bool Registered = [] {
    for (const Subject& s : Subjects()) {
        benchmark::RegisterBenchmark(("Px8Decode/" + s.name).c_str(), BM_Px8Decode, &s);
        benchmark::RegisterBenchmark(("Memcpy/" + s.name).c_str(), BM_Memcpy, &s);
        benchmark::RegisterBenchmark(("PngDecode/" + s.name).c_str(), BM_PngDecode, &s);
        benchmark::RegisterBenchmark(("Px8GetImage/" + s.name).c_str(), BM_Px8GetImage, &s);
        benchmark::RegisterBenchmark(("Px8Encode/" + s.name).c_str(), BM_Px8Encode, &s);
    }
    return true;
}();

} // namespace
