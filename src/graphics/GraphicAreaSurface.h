#pragma once
// TGraphicAreaSurface: the window-free part of a graphic area. It knows the border (outer bevel,
// border band, inner bevel) and the inner rectangle it leaves, owns the one surface exactly as
// large as that rectangle (lent by the image library, named "gfxa1", "gfxa2", ... and remade
// with the old picture copied over when the size changes) and transfers the surface's damage
// to a palette device unless the display is frozen.
//
// It owns the surface's library entry and its registration with the library; the device is
// the window's and is not owned.

#include "base/Geometry.h"
#include "graphics/LibraryHandle.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class IPaletteDevice;
class TImageNode;
class TPX8ImageData;
class TPX8Library;

enum class TBevelCut { None, Lowered, Raised, Space };

// The window system colours a border is drawn in.
enum class TBorderColour { Shadow, Highlight, Band };

// One filled rectangle of the border.
struct TBorderStrip {
    TRect Rect;
    TBorderColour Colour;

    friend bool operator==(const TBorderStrip&, const TBorderStrip&) = default;
};

// What a bevel change asks of the window.
enum class TBevelChange { None, RedrawBorder, Invalidate };

class TGraphicAreaSurface {
  public:
    explicit TGraphicAreaSurface(IPaletteDevice& device);
    // Hands the surface and its entry back and leaves the library.
    ~TGraphicAreaSurface();
    TGraphicAreaSurface(const TGraphicAreaSurface&) = delete;
    TGraphicAreaSurface& operator=(const TGraphicAreaSurface&) = delete;

    // The library new graphic areas use (not owned); the class registers with it, so it is
    // cleared when the library goes.
    static void SetGlobalImageLibrary(TPX8Library* library);
    static TPX8Library* GetGlobalImageLibrary();

    // Setters return whether the value changed (the window then repaints and the surface is
    // remade at the next paint). Values below the minimum (0 for the band, 1 for the bevels)
    // are ignored.
    bool SetBorderWidth(int32_t width);
    bool SetInnerBevelWidth(int32_t width);
    bool SetOuterBevelWidth(int32_t width);
    TBevelChange SetBevelInner(TBevelCut cut);
    TBevelChange SetBevelOuter(TBevelCut cut);
    int32_t GetBorderWidth() const { return BorderWidth; }
    int32_t GetInnerBevelWidth() const { return InnerBevelWidth; }
    int32_t GetOuterBevelWidth() const { return OuterBevelWidth; }

    // Width of the border on each side.
    int32_t BorderThickness() const;
    // The control's rectangle less the border.
    TRect InnerRect(int32_t width, int32_t height) const;
    // The border of a width x height control, outermost strip first.
    std::vector<TBorderStrip> BorderStrips(int32_t width, int32_t height) const;

    // The surface for a control of that size, made or remade when its size differs; nullptr
    // without a library. Library and surface faults pass on.
    TPX8ImageData* EnsureSurface(int32_t width, int32_t height);
    TPX8ImageData* GetSurface() const { return Surface; }
    std::string GetSurfaceName() const;
    // The library in use, taken from the class on first need.
    TPX8Library* GetLibrary();

    // Damages the whole surface at the next tick.
    void RequestRepaint() { RepaintPending = true; }
    // One timer tick: a pending repaint damages everything, then any damage is flushed.
    void Tick(int32_t width, int32_t height);
    // Transfers the damage to the device at the origin and returns the rectangles transferred;
    // nothing without library or surface, or while frozen.
    std::vector<TRect> Flush();
    // Freezing flushes first; thawing flushes what was drawn meanwhile.
    void SetFreezeDisplay(bool frozen);
    bool GetFreezeDisplay() const { return Frozen; }

    // Where the device's picture of the surface starts.
    TPoint Origin;
    // Called after the surface has been made anew.
    std::function<void()> OnRealloc;
    // Called with the rectangles (in surface co-ordinates) every flush transferred.
    std::function<void(const std::vector<TRect>&)> OnFlushed;

  private:
    void ReleaseSurface();

    IPaletteDevice& Device;
    TLibraryHandle Library;
    TImageNode* SurfaceEntry = nullptr;
    TPX8ImageData* Surface = nullptr;
    int32_t BorderWidth = 0;
    int32_t InnerBevelWidth = 1;
    int32_t OuterBevelWidth = 1;
    TBevelCut BevelInner = TBevelCut::None;
    TBevelCut BevelOuter = TBevelCut::None;
    bool RepaintPending = false;
    bool Frozen = false;
};
