#include "graphics/PX8ImageData.h"

#include "graphics/PX8Exception.h"
#include "graphics/PX8Image.h"
#include "platform/PaletteDevice.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr uint64_t Ones = 0x0101010101010101u;
constexpr uint64_t Low7 = 0x7F7F7F7F7F7F7F7Fu;

uint64_t Load(const uint8_t* p) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

void Store(uint8_t* p, uint64_t word) {
    std::memcpy(p, &word, sizeof word);
}

// 0xFF in every byte of the word that equals the key byte, 0 elsewhere.
uint64_t KeyMask(uint64_t word, uint64_t keys) {
    const uint64_t x = word ^ keys;
    const uint64_t zero = ~(((x & Low7) + Low7) | x | Low7);
    return (zero >> 7) * 0xFF;
}

// One destination row from one source row of `count` pixels; `transparent` is -1 for an opaque
// source. Mirrored rows take the source from right to left. Eight pixels go at a time.
void CopyRow(uint8_t* dest, const uint8_t* source, int32_t count, bool mirrored,
             int32_t transparent) {
    const auto n = static_cast<size_t>(count);
    if (!mirrored && transparent < 0) {
        std::memmove(dest, source, n);
        return;
    }
    const auto key = static_cast<uint8_t>(transparent);
    const uint64_t keys = key * Ones;
    size_t i = 0;
    if (!mirrored) {
        for (; i + 8 <= n; i += 8) {
            const uint64_t mask = KeyMask(Load(source + i), keys);
            Store(dest + i, (Load(source + i) & ~mask) | (Load(dest + i) & mask));
        }
        for (; i < n; ++i) {
            if (source[i] != key) {
                dest[i] = source[i];
            }
        }
        return;
    }
    if (transparent < 0) {
        for (; i + 8 <= n; i += 8) {
            Store(dest + n - i - 8, __builtin_bswap64(Load(source + i)));
        }
        for (; i < n; ++i) {
            dest[n - 1 - i] = source[i];
        }
        return;
    }
    for (; i + 8 <= n; i += 8) {
        const uint64_t word = __builtin_bswap64(Load(source + i));
        const uint64_t mask = KeyMask(word, keys);
        uint8_t* to = dest + n - i - 8;
        Store(to, (word & ~mask) | (Load(to) & mask));
    }
    for (; i < n; ++i) {
        if (source[i] != key) {
            dest[n - 1 - i] = source[i];
        }
    }
}

TRect Normalised(const TRect& r) {
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
}

// Runs `copy` on `rows` pairs of rows, stepping both cursors in step, then releases both.
template <typename Cursor, typename Copy>
void CopyRowPairs(Cursor& to, Cursor& from, int32_t rows, Copy copy) {
    for (int32_t row = 0;; ++row) {
        copy(to.Row(), from.Row());
        if (row + 1 == rows) {
            break;
        }
        to.Step();
        from.Step();
    }
    from.Finish();
    to.Finish();
}

} // namespace

TPX8ImageData::TPX8ImageData(TPX8Image& image, const TPX8BitmapInfo* bitmapInfo)
    : TransparentIndex(image.TransparentIndex()), Transparent(image.Transparent()),
      FrameHeight(image.Height()), ClipRect{0, 0, image.Width(), image.Height()},
      segments(image.Segments()), width(image.Width()), height(image.Height()),
      stride(image.Stride()), rowsPerSegment(static_cast<int32_t>(image.RowsPerSegment())),
      BitmapInfo(bitmapInfo) {}

TPX8ImageData::RowPlace TPX8ImageData::Place(int32_t x, int32_t y) const {
    const int32_t row = height - 1 - y;
    return {static_cast<size_t>(row / rowsPerSegment),
            static_cast<size_t>(row % rowsPerSegment) * stride + static_cast<size_t>(x)};
}

uint8_t* TPX8ImageData::StartLine(int32_t x, int32_t y) {
    if (!Inside(x, y)) {
        throw PX8Exception("StartLine: co-ordinates outside drawing area");
    }
    const RowPlace place = Place(x, y);
    uint8_t* block = nullptr;
    try {
        block = segments[place.segment].Lock();
    } catch (...) {
        throw PX8Exception("StartLine: Lock failed");
    }
    if (block == nullptr) {
        throw PX8Exception("StartLine: Lock failed");
    }
    return block + place.offset;
}

