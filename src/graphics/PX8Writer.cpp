#include "graphics/PX8Writer.h"

#include "graphics/PX8Exception.h"

#include <algorithm>
#include <fstream>
#include <limits>

namespace {

constexpr uint32_t Never = std::numeric_limits<uint32_t>::max() / 4;
constexpr uint32_t MaxRun = 255;

// How a stretch of a run-length coded row is written.
enum class RunKind : uint8_t { Run, CopyPrevious, CopyRestOfPrevious };
struct RunStep {
    RunKind kind = RunKind::Run;
    uint32_t length = 0;
};

class RowCoder {
  public:
    RowCoder(uint8_t codeA, uint8_t codeB, uint32_t rowWidth)
        : a(codeA), b(codeB), width(rowWidth), run(width + 1), match(width + 1), costRun(width + 1),
          stepRun(width + 1), costXor(width + 1), stepXor(width + 1), costLine(width + 1),
          stepLine(width + 1), xorRow(width), xorRunLength(width + 1) {}

    // Chooses the codes for the row (`previous` is the row below, nullptr for a segment's
    // first row) and returns the bytes it takes.
    uint32_t Plan(const uint8_t* row, const uint8_t* previous) {
        current = row;
        RunLengths(row, run);
        for (uint32_t x = width; x-- > 0;) {
            match[x] = previous != nullptr && row[x] == previous[x] ? match[x + 1] + 1 : 0;
        }
        match[width] = 0;
        PlanRuns(row, run, previous != nullptr, costRun, stepRun);
        if (previous != nullptr) {
            for (uint32_t x = 0; x < width; ++x) {
                xorRow[x] = static_cast<uint8_t>(row[x] ^ previous[x]);
            }
            RunLengths(xorRow.data(), xorRunLength);
            PlanRuns(xorRow.data(), xorRunLength, false, costXor, stepXor);
        }
        for (uint32_t x = width; x-- > 0;) {
            const uint32_t rest = width - x;
            uint32_t best = 1 + rest;
            uint8_t code = 0;
            auto consider = [&](uint32_t cost, uint8_t candidate) {
                if (cost < best) {
                    best = cost;
                    code = candidate;
                }
            };
            consider(1 + costRun[x], 1);
            if (run[x] == rest) {
                consider(2, 6);
            }
            if (previous != nullptr) {
                if (x == 0) {
                    consider(1 + costXor[0], 2);
                }
                if (match[x] == rest) {
                    consider(1, 7);
                } else if (match[x] >= 8) {
                    const uint32_t n = std::min(match[x], MaxRun);
                    consider(1 + costLine[x + n], static_cast<uint8_t>(n));
                }
            }
            costLine[x] = best;
            stepLine[x] = code;
        }
        return costLine[0];
    }

    // Writes the planned row.
    void Emit(std::vector<uint8_t>& out) const {
        uint32_t x = 0;
        while (true) {
            const uint8_t code = stepLine[x];
            out.push_back(code);
            switch (code) {
            case 0:
                out.insert(out.end(), current + x, current + width);
                return;
            case 1:
                EmitRuns(current, stepRun, x, out);
                return;
            case 2:
                EmitRuns(xorRow.data(), stepXor, 0, out);
                return;
            case 6:
                out.push_back(current[x]);
                return;
            case 7:
                return;
            default:
                x += code;
                break;
            }
        }
    }

  private:
    void RunLengths(const uint8_t* row, std::vector<uint32_t>& lengths) const {
        lengths[width] = 0;
        for (uint32_t x = width; x-- > 0;) {
            lengths[x] = x + 1 < width && row[x] == row[x + 1] ? lengths[x + 1] + 1 : 1;
        }
    }

    uint32_t RunCost(uint8_t v, uint32_t n) const {
        if (v == a || v == b) {
            return n <= 2 ? 2 : 3;
        }
        return n <= 2 ? n : (n == 3 ? 2 : 3);
    }

