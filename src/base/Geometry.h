#pragma once
// Integer points and rectangles shared by the scene framework and the image engine.
// Rectangles are left, top, right, bottom with right and bottom exclusive; y grows downwards.

#include <array>
#include <cstdint>

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;

    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    friend bool operator==(const TRect&, const TRect&) = default;
};

int32_t Max(int32_t a, int32_t b);

TPoint operator+(const TPoint& a, const TPoint& b);
TPoint operator-(const TPoint& a, const TPoint& b);

// Sums, differences and sizes saturate at the ends of the 32-bit range instead of wrapping.

// All four edges moved by the point.
TRect operator+(const TRect& r, const TPoint& p);
TRect operator-(const TRect& r, const TPoint& p);

// A rectangle with its top-left corner at the point and the size of the given rectangle.
TRect RectAt(const TPoint& p, const TRect& size);

int32_t RectWidth(const TRect& r);
int32_t RectHeight(const TRect& r);

// True when the rectangle covers no pixel (right <= left or bottom <= top).
bool IsRectEmpty(const TRect& r);

// True when left <= x < right and top <= y < bottom.
bool PtInRect(const TRect& r, int32_t x, int32_t y);

// Writes the common part of a and b to out and returns true when it covers at least one pixel;
// rectangles that only touch do not intersect, and out is then (0, 0, 0, 0).
bool IntersectRect(TRect& out, const TRect& a, const TRect& b);

// Writes up to five rectangles whose union is r1 united with r2 and returns how many: one when
// one holds the other or they line up edge to edge, the non-empty strips around the overlap when
// they overlap otherwise, and both unchanged when they are apart.
int MergeRects(const TRect& r1, const TRect& r2, std::array<TRect, 5>& output);