uint8_t* TPX8ImageData::NextStartLine(uint8_t* current, int32_t x, int32_t& y) {
    if (!Inside(x, y + 1)) {
        throw PX8Exception("NextStartLine: co-ordinates outside drawing area");
    }
    const size_t from = Place(x, y).segment;
    ++y;
    if (Place(x, y).segment == from) {
        return current - stride;
    }
    UnlockSegment(x, y - 1);
    return StartLine(x, y);
}

uint8_t* TPX8ImageData::PrevStartLine(uint8_t* current, int32_t x, int32_t& y) {
    if (!Inside(x, y - 1)) {
        throw PX8Exception("PrevStartLine: co-ordinates outside drawing area");
    }
    const size_t from = Place(x, y).segment;
    --y;
    if (Place(x, y).segment == from) {
        return current + stride;
    }
    UnlockSegment(x, y + 1);
    return StartLine(x, y);
}

TPX8ImageData::RowCursor::RowCursor(TPX8ImageData& s, int32_t x, int32_t y, bool upwards)
    : surface(s), column(x), line(y), up(upwards), row(s.StartLine(x, y)), left(StepsLeft()) {}

int32_t TPX8ImageData::RowCursor::StepsLeft() const {
    const int32_t inSegment = (surface.height - 1 - line) % surface.rowsPerSegment;
    return up ? surface.rowsPerSegment - 1 - inSegment : inSegment;
}

void TPX8ImageData::RowCursor::Step() {
    if (left > 0) {
        --left;
        if (up) {
            --line;
            row += surface.stride;
        } else {
            ++line;
            row -= surface.stride;
        }
        return;
    }
    row = up ? surface.PrevStartLine(row, column, line) : surface.NextStartLine(row, column, line);
    left = StepsLeft();
}

void TPX8ImageData::UnlockSegment(int32_t x, int32_t y) {
    if (!Inside(x, y)) {
        throw PX8Exception("UnlockSegment: co-ordinates outside drawing area");
    }
    try {
        segments[Place(x, y).segment].Unlock();
    } catch (...) {
        throw PX8Exception("UnlockSegment: Unlock failed");
    }
}

uint8_t TPX8ImageData::GetPixel(const TPoint& point) {
    const uint8_t value = *StartLine(point.X, point.Y);
    UnlockSegment(point.X, point.Y);
    return value;
}

void TPX8ImageData::SetClip(const TRect& rect) {
    if (!IntersectRect(ClipRect, GetBounds(), rect)) {
        ClipRect = TRect{};
    }
}

void TPX8ImageData::SetTransparency(uint8_t index, bool transparent) {
    TransparentIndex = index;
    Transparent = transparent;
}

void TPX8ImageData::BeforeDraw(const TRect& affected) {
    if (Busy == 0 && !Layers.IsEmpty()) {
        BusyScope busy(*this);
        RestoreUnder(nullptr, affected);
    }
}

void TPX8ImageData::AfterDraw(const TRect& affected) {
    if (Busy != 0) {
        return;
    }
    if (Layers.IsEmpty()) {
        AddDamage(affected);
    } else {
        BusyScope busy(*this);
        RedrawLayers(nullptr, affected);
    }
    if (!Parents.IsEmpty()) {
        PropagateChange(affected);
    }
}