    void PlanRuns(const uint8_t* row, const std::vector<uint32_t>& lengths, bool copies,
                  std::vector<uint32_t>& cost, std::vector<RunStep>& step) const {
        cost[width] = 0;
        for (uint32_t x = width; x-- > 0;) {
            uint32_t best = Never;
            RunStep choice;
            const uint32_t longest = std::min(lengths[x], MaxRun);
            const uint32_t candidates[] = {1, 2, 3, longest};
            for (uint32_t n : candidates) {
                if (n <= longest) {
                    const uint32_t c = RunCost(row[x], n) + cost[x + n];
                    if (c < best) {
                        best = c;
                        choice = {RunKind::Run, n};
                    }
                }
            }
            if (copies && match[x] > 0) {
                if (match[x] == width - x) {
                    if (2 < best) {
                        best = 2;
                        choice = {RunKind::CopyRestOfPrevious, width - x};
                    }
                } else {
                    const uint32_t n = std::min(match[x], MaxRun);
                    if (3 + cost[x + n] < best) {
                        best = 3 + cost[x + n];
                        choice = {RunKind::CopyPrevious, n};
                    }
                }
            }
            cost[x] = best;
            step[x] = choice;
        }
    }

    void EmitRun(uint8_t v, uint32_t n, std::vector<uint8_t>& out) const {
        if (v == a || v == b) {
            if (n >= 3) {
                out.insert(out.end(), {a, static_cast<uint8_t>(n), v});
            } else if (v == a) {
                out.insert(out.end(), {a, static_cast<uint8_t>(n - 1)});
            } else {
                out.insert(out.end(), {b, n == 1 ? a : b});
            }
        } else if (n <= 2) {
            out.insert(out.end(), n, v);
        } else if (n == 3) {
            out.insert(out.end(), {b, v});
        } else {
            out.insert(out.end(), {a, static_cast<uint8_t>(n), v});
        }
    }

    void EmitRuns(const uint8_t* row, const std::vector<RunStep>& step, uint32_t x,
                  std::vector<uint8_t>& out) const {
        while (x < width) {
            const RunStep& s = step[x];
            switch (s.kind) {
            case RunKind::Run:
                EmitRun(row[x], s.length, out);
                break;
            case RunKind::CopyPrevious:
                out.insert(out.end(), {a, 2, static_cast<uint8_t>(s.length)});
                break;
            case RunKind::CopyRestOfPrevious:
                out.insert(out.end(), {a, 2, 0});
                break;
            }
            x += s.length;
        }
    }

    uint8_t a;
    uint8_t b;
    uint32_t width;
    const uint8_t* current = nullptr;
    std::vector<uint32_t> run;
    std::vector<uint32_t> match;
    std::vector<uint32_t> costRun;
    std::vector<RunStep> stepRun;
    std::vector<uint32_t> costXor;
    std::vector<RunStep> stepXor;
    std::vector<uint32_t> costLine;
    std::vector<uint8_t> stepLine;
    std::vector<uint8_t> xorRow;
    std::vector<uint32_t> xorRunLength;
};

// The least and second least frequent values among 1 to 255, lower value first on ties.
std::pair<uint8_t, uint8_t> EscapeCodes(std::span<const uint8_t* const> rows, uint16_t width) {
    std::array<uint64_t, 256> counts{};
    for (const uint8_t* row : rows) {
        for (uint32_t x = 0; x < width; ++x) {
            ++counts[row[x]];
        }
    }
    uint8_t first = 1;
    for (int v = 2; v < 256; ++v) {
        if (counts[v] < counts[first]) {
            first = static_cast<uint8_t>(v);
        }
    }
    uint8_t second = first == 1 ? 2 : 1;
    for (int v = 1; v < 256; ++v) {
        if (v != first && counts[v] < counts[second]) {
            second = static_cast<uint8_t>(v);
        }
    }
    return {first, second};
}

std::vector<uint8_t> SimpleStream(std::span<const uint8_t* const> rows, uint16_t width, uint8_t a) {
    std::vector<uint8_t> out;
    uint32_t n = 0;
    uint8_t v = 0;
    auto flush = [&] {
        if (n == 0) {
            return;
        }
        if (v == a) {
            if (n <= 2) {
                out.insert(out.end(), {a, static_cast<uint8_t>(n - 1)});
            } else {
                out.insert(out.end(), {a, static_cast<uint8_t>(n), a});
            }
        } else if (n <= 3) {
            out.insert(out.end(), n, v);
        } else {
            out.insert(out.end(), {a, static_cast<uint8_t>(n), v});
        }
        n = 0;
    };
    for (const uint8_t* row : rows) {
        for (uint32_t x = 0; x < width; ++x) {
            if (n > 0 && (row[x] != v || n == MaxRun)) {
                flush();
            }
            v = row[x];
            ++n;
        }
    }
    flush();
    return out;
}

} // namespace

