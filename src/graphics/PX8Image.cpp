#include "graphics/PX8Image.h"

#include "graphics/PX8Decoder.h"
#include "graphics/PX8Exception.h"
#include "graphics/PX8Stream.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {
const char* const InvalidHeader = "Invalid PX8 image header";

uint16_t ReadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
void WriteU16(uint8_t* p, uint16_t value) {
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}
} // namespace

std::string TPX8RecordHeader::GetName() const {
    const char* end = std::find(Name, Name + PX8NameLength, '\0');
    return std::string(Name, end);
}

void TPX8RecordHeader::SetName(const std::string& name) {
    std::memset(Name, 0, sizeof Name);
    std::memcpy(Name, name.data(), std::min(name.size(), PX8NameLength));
}

bool TPX8RecordHeader::IsValid() const {
    return Width != 0 && Height != 0 && SegmentCount != 0 &&
           (State == PX8StateEncoded || State == PX8StateDecoded) && Version == PX8RecordVersion;
}

TPX8RecordHeader TPX8RecordHeader::Parse(const uint8_t (&bytes)[PX8RecordHeaderSize]) {
    TPX8RecordHeader header;
    std::memcpy(header.Name, bytes, PX8NameLength);
    header.Width = ReadU16(bytes + 8);
    header.Height = ReadU16(bytes + 10);
    header.SegmentCount = bytes[12];
    header.State = bytes[13];
    header.TransparentIndex = bytes[14];
    header.Transparent = bytes[15];
    header.Version = ReadU16(bytes + 16);
    return header;
}

void TPX8RecordHeader::Serialize(uint8_t (&bytes)[PX8RecordHeaderSize]) const {
    std::memcpy(bytes, Name, PX8NameLength);
    WriteU16(bytes + 8, Width);
    WriteU16(bytes + 10, Height);
    bytes[12] = SegmentCount;
    bytes[13] = State;
    bytes[14] = TransparentIndex;
    bytes[15] = Transparent;
    WriteU16(bytes + 16, Version);
}

void TPX8ImageSegment::Allocate(std::size_t size) {
    Free();
    try {
        block.assign(size, 0);
    } catch (const std::bad_alloc&) {
        throw PX8Exception("Allocate: out of memory");
    }
    allocated = true;
    placeholder = false;
    Size = static_cast<uint16_t>(size);
}

void TPX8ImageSegment::Reallocate(std::size_t size) {
    if (!allocated) {
        throw PX8Exception("Reallocate: segment buffer not allocated");
    }
    try {
        block.resize(size, 0);
    } catch (const std::bad_alloc&) {
        Free();
        throw PX8Exception("Reallocate: out of memory");
    }
    Size = static_cast<uint16_t>(size);
}

uint8_t* TPX8ImageSegment::Lock() {
    if (!allocated) {
        throw PX8Exception("Segment Lock: segment buffer not allocated");
    }
    if (placeholder) {
        Owner->LoadSegment(Index);
    }
    locked = true;
    return block.data();
}

std::vector<uint8_t> TPX8ImageSegment::Detach() {
    Lock();
    Unlock();
    std::vector<uint8_t> result = std::move(block);
    block = {};
    allocated = false;
    Size = 0;
    Flags &= static_cast<uint8_t>(~PX8SegmentStored);
    return result;
}

void TPX8ImageSegment::Free() {
    Unlock();
    Flags &= static_cast<uint8_t>(~PX8SegmentStored);
    block = {};
    allocated = false;
    placeholder = false;
    Size = 0;
}

void TPX8ImageSegment::MakePlaceholder(uint16_t storedSize) {
    const uint8_t flags = Flags;
    Free();
    Flags = flags;
    allocated = true;
    placeholder = true;
    Size = storedSize;
}

void TPX8ImageSegment::Decode(uint16_t width, uint16_t rows) {
    if ((Flags & PX8SegmentStored) == 0) {
        return;
    }
    const uint8_t flags = Flags;
    const std::vector<uint8_t> stored = Detach();
    const std::size_t stride = (std::size_t{width} + 3) & ~std::size_t{3};
    Allocate(stride * rows);
    try {
        PX8DecodeRows(stored, Codes[0], Codes[1], flags, width, rows, static_cast<uint32_t>(stride),
                      block.data());
    } catch (...) {
        Free();
        throw;
    }
}

void TPX8Image::FreeSegments() {
    segments.clear();
    storedRanges.clear();
}