void TPX8ImageData::Blit(const TPoint& dest, TPX8ImageData& source, const TRect& sourceRect) {
    const int32_t transparent = source.GetTransparentColor();
    const bool mirrored = source.FlipHorizontal;
    const bool upsideDown = source.FlipVertical;
    TPoint p = dest;
    TRect q = sourceRect;
    // Cutting off source columns that lie outside the source moves the picture by as much when
    // they come first in drawing order: the left ones normally, the right ones when mirrored.
    // Shifting for the left ones also when mirrored would draw a mirrored picture off its place.
    if (!mirrored && q.Left < 0) {
        p.X -= q.Left;
        q.Left = 0;
    }
    if (!upsideDown && q.Top < 0) {
        p.Y -= q.Top;
        q.Top = 0;
    }
    q = Normalised(q);
    if (mirrored && q.Right > source.width) {
        p.X += q.Right - source.width;
    }
    if (upsideDown && q.Bottom > source.height) {
        p.Y += q.Bottom - source.height;
    }
    q = {std::max(q.Left, 0), std::max(q.Top, 0), std::min<int32_t>(q.Right, source.width),
         std::min<int32_t>(q.Bottom, source.height)};
    if (IsRectEmpty(q)) {
        return;
    }
    // ClipRect is a public field and may reach past the surface, so the bounds clip too.
    TRect d;
    if (!IntersectRect(d, RectAt(p, q), ClipRect) || !IntersectRect(d, d, GetBounds())) {
        return;
    }
    const int32_t w = RectWidth(d);
    const int32_t h = RectHeight(d);
    if (mirrored) {
        q.Right -= d.Left - p.X;
        q.Left = q.Right - w;
    } else {
        q.Left += d.Left - p.X;
        q.Right = q.Left + w;
    }
    if (upsideDown) {
        q.Bottom -= d.Top - p.Y;
        q.Top = q.Bottom - h;
    } else {
        q.Top += d.Top - p.Y;
        q.Bottom = q.Top + h;
    }

    BeforeDraw(d);
    RowCursor to(*this, d.Left, d.Top, false);
    RowCursor from(source, q.Left, upsideDown ? q.Bottom - 1 : q.Top, upsideDown);
    if (transparent < 0 && !mirrored && !upsideDown && w == width && w == source.width) {
        // Whole rows of equal stride: each run of rows inside one segment of both surfaces is
        // one block of memory.
        for (int32_t row = 0;;) {
            const int32_t run = std::min({to.RunDown(), from.RunDown(), h - row});
            const std::ptrdiff_t below = std::ptrdiff_t{run - 1} * stride;
            std::memmove(to.Row() - below, from.Row() - below, size_t{stride} * run);
            row += run;
            if (row == h) {
                break;
            }
            for (int32_t i = 0; i < run; ++i) {
                to.Step();
                from.Step();
            }
        }
        from.Finish();
        to.Finish();
        AfterDraw(d);
        return;
    }
    CopyRowPairs(to, from, h, [&](uint8_t* target, const uint8_t* origin) {
        CopyRow(target, origin, w, mirrored, transparent);
    });
    AfterDraw(d);
}

void TPX8ImageData::BlitClipped(const TPoint& dest, TPX8ImageData& source, const TRect& clip,
                                const TRect& sourceRect) {
    struct ClipScope {
        TPX8ImageData& surface;
        TRect saved;
        ~ClipScope() { surface.ClipRect = saved; }
    } scope{*this, ClipRect};
    SetClip(clip);
    Blit(dest, source, sourceRect);
}

void TPX8ImageData::CopyFrom(const TPoint& dest, TPX8ImageData& source, const TRect& sourceRect) {
    TRect q;
    if (!IntersectRect(q, sourceRect, source.GetBounds())) {
        return;
    }
    const TPoint p{dest.X + q.Left - sourceRect.Left, dest.Y + q.Top - sourceRect.Top};
    TRect d;
    if (!IntersectRect(d, RectAt(p, q), GetBounds())) {
        return;
    }
    const int32_t h = RectHeight(d);
    RowCursor to(*this, d.Left, d.Top, false);
    RowCursor from(source, q.Left + d.Left - p.X, q.Top + d.Top - p.Y, false);
    CopyRowPairs(to, from, h, [&](uint8_t* target, const uint8_t* origin) {
        std::memmove(target, origin, static_cast<size_t>(RectWidth(d)));
    });
}

void TPX8ImageData::StretchBlit(const TRect& dest, TPX8ImageData& source, const TRect& sourceRect) {
    const int32_t sw = RectWidth(sourceRect);
    const int32_t sh = RectHeight(sourceRect);
    const int32_t dw = RectWidth(dest);
    const int32_t dh = RectHeight(dest);
    if (sw < 1 || sh < 1 || dw < 1 || dh < 1) {
        return;
    }
    TRect a;
    if (!IntersectRect(a, dest, GetBounds()) || !IntersectRect(a, a, ClipRect)) {
        return;
    }
    // Nearest-pixel scaling by error accumulators: source column k feeds the destination
    // columns reached while its accumulator stays at or above the source width, and likewise
    // for rows. Both walks are worked out once; a mirrored source fills from the far edge.
    auto walk = [](int32_t sourceStart, int32_t sourceSize, int32_t destSize, bool reversed) {
        std::vector<int32_t> map(static_cast<size_t>(destSize));
        int64_t accumulator = 0;
        int32_t produced = 0;
        for (int32_t k = 0; k < sourceSize && produced < destSize; ++k) {
            accumulator += destSize;
            while (accumulator >= sourceSize && produced < destSize) {
                const int32_t slot = reversed ? destSize - 1 - produced : produced;
                map[static_cast<size_t>(slot)] = sourceStart + k;
                ++produced;
                accumulator -= sourceSize;
            }
        }
        return map;
    };
    const std::vector<int32_t> columns = walk(sourceRect.Left, sw, dw, source.FlipHorizontal);
    const std::vector<int32_t> rows = walk(sourceRect.Top, sh, dh, source.FlipVertical);
    const int32_t transparent = source.GetTransparentColor();

    BeforeDraw(a);
    RowCursor to(*this, a.Left, a.Top, false);
    for (int32_t y = a.Top;; to.Step(), ++y) {
        const int32_t sy = rows[static_cast<size_t>(y - dest.Top)];
        if (sy >= 0 && sy < source.height) {
            const uint8_t* from = source.StartLine(0, sy);
            for (int32_t x = a.Left; x < a.Right; ++x) {
                const int32_t sx = columns[static_cast<size_t>(x - dest.Left)];
                if (sx >= 0 && sx < source.width && from[sx] != transparent) {
                    to.Row()[x - a.Left] = from[sx];
                }
            }
            source.UnlockSegment(0, sy);
        }
        if (y + 1 == a.Bottom) {
            break;
        }
    }
    to.Finish();
    AfterDraw(a);
}

