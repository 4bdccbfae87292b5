#pragma once
// One picture in memory: the record header and one segment per horizontal band, each segment
// holding either its stored (encoded) bytes or its decoded rows in a single block.
//
// TPX8Image owns its segments; a segment keeps a pointer to its image so that a placeholder
// (a segment whose stored bytes are still in the library file) can be filled on first Lock.
// The image reads from the library's stream but does not own it.

#include "graphics/PX8Layout.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TPX8Image;
class TPX8Stream;

// Segment flags: stored in the third byte of a segment, except PX8SegmentBusy.
inline constexpr uint8_t PX8SegmentPlain = 0x01;  // rows stored plainly, no line codes
inline constexpr uint8_t PX8SegmentStream = 0x02; // one run-length stream for the whole segment
inline constexpr uint8_t PX8SegmentBusy = 0x04;   // being transferred to a device (memory only)
inline constexpr uint8_t PX8SegmentStored = 0x08; // the block holds stored data to decode

// Storage states of an image.
inline constexpr uint8_t PX8StateEncoded = 1;
inline constexpr uint8_t PX8StateDecoded = 2;

inline constexpr uint16_t PX8RecordVersion = 3;
inline constexpr std::size_t PX8RecordHeaderSize = 18;
inline constexpr std::size_t PX8NameLength = 8;

// The 18-byte record header.
struct TPX8RecordHeader {
    char Name[PX8NameLength] = {};
    uint16_t Width = 0;
    uint16_t Height = 0;
    uint8_t SegmentCount = 0;
    uint8_t State = 0;
    uint8_t TransparentIndex = 0;
    uint8_t Transparent = 0;
    uint16_t Version = 0;

    // The name up to the first zero byte (at most 8 characters).
    std::string GetName() const;
    void SetName(const std::string& name);
    // Width, height and segment count not 0, state 1 or 2, version 3.
    bool IsValid() const;

    static TPX8RecordHeader Parse(const uint8_t (&bytes)[PX8RecordHeaderSize]);
    void Serialize(uint8_t (&bytes)[PX8RecordHeaderSize]) const;
};

class TPX8ImageSegment {
  public:
    TPX8ImageSegment(TPX8Image* owner, uint16_t index) : Owner(owner), Index(index) {}

    // Frees any block and allocates a zero-filled one of `size` bytes.
    void Allocate(std::size_t size);
    // Resizes the block: "Reallocate: segment buffer not allocated" without one.
    void Reallocate(std::size_t size);
    // The block's address. A placeholder is first filled from the owner's stream.
    // "Segment Lock: segment buffer not allocated" without a block.
    uint8_t* Lock();
    void Unlock() { locked = false; }
    // Hands the block (filled first if it is a placeholder) to the caller; the segment is left
    // without block, Size 0, flag PX8SegmentStored cleared.
    std::vector<uint8_t> Detach();
    void Free();
    // Marks the segment as holding `storedSize` bytes that are still in the stream; the flags
    // stay as they are.
    void MakePlaceholder(uint16_t storedSize);
    // Decodes the stored bytes into `rows` rows of the picture's width; nothing to do without
    // PX8SegmentStored. On failure the segment is left without block and the error passes on.
    void Decode(uint16_t width, uint16_t rows);

    bool HasBlock() const { return allocated; }
    bool IsPlaceholder() const { return placeholder; }
    bool IsLocked() const { return locked; }

    uint8_t Codes[2] = {0, 0}; // escape codes A and B
    uint8_t Flags = 0;
    TPX8Image* Owner;
    uint16_t Index;
    uint16_t Size = 0; // bytes of the block (stored or decoded)

  private:
    std::vector<uint8_t> block;
    bool allocated = false;
    bool placeholder = false;
    bool locked = false;
};

class TPX8Image {
  public:
    TPX8Image() = default;
    TPX8Image(const TPX8Image&) = delete;
    TPX8Image& operator=(const TPX8Image&) = delete;
    virtual ~TPX8Image() = default;

    // A blank picture (all pixels 0, opaque, decoded) of the given size; the stream, when given,
    // is remembered for later loads. A size without band layout is "Invalid PX8 image header".
    virtual void Init(const std::string& name, TPX8Stream* stream, uint16_t width, uint16_t height);
    // Reads the stored bytes of one segment from the stream into its block.
    virtual void LoadSegment(uint16_t index);

    // Reads the record at the stream's position: header, segment table and segment headers.
    // The segments' stored bytes stay in the stream until they are first locked.
    void LoadFromStream(TPX8Stream& stream);
    // Decodes every segment, bottom band first; the state becomes decoded.
    void DecodeAll();

    static std::string ReadName(TPX8Stream& stream);
    // Reads and checks the record header at the stream's position and returns the record's
    // length (the last segment end offset).
    static uint32_t ReadLength(TPX8Stream& stream);

    const TPX8RecordHeader& Header() const { return header; }
    uint16_t Width() const { return header.Width; }
    uint16_t Height() const { return header.Height; }
    uint8_t State() const { return header.State; }
    bool Transparent() const { return header.Transparent != 0; }
    uint8_t TransparentIndex() const { return header.TransparentIndex; }
    void SetTransparency(uint8_t index, bool transparent);
    const TPX8BandLayout& Layout() const { return layout; }
    uint16_t Stride() const { return static_cast<uint16_t>(layout.Stride); }
    uint32_t RowsPerSegment() const { return layout.RowsPerSegment; }
    uint32_t SegmentRows(std::size_t index) const {
        return layout.RowsOf(static_cast<uint32_t>(index));
    }
    std::span<TPX8ImageSegment> Segments() { return segments; }
    std::span<const TPX8ImageSegment> Segments() const { return segments; }
    TPX8Stream* Stream() const { return stream; }
    int64_t RecordOffset() const { return recordOffset; }

  private:
    void FreeSegments();

    TPX8RecordHeader header;
    TPX8BandLayout layout;
    std::vector<TPX8ImageSegment> segments;
    // Start and end of each segment's stored bytes (after the segment header), relative to
    // the record, checked against the record when it is read.
    std::vector<std::pair<uint32_t, uint32_t>> storedRanges;
    TPX8Stream* stream = nullptr;
    int64_t recordOffset = 0;
};
