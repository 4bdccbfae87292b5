#include "base/Geometry.h"

#include <algorithm>
#include <limits>

int32_t Max(int32_t a, int32_t b) {
    return a > b ? a : b;
}

namespace {

// Sums and differences saturate at the ends of the 32-bit range rather than wrapping (which
// would be undefined): a rectangle pushed past the end stays at the end.
int32_t Saturate(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t Add(int32_t a, int32_t b) {
    return Saturate(int64_t{a} + b);
}

int32_t Subtract(int32_t a, int32_t b) {
    return Saturate(int64_t{a} - b);
}

} // namespace

TPoint operator+(const TPoint& a, const TPoint& b) {
    return {Add(a.X, b.X), Add(a.Y, b.Y)};
}

TPoint operator-(const TPoint& a, const TPoint& b) {
    return {Subtract(a.X, b.X), Subtract(a.Y, b.Y)};
}

TRect operator+(const TRect& r, const TPoint& p) {
    return {Add(r.Left, p.X), Add(r.Top, p.Y), Add(r.Right, p.X), Add(r.Bottom, p.Y)};
}

TRect operator-(const TRect& r, const TPoint& p) {
    return {Subtract(r.Left, p.X), Subtract(r.Top, p.Y), Subtract(r.Right, p.X),
            Subtract(r.Bottom, p.Y)};
}

TRect RectAt(const TPoint& p, const TRect& size) {
    return {p.X, p.Y, Add(p.X, RectWidth(size)), Add(p.Y, RectHeight(size))};
}

int32_t RectWidth(const TRect& r) {
    return Subtract(r.Right, r.Left);
}

int32_t RectHeight(const TRect& r) {
    return Subtract(r.Bottom, r.Top);
}

bool IsRectEmpty(const TRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

bool PtInRect(const TRect& r, int32_t x, int32_t y) {
    return r.Left <= x && x < r.Right && r.Top <= y && y < r.Bottom;
}

bool IntersectRect(TRect& out, const TRect& a, const TRect& b) {
    const TRect common{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                       std::min(a.Bottom, b.Bottom)};
    if (IsRectEmpty(common)) {
        out = TRect{};
        return false;
    }
    out = common;
    return true;
}

namespace {

// Both rectangles overlap in `common`, and neither holds the other.
int MergeOverlapping(const TRect& r1, const TRect& r2, const TRect& common,
                     std::array<TRect, 5>& output) {
    if (r1.Left == r2.Left && r1.Right == r2.Right) {
        const TRect& lower = r1.Top > r2.Top ? r1 : r2;
        output[0] = {r1.Left, std::min(r1.Top, r2.Top), r1.Right, lower.Bottom};
        return 1;
    }
    if (r1.Top == r2.Top && r1.Bottom == r2.Bottom) {
        const TRect& further = r1.Left > r2.Left ? r1 : r2;
        output[0] = {std::min(r1.Left, r2.Left), r1.Top, further.Right, r1.Bottom};
        return 1;
    }
    const TRect& leftmost = r1.Left < r2.Left ? r1 : r2;
    const TRect& rightmost = r1.Right > r2.Right ? r1 : r2;
    const TRect strips[5] = {
        {std::min(r1.Left, r2.Left), leftmost.Top, common.Left, leftmost.Bottom},
        {common.Left, std::min(r1.Top, r2.Top), common.Right, common.Top},
        common,
        {common.Left, common.Bottom, common.Right, std::max(r1.Bottom, r2.Bottom)},
        {common.Right, rightmost.Top, std::max(r1.Right, r2.Right), rightmost.Bottom},
    };
    int count = 0;
    for (const TRect& strip : strips) {
        if (!IsRectEmpty(strip)) {
            output[count++] = strip;
        }
    }
    return count;
}

} // namespace

int MergeRects(const TRect& r1, const TRect& r2, std::array<TRect, 5>& output) {
    TRect common;
    if (IntersectRect(common, r1, r2)) {
        if (common == r1) {
            output[0] = r2;
            return 1;
        }
        if (common == r2) {
            output[0] = r1;
            return 1;
        }
        return MergeOverlapping(r1, r2, common, output);
    }
    output[0] = r1;
    output[1] = r2;
    if (r1.Left == r2.Left && r1.Right == r2.Right) {
        if (r1.Top == r2.Bottom) {
            output[0].Top = r2.Top;
            return 1;
        }
        if (r1.Bottom == r2.Top) {
            output[0].Bottom = r2.Bottom;
            return 1;
        }
    } else if (r1.Top == r2.Top && r1.Bottom == r2.Bottom) {
        if (r1.Left == r2.Right) {
            output[0].Left = r2.Left;
            return 1;
        }
        if (r1.Right == r2.Left) {
            output[0].Right = r2.Right;
            return 1;
        }
    }
    return 2;
}