void TPX8Image::Init(const std::string& name, TPX8Stream* source, uint16_t width, uint16_t height) {
    const TPX8BandLayout blank = PX8BandLayout(width, height);
    if (blank.SegmentCount == 0 || blank.SegmentCount > 255) {
        throw PX8Exception(InvalidHeader);
    }
    FreeSegments();
    stream = source;
    recordOffset = 0;
    header = TPX8RecordHeader();
    header.SetName(name);
    header.Width = width;
    header.Height = height;
    header.SegmentCount = static_cast<uint8_t>(blank.SegmentCount);
    header.State = PX8StateDecoded;
    header.Version = PX8RecordVersion;
    layout = blank;
    segments.reserve(layout.SegmentCount);
    for (uint32_t i = 0; i < layout.SegmentCount; ++i) {
        segments.emplace_back(this, static_cast<uint16_t>(i));
        segments.back().Allocate(std::size_t{layout.Stride} * layout.RowsOf(i));
    }
}

void TPX8Image::LoadFromStream(TPX8Stream& source) {
    FreeSegments();
    stream = &source;
    recordOffset = source.Position();

    uint8_t bytes[PX8RecordHeaderSize];
    source.Read(bytes, sizeof bytes);
    const TPX8RecordHeader read = TPX8RecordHeader::Parse(bytes);
    const TPX8BandLayout bands = PX8BandLayout(read.Width, read.Height);
    // A count that differs from the band layout would put rows outside their segments.
    if (!read.IsValid() || bands.SegmentCount != read.SegmentCount) {
        throw PX8Exception(InvalidHeader);
    }
    header = read;
    layout = bands;

    const int64_t available = source.Size() - recordOffset;
    uint32_t start = static_cast<uint32_t>(PX8RecordHeaderSize + 4u * header.SegmentCount);
    std::vector<std::pair<uint32_t, uint32_t>> ranges;
    for (uint32_t i = 0; i < header.SegmentCount; ++i) {
        const uint32_t end = source.ReadU32();
        // Each segment lies after the previous one, holds its 3-byte header and ends inside
        // the file; its stored size fits the 16-bit Size.
        if (end < start || end - start < 3 || end > available || end - start - 3 > 0xFFFF) {
            throw PX8Exception(InvalidHeader);
        }
        ranges.emplace_back(start + 3, end);
        start = end;
    }
    segments.reserve(header.SegmentCount);
    for (uint32_t i = 0; i < header.SegmentCount; ++i) {
        TPX8ImageSegment& segment = segments.emplace_back(this, static_cast<uint16_t>(i));
        source.Seek(recordOffset + ranges[i].first - 3);
        source.Read(segment.Codes, 2);
        segment.Flags = static_cast<uint8_t>(source.ReadByte() & ~PX8SegmentBusy);
        if (header.State == PX8StateDecoded) {
            segment.Flags &= static_cast<uint8_t>(~PX8SegmentStored);
        }
        const uint32_t dataSize = ranges[i].second - ranges[i].first;
        // Rows kept as they are must fill the segment's band exactly.
        if ((segment.Flags & PX8SegmentStored) == 0 &&
            dataSize != layout.Stride * layout.RowsOf(i)) {
            throw PX8Exception(InvalidHeader);
        }
        segment.MakePlaceholder(static_cast<uint16_t>(dataSize));
    }
    storedRanges = std::move(ranges);
}

void TPX8Image::LoadSegment(uint16_t index) {
    if (stream == nullptr || index >= storedRanges.size()) {
        throw PX8Exception("Segment Lock: segment buffer not allocated");
    }
    TPX8ImageSegment& segment = segments[index];
    const auto [start, end] = storedRanges[index];
    const uint8_t codes[2] = {segment.Codes[0], segment.Codes[1]};
    const uint8_t flags = segment.Flags;
    segment.Allocate(end - start);
    segment.Codes[0] = codes[0];
    segment.Codes[1] = codes[1];
    segment.Flags = flags;
    stream->Seek(recordOffset + start);
    stream->Read(segment.Lock(), end - start);
    segment.Unlock();
}

void TPX8Image::DecodeAll() {
    for (TPX8ImageSegment& segment : segments) {
        if (header.State == PX8StateEncoded) {
            segment.Decode(header.Width, static_cast<uint16_t>(SegmentRows(segment.Index)));
        } else {
            segment.Lock();
            segment.Unlock();
        }
    }
    header.State = PX8StateDecoded;
}

void TPX8Image::SetTransparency(uint8_t index, bool transparent) {
    header.TransparentIndex = index;
    header.Transparent = transparent ? 1 : 0;
}

std::string TPX8Image::ReadName(TPX8Stream& source) {
    uint8_t bytes[PX8RecordHeaderSize];
    source.Read(bytes, sizeof bytes);
    return TPX8RecordHeader::Parse(bytes).GetName();
}

uint32_t TPX8Image::ReadLength(TPX8Stream& source) {
    uint8_t bytes[PX8RecordHeaderSize];
    source.Read(bytes, sizeof bytes);
    const TPX8RecordHeader read = TPX8RecordHeader::Parse(bytes);
    if (!read.IsValid()) {
        throw PX8Exception(InvalidHeader);
    }
    source.Skip(4 * (int64_t{read.SegmentCount} - 1));
    return source.ReadU32();
}
