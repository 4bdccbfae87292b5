#include "graphics/PX8Lib.h"
#include "graphics/PX8Stream.h"
#include "graphics/PX8TestFiles.h"
#include "graphics/PX8Writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

void Load(TPX8Library& library, const Bytes& bytes) {
    library.LoadFromStream(TPX8Stream::FromBytes(bytes.data(), bytes.size()), "test.px8");
}

// Loads the bytes as a library file, then its picture "a". Returns "load: " or "image: " with
// the message raised, or "" when both work; a failure leaves nothing open or lent.
std::string Failure(const Bytes& bytes) {
    TPX8Library library;
    std::string message = MessageOf([&] { Load(library, bytes); });
    if (!message.empty()) {
        EXPECT_TRUE(!library.IsOpen() && library.GetDirectory().empty()) << message;
        return "load: " + message;
    }
    message = MessageOf([&] { library.ReleaseImage(library.GetImage("a")); });
    EXPECT_TRUE(library.GetImages().IsEmpty()) << message;
    return message.empty() ? "" : "image: " + message;
}

// The bytes with those at `at` replaced, or cut off at `at` when `values` is empty.
Bytes Patched(Bytes bytes, std::size_t at, const Bytes& values) {
    bytes.resize(values.empty() ? at : std::max(bytes.size(), at + values.size()));
    std::copy(values.begin(), values.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

const std::string HeaderInvalid = "load: ValidatePX8FileHeader: header invalid";
const std::string ScanInvalid = "load: Invalid PX8 image header";
const std::string RecordInvalid = "image: Invalid PX8 image header";

} // namespace

// Damaged files: the header and the directory scan refuse some at once, GetImage the others.
TEST(PX8Library, DamagedFiles) {
    // A 3 x 2 record with a change, alone in a file.
    const auto plain = [](const std::function<void(TestRecord&)>& change) {
        TestRecord record = PlainRecord("a", 3, 2, 10);
        change(record);
        return LibraryBytes({record});
    };
    // Three segments of 167, 167 and 166 rows: code 6 fills the first row, code 7 copies it to
    // the others (the stored segments take 171, 171 and 170 bytes).
    const Bytes three = PX8EncodeLibrary({}, {{"a", 300, 500, Bytes(150000, 10), false, 0}});
    const std::size_t table = 1030 + 18;
    const auto keepRows = [](TestRecord& r) {
        r.state = 2;
        r.segments[0].data = {1, 2, 3, 0, 4, 5, 6, 0};
    };
    const Bytes good = LibraryBytes({PlainRecord("a", 3, 2, 10)});
    const std::size_t record = 1030;
    const std::tuple<const char*, Bytes, std::string> cases[] = {
        {"only header and palette", FileHeader(), "image: Image \"a\" does not exist"},
        {"empty file", {}, HeaderInvalid},
        {"three bytes", {'P', 'X', 8}, HeaderInvalid},
        {"wrong magic", Patched(good, 1, {'Y'}), HeaderInvalid},
        {"not 8 bits", Patched(good, 2, {4}), HeaderInvalid},
        {"byte 3 is not looked at", Patched(good, 3, {0x77}), ""},
        {"version 3", Patched(good, 4, {3}), HeaderInvalid},
        {"version 0x102", Patched(good, 5, {1}), HeaderInvalid},
        {"palette cut short", Patched(good, 500, {}), "load: Stream read error"},
        {"record header cut short", Patched(good, record + 10, {}), ScanInvalid},
        {"segment table cut short", Patched(good, record + 19, {}), ScanInvalid},
        {"record cut short", Patched(good, good.size() - 1, {}), ScanInvalid},
        {"width 0", Patched(good, record + 8, {0, 0}), ScanInvalid},
        {"height 0", Patched(good, record + 10, {0, 0}), ScanInvalid},
        {"no segments", Patched(good, record + 12, {0}), ScanInvalid},
        {"state 0", Patched(good, record + 13, {0}), ScanInvalid},
        {"state 3", Patched(good, record + 13, {3}), ScanInvalid},
        {"format version 2", Patched(good, record + 16, {2}), ScanInvalid},
        {"record length 0", Patched(good, record + 18, {0, 0, 0, 0}), ScanInvalid},
        {"record length inside its own table", Patched(good, record + 18, {21, 0, 0, 0}),
         ScanInvalid},
        {"record ends past the file", Patched(good, record + 18, {255, 255, 255, 127}),
         ScanInvalid},
        {"a stray byte after the last record", Patched(good, good.size(), {0}), ScanInvalid},
        {"segment count past the file", Patched(good, record + 12, {200}), ScanInvalid},
        // Records that the directory scan accepts.
        {"segment count not the layout's",
         plain([](TestRecord& r) { r.segments.push_back(r.segments[0]); }), RecordInvalid},
        {"table points backwards", Patched(three, table + 4, {30, 0, 0, 0}), RecordInvalid},
        {"segment without its header", Patched(three, table + 4, {203, 0, 0, 0}), RecordInvalid},
        {"65535 x 65535", plain([](TestRecord& r) { r.width = r.height = 65535; }), RecordInvalid},
        {"rows wider than a segment", plain([](TestRecord& r) { r.width = 65281; }), RecordInvalid},
        {"plain rows kept as they are", plain(keepRows), ""},
        {"plain rows one byte short", plain([&](TestRecord& r) {
             keepRows(r);
             r.segments[0].data.pop_back();
         }),
         RecordInvalid},
        {"undecoded segment of the wrong size",
         plain([](TestRecord& r) { r.segments[0].flags = 0x01; }), RecordInvalid},
        {"each segment's first row has nothing below", Patched(three, table + 12 + 342 + 3, {7}),
         "image: Decode: invalid line code"},
    };
    for (const auto& [what, bytes, failure] : cases) {
        EXPECT_EQ(Failure(bytes), failure) << what;
    }
}

// Names are matched without case and up to 8 characters; the later record of a name wins.
TEST(PX8Library, DirectoryAndReferenceCounts) {
    TPX8Library library;
    const Bytes bytes =
        LibraryBytes({PlainRecord("Board", 3, 2, 10), PlainRecord("EIGHTCHR", 1, 1, 5),
                      PlainRecord("board", 2, 2, 20), PlainRecord("x", 1, 1, 1)});
    Load(library, bytes);
    // Records of w x h take 25 + w * h bytes.
    const int32_t second = 1030 + 31;
    const int32_t third = second + 26;
    EXPECT_EQ(library.GetDirectory().size(), 3u);
    const std::pair<const char*, int32_t> cases[] = {
        {"bOaRd", third}, {"EightChr", second}, {"eightch", 0}, {"eightchrs", 0},
        {"", 0},          {"X", third + 29},
    };
    for (const auto& [name, offset] : cases) {
        EXPECT_EQ(library.ImageOffset(name), offset) << name;
        EXPECT_EQ(library.ImageExists(name), offset > 0) << name;
    }
    TImageNode* board = library.GetImage("Board");
    EXPECT_EQ(library.GetImage("BOARD"), board);
    EXPECT_EQ(board->RefCount, 2);
    // The surface is lent with a count of its own: freed at its last release, the picture kept.
    TPX8ImageData* surface = library.GetImageData(board);
    EXPECT_EQ(library.GetImageData(board), surface);
    library.ReleaseImageData(board);
    EXPECT_EQ(board->ImageData.get(), surface);
    library.ReleaseImageData(board);
    EXPECT_EQ(board->ImageData, nullptr);
    library.ReleaseImage(board);
    library.ReleaseImage(nullptr);
    EXPECT_TRUE(library.GetImages().Contains(board));
    library.ReleaseImage(board);
    EXPECT_TRUE(library.GetImages().IsEmpty());

    // Loading another file closes this one. Its palette is the file's but for black and white at
    // the ends, which the table now holds too (blue, green, red).
    Load(library, FileHeader());
    const TPaletteEntries& palette = library.GetHPal();
    // The file's entry i is (red i / 2, green 255 - i, blue i).
    EXPECT_EQ((std::vector{palette[0], palette[1], palette[254], palette[255]}),
              (std::vector<TPaletteEntry>{{0, 0, 0, 0},
                                          {0, 254, 1, PaletteNoCollapse},
                                          {127, 1, 254, PaletteNoCollapse},
                                          {255, 255, 255, 0}}));
    EXPECT_TRUE(library.GetPaletteTable()[4 * 255 + 2] == 255 && library.GetPaletteTable()[2] == 0);
    EXPECT_TRUE(library.GetDirectory().empty());
    EXPECT_EQ(MessageOf([&] { library.LoadFromFile("/nonexistent/ladderly.px8"); }),
              "Cannot open file \"/nonexistent/ladderly.px8\"");
    EXPECT_EQ(MessageOf([&] { library.ImageOffset("a"); }), "ImageOffset: no library loaded");
}
