// ladderly-tool px8: lists, extracts and packs the pictures of an image library file.

#include "Commands.h"
#include "IndexedPng.h"

#include "base/Util.h"
#include "graphics/PX8Lib.h"
#include "graphics/PX8Stream.h"
#include "graphics/PX8Writer.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>

namespace {
constexpr std::string_view Help =
    "usage: ladderly-tool px8 list FILE\n"
    "       ladderly-tool px8 extract FILE NAME OUT.pgm|OUT.png\n"
    "       ladderly-tool px8 pack OUT [-t INDEX] IMAGE.png [[-t INDEX] IMAGE.png...]\n"
    "\n"
    "list prints one line per picture of the library FILE, in directory order: name, width,\n"
    "height and segment count.\n"
    "\n"
    "extract writes the picture NAME as palette indices: a binary PGM (P5, maxval 255) for\n"
    "OUT.pgm, an indexed PNG with the library's palette for OUT.png.\n"
    "\n"
    "pack builds the library OUT from indexed PNG files that share one palette. Each picture\n"
    "is named after its file (at most 8 characters); -t INDEX before a file makes that colour\n"
    "index transparent in its picture. Without -t, a file whose palette marks exactly one entry\n"
    "fully transparent (and none partly) has that entry as its transparent colour.\n"
    "\n"
    "Exit status 0 on success; 2 for a usage error or when the library or a picture is\n"
    "faulty, with the engine's message on standard error.\n";

bool EndsWith(const std::string& text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

int Usage(std::ostream& err, const std::string& problem) {
    err << "ladderly-tool px8: " << problem << "\n\n" << Help;
    return 2;
}

TPX8PaletteTable ReadPaletteTable(const std::string& path) {
    TPX8PaletteTable table{};
    std::unique_ptr<TPX8Stream> stream = TPX8Stream::OpenFile(path);
    stream->Seek(PX8FileHeaderSize);
    stream->Read(table.data(), table.size());
    return table;
}

// The picture's rows, top first, without padding.
std::vector<uint8_t> Pixels(TPX8Image& image) {
    std::vector<uint8_t> pixels;
    pixels.reserve(std::size_t{image.Width()} * image.Height());
    for (uint32_t y = 0; y < image.Height(); ++y) {
        const uint32_t r = image.Height() - 1u - y;
        TPX8ImageSegment& segment = image.Segments()[r / image.RowsPerSegment()];
        const uint8_t* row = segment.Lock() + (r % image.RowsPerSegment()) * image.Stride();
        pixels.insert(pixels.end(), row, row + image.Width());
        segment.Unlock();
    }
    return pixels;
}

// The one palette entry the PNG marks fully transparent, or -1 when there is none, more than
// one, or an entry only partly transparent.
int MarkedTransparentIndex(const IndexedPng& png) {
    int found = -1;
    for (std::size_t e = 0; e < png.alpha.size(); ++e) {
        if (png.alpha[e] == 0 && found < 0) {
            found = static_cast<int>(e);
        } else if (png.alpha[e] != 255) {
            return -1;
        }
    }
    return found;
}

int List(const std::string& path, std::ostream& out) {
    TPX8Library library;
    library.LoadFromFile(path);
    for (const auto& [name, offset] : library.GetDirectory()) {
        TImageNode* entry = library.GetImage(name);
        const TPX8Image& image = *entry->Image;
        out << name << ' ' << image.Width() << ' ' << image.Height() << ' '
            << image.Segments().size() << '\n';
        library.ReleaseImage(entry);
    }
    return 0;
}

int Extract(const std::string& path, const std::string& name, const std::string& target,
            std::ostream& err) {
    const bool pgm = EndsWith(target, ".pgm");
    if (!pgm && !EndsWith(target, ".png")) {
        return Usage(err, "OUT must end in .pgm or .png");
    }
    TPX8Library library;
    library.LoadFromFile(path);
    TImageNode* entry = library.GetImage(name);
    TPX8Image& image = *entry->Image;
    const std::vector<uint8_t> pixels = Pixels(image);
    if (pgm) {
        std::ofstream file(target, std::ios::binary | std::ios::trunc);
        file << "P5\n" << image.Width() << ' ' << image.Height() << "\n255\n";
        file.write(reinterpret_cast<const char*>(pixels.data()),
                   static_cast<std::streamsize>(pixels.size()));
        file.close();
        if (!file) {
            throw std::runtime_error("cannot write " + target);
        }
        return 0;
    }
    IndexedPng png;
    png.width = image.Width();
    png.height = image.Height();
    png.pixels = pixels;
    const TPX8PaletteTable table = ReadPaletteTable(path);
    for (std::size_t i = 0; i < 256; ++i) {
        png.palette.push_back({table[4 * i + 2], table[4 * i + 1], table[4 * i]});
    }
    if (image.Transparent()) {
        png.alpha.assign(std::size_t{image.TransparentIndex()} + 1, 255);
        png.alpha.back() = 0;
    }
    WriteIndexedPng(target, png);
    return 0;
}

int Pack(const std::vector<std::string>& args, std::ostream& err) {
    const std::string& target = args[1];
    std::vector<TPX8Picture> pictures;
    std::vector<std::array<uint8_t, 3>> palette;
    std::set<std::string> names;
    int transparent = -1;
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "-t") {
            if (i + 1 >= args.size()) {
                return Usage(err, "-t needs a colour index");
            }
            const std::string& index = args[++i];
            if (index.empty() || index.size() > 3 ||
                index.find_first_not_of("0123456789") != std::string::npos ||
                std::stoi(index) > 255) {
                return Usage(err, "-t needs a colour index from 0 to 255");
            }
            transparent = std::stoi(index);
            continue;
        }
        const std::string name = std::filesystem::path(args[i]).stem().string();
        if (name.empty() || name.size() > PX8NameLength) {
            return Usage(err, "the picture name of " + args[i] + " must have 1 to 8 characters");
        }
        if (!names.insert(LowerCaseASCII(name)).second) {
            return Usage(err, "two pictures are named " + name);
        }
        const IndexedPng png = ReadIndexedPng(args[i]);
        if (transparent < 0) {
            transparent = MarkedTransparentIndex(png);
        }
        // Pictures share one palette: every entry both define must agree.
        for (std::size_t e = 0; e < std::min(png.palette.size(), palette.size()); ++e) {
            if (png.palette[e] != palette[e]) {
                err << "ladderly-tool px8: " << args[i]
                    << ": its palette differs from the first picture's at entry " << e << '\n';
                return 2;
            }
        }
        for (std::size_t e = palette.size(); e < png.palette.size(); ++e) {
            palette.push_back(png.palette[e]);
        }
        if (png.width > 65535 || png.height > 65535) {
            err << "ladderly-tool px8: " << args[i] << ": picture too large\n";
            return 2;
        }
        TPX8Picture picture;
        picture.Name = name;
        picture.Width = static_cast<uint16_t>(png.width);
        picture.Height = static_cast<uint16_t>(png.height);
        picture.Pixels = png.pixels;
        picture.Transparent = transparent >= 0;
        picture.TransparentIndex = static_cast<uint8_t>(transparent >= 0 ? transparent : 0);
        pictures.push_back(std::move(picture));
        transparent = -1;
    }
    if (pictures.empty()) {
        return Usage(err, "pack needs at least one picture");
    }
    TPX8PaletteTable table{};
    for (std::size_t e = 0; e < palette.size(); ++e) {
        table[4 * e] = palette[e][2];
        table[4 * e + 1] = palette[e][1];
        table[4 * e + 2] = palette[e][0];
    }
    PX8WriteLibrary(target, table, pictures);
    return 0;
}

} // namespace

int Px8Command(const std::vector<std::string>& args, std::istream&, std::ostream& out,
               std::ostream& err) {
    if (IsHelp(args)) {
        out << Help;
        return 0;
    }
    const std::string verb = args.empty() ? "" : args[0];
    try {
        if (verb == "list" && args.size() == 2) {
            return List(args[1], out);
        }
        if (verb == "extract" && args.size() == 4) {
            return Extract(args[1], args[2], args[3], err);
        }
        if (verb == "pack" && args.size() >= 3) {
            return Pack(args, err);
        }
    } catch (const std::exception& e) {
        err << e.what() << '\n';
        return 2;
    }
    return Usage(err, verb.empty() ? "a subcommand is needed" : "wrong use of " + verb);
}