std::vector<uint8_t> PX8EncodeSegment(std::span<const uint8_t* const> rows, uint16_t width) {
    const auto [a, b] = EscapeCodes(rows, width);
    const std::size_t plainSize = std::size_t{width} * rows.size();
    std::vector<uint8_t> out = {a, b, PX8SegmentStored};

    RowCoder coder(a, b, width);
    std::size_t lineCoded = 0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        lineCoded += coder.Plan(rows[k], k == 0 ? nullptr : rows[k - 1]);
    }
    if (lineCoded < plainSize) {
        out.reserve(3 + lineCoded);
        for (std::size_t k = 0; k < rows.size(); ++k) {
            coder.Plan(rows[k], k == 0 ? nullptr : rows[k - 1]);
            coder.Emit(out);
        }
        return out;
    }
    std::vector<uint8_t> stream = SimpleStream(rows, width, a);
    if (stream.size() < plainSize) {
        out[2] |= PX8SegmentStream;
        out.insert(out.end(), stream.begin(), stream.end());
        return out;
    }
    out[2] |= PX8SegmentPlain;
    for (const uint8_t* row : rows) {
        out.insert(out.end(), row, row + width);
    }
    return out;
}

std::vector<uint8_t> PX8EncodeRecord(const TPX8Picture& picture) {
    if (picture.Name.size() > PX8NameLength) {
        throw PX8Exception("Write: image name \"" + picture.Name +
                           "\" is longer than 8 characters");
    }
    const TPX8BandLayout layout = PX8BandLayout(picture.Width, picture.Height);
    if (layout.SegmentCount == 0 || layout.SegmentCount > 255 ||
        picture.Pixels.size() != std::size_t{picture.Width} * picture.Height) {
        throw PX8Exception("Write: image \"" + picture.Name + "\" has an invalid size");
    }
    TPX8RecordHeader header;
    header.SetName(picture.Name);
    header.Width = picture.Width;
    header.Height = picture.Height;
    header.SegmentCount = static_cast<uint8_t>(layout.SegmentCount);
    header.State = PX8StateEncoded;
    header.TransparentIndex = picture.TransparentIndex;
    header.Transparent = picture.Transparent ? 1 : 0;
    header.Version = PX8RecordVersion;

    std::vector<std::vector<uint8_t>> segments;
    std::vector<const uint8_t*> rows;
    for (uint32_t i = 0; i < layout.SegmentCount; ++i) {
        rows.clear();
        for (uint32_t k = 0; k < layout.RowsOf(i); ++k) {
            const uint32_t storageRow = i * layout.RowsPerSegment + k;
            const uint32_t y = picture.Height - 1u - storageRow;
            rows.push_back(picture.Pixels.data() + std::size_t{y} * picture.Width);
        }
        segments.push_back(PX8EncodeSegment(rows, picture.Width));
    }

    std::vector<uint8_t> out(PX8RecordHeaderSize);
    uint8_t headerBytes[PX8RecordHeaderSize];
    header.Serialize(headerBytes);
    std::copy(std::begin(headerBytes), std::end(headerBytes), out.begin());
    std::size_t end = PX8RecordHeaderSize + 4 * segments.size();
    for (const std::vector<uint8_t>& segment : segments) {
        end += segment.size();
        for (int shift = 0; shift < 32; shift += 8) {
            out.push_back(static_cast<uint8_t>(end >> shift));
        }
    }
    for (const std::vector<uint8_t>& segment : segments) {
        out.insert(out.end(), segment.begin(), segment.end());
    }
    return out;
}

std::vector<uint8_t> PX8EncodeLibrary(const TPX8PaletteTable& palette,
                                      const std::vector<TPX8Picture>& pictures) {
    std::vector<uint8_t> out = {'P', 'X', 8, 0, 2, 0};
    out.insert(out.end(), palette.begin(), palette.end());
    for (const TPX8Picture& picture : pictures) {
        const std::vector<uint8_t> record = PX8EncodeRecord(picture);
        out.insert(out.end(), record.begin(), record.end());
    }
    return out;
}

void PX8WriteLibrary(const std::string& path, const TPX8PaletteTable& palette,
                     const std::vector<TPX8Picture>& pictures) {
    const std::vector<uint8_t> bytes = PX8EncodeLibrary(palette, pictures);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        throw PX8Exception("Cannot create file \"" + path + "\"");
    }
}
