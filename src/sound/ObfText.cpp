#include "sound/ObfText.h"

#include "base/TextFile.h"

#include <sstream>
#include <string_view>
#include <utility>

namespace {
constexpr std::size_t MaxBlock = 65280;
constexpr std::uint8_t StopLength = 255;

// The number of blocks a file of this size is scrambled in: at least 4, and more while a block
// would hold more than MaxBlock bytes.
std::size_t BlockCount(std::size_t size) {
    std::size_t n = 4;
    while (size / n > MaxBlock) {
        ++n;
    }
    return n;
}

void XorBlock(std::vector<std::uint8_t>& data, std::size_t target, std::size_t source,
              std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        data[target * length + i] ^= data[source * length + i];
    }
}

void Scramble(std::vector<std::uint8_t>& data) {
    const std::size_t n = BlockCount(data.size());
    const std::size_t length = data.size() / n;
    for (std::size_t b = 0; b + 1 < n; ++b) {
        XorBlock(data, b, b + 1, length);
    }
    XorBlock(data, n - 1, 0, length);
}

void Unscramble(std::vector<std::uint8_t>& data) {
    const std::size_t n = BlockCount(data.size());
    if (data.empty() || data.size() % n != 0) {
        return;
    }
    const std::size_t length = data.size() / n;
    XorBlock(data, n - 1, 0, length);
    for (std::size_t b = n - 1; b-- > 0;) {
        XorBlock(data, b, b + 1, length);
    }
}

// The file's bytes; a missing file reads as empty.
std::vector<std::uint8_t> ReadBytes(const std::string& fileName) {
    if (FileDate(fileName).State == FileState::Missing) {
        return {};
    }
    const std::string bytes = ReadTextFile(fileName);
    return {bytes.begin(), bytes.end()};
}

std::string Trim(const std::string& line) {
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return line.substr(first, line.find_last_not_of(' ') - first + 1);
}
} // namespace

std::optional<std::string> ReadTextLine(std::istream& stream) {
    std::string line;
    bool any = false;
    for (int c = stream.get(); c != std::char_traits<char>::eof(); c = stream.get()) {
        any = true;
        if (c == '\n') {
            return line;
        }
        if (c == '\t') {
            c = ' ';
        }
        if ((c >= 0 && c <= 31) || (c >= 127 && c <= 159) || line.size() >= MaxTextLine) {
            continue;
        }
        line += static_cast<char>(c);
    }
    if (!any) {
        return std::nullopt;
    }
    return line;
}

TObfText::TObfText(const std::string& fileName) : TObfText(ReadBytes(fileName)) {}

TObfText::TObfText(std::vector<std::uint8_t> bytes) : Data(std::move(bytes)) {
    Unscramble(Data);
}

std::string TObfText::ReadLine() {
    if (AtEnd()) {
        return {};
    }
    const std::uint8_t length = Data[Position];
    if (length == StopLength) {
        return {};
    }
    ++Position;
    const std::size_t count = std::min<std::size_t>(length, Data.size() - Position);
    std::string line(Data.begin() + static_cast<std::ptrdiff_t>(Position),
                     Data.begin() + static_cast<std::ptrdiff_t>(Position + count));
    Position += count;
    return line;
}

std::vector<std::uint8_t> TObfText::CompileText(std::istream& source, const TLineFilter& filter) {
    std::vector<std::uint8_t> data;
    while (std::optional<std::string> read = ReadTextLine(source)) {
        std::string line = std::move(*read);
        if (filter ? !filter(line) : (line = Trim(line)).empty()) {
            continue;
        }
        // A length byte of 255 marks the end of the records, so a record holds at most 254
        // bytes: a longer line (a filter may lengthen one) loses its last bytes, not the lines
        // after it.
        line.resize(std::min<std::size_t>(line.size(), StopLength - 1));
        data.push_back(static_cast<std::uint8_t>(line.size()));
        data.insert(data.end(), line.begin(), line.end());
    }
    const std::size_t n = BlockCount(data.size());
    data.resize(data.size() + n - data.size() % n, 0);
    // Where the padding moves the size into the next block count, the blocks would no longer
    // divide the file and it would not read back: pad on until they do.
    while (data.size() % BlockCount(data.size()) != 0) {
        data.push_back(0);
    }
    Scramble(data);
    return data;
}

void TObfText::Compile(const std::string& source, const std::string& target,
                       const TLineFilter& filter) {
    std::istringstream input(ReadTextFile(source));
    const std::vector<std::uint8_t> data = CompileText(input, filter);
    ReplaceFile(target, std::string_view(reinterpret_cast<const char*>(data.data()), data.size()),
                FileBackup::None);
}