void TPX8ImageData::FillRect(const TRect& rect, uint8_t colour) {
    TRect a;
    if (!IntersectRect(a, rect, GetBounds()) || !IntersectRect(a, a, ClipRect)) {
        return;
    }
    const auto w = static_cast<size_t>(RectWidth(a));
    RowCursor to(*this, a.Left, a.Top, false);
    for (int32_t y = a.Top;; ++y) {
        std::memset(to.Row(), colour, w);
        if (y + 1 == a.Bottom) {
            break;
        }
        to.Step();
    }
    to.Finish();
    AfterDraw(a);
}

void TPX8ImageData::FrameRect(const TRect& rect, uint8_t colour) {
    TRect a;
    if (!IntersectRect(a, rect, GetBounds()) || !IntersectRect(a, a, ClipRect)) {
        return;
    }
    BeforeDraw(a);
    const auto w = static_cast<size_t>(RectWidth(a));
    RowCursor to(*this, a.Left, a.Top, false);
    for (int32_t y = a.Top;; ++y) {
        if (y == rect.Top || y == rect.Bottom - 1) {
            std::memset(to.Row(), colour, w);
        } else {
            if (a.Left == rect.Left) {
                to.Row()[0] = colour;
            }
            if (a.Right == rect.Right) {
                to.Row()[w - 1] = colour;
            }
        }
        if (y + 1 == a.Bottom) {
            break;
        }
        to.Step();
    }
    to.Finish();
    AfterDraw(a);
}

void TPX8ImageData::AddDamage(const TRect& rect) {
    const TRect r = Normalised(rect);
    Damage.AddRect({std::clamp<int32_t>(r.Left, 0, width), std::clamp<int32_t>(r.Top, 0, height),
                    std::clamp<int32_t>(r.Right, 0, width),
                    std::clamp<int32_t>(r.Bottom, 0, height)});
}

void TPX8ImageData::FlushDamage(IPaletteDevice& device, const TPoint& origin) {
    for (TTarnNode* node = Damage.Head(); node != nullptr; node = node->Next()) {
        const TRect& rect = static_cast<TDamageNode*>(node)->Rect;
        Display(device, origin + TPoint{rect.Left, rect.Top}, rect);
    }
    ClearDamage();
}

int32_t TPX8ImageData::Display(IPaletteDevice& device, const TPoint& dest,
                               const TRect& sourceRect) {
    if (segments.empty()) {
        return 0;
    }
    if (BitmapInfo == nullptr) {
        throw PX8Exception("PBMInfo not initialized for Display");
    }
    int32_t y = dest.Y + RectHeight(sourceRect);
    int32_t total = 0;
    for (size_t i = 0; i < segments.size(); ++i) {
        const auto first = static_cast<int32_t>(i) * rowsPerSegment;
        const int32_t rows = std::min(rowsPerSegment, height - first);
        const TRect band{0, height - (first + rows), width, height - first};
        TRect part;
        if (!IntersectRect(part, band, sourceRect)) {
            continue;
        }
        y -= RectHeight(part);
        const uint8_t* block = segments[i].Lock();
        const TIndexedRows rowsOfBand{block, width, rows, stride};
        total += device.TransferRows(rowsOfBand, part.Left, band.Bottom - part.Bottom,
                                     RectWidth(part), RectHeight(part), dest.X, y);
        segments[i].Unlock();
    }
    return total;
}
