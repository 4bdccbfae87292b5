#include "graphics/GraphicAreaSurface.h"

#include "graphics/PX8Lib.h"

namespace {

TLibraryHandle globalLibrary;
int32_t surfaceCounter = 0;

// One ring of a bevel as the window system draws it: the top row and left column (but the
// bottom-left pixel) in the first colour, the right column and bottom row in the second.
void AddBevelRing(std::vector<TBorderStrip>& strips, const TRect& r, TBorderColour topLeft,
                  TBorderColour bottomRight) {
    strips.push_back({{r.Left, r.Top, r.Right - 1, r.Top + 1}, topLeft});
    strips.push_back({{r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, topLeft});
    strips.push_back({{r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight});
    strips.push_back({{r.Left, r.Bottom - 1, r.Right - 1, r.Bottom}, bottomRight});
}

TRect Shrunk(const TRect& r, int32_t by) {
    return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

void AddBevel(std::vector<TBorderStrip>& strips, TRect& r, TBevelCut cut, int32_t width) {
    const bool lowered = cut == TBevelCut::Lowered;
    const TBorderColour topLeft = lowered ? TBorderColour::Shadow : TBorderColour::Highlight;
    const TBorderColour bottomRight = lowered ? TBorderColour::Highlight : TBorderColour::Shadow;
    for (int32_t i = 0; i < width; ++i) {
        AddBevelRing(strips, r, topLeft, bottomRight);
        r = Shrunk(r, 1);
    }
}

void AddBand(std::vector<TBorderStrip>& strips, TRect& r, int32_t width) {
    const TRect inner = Shrunk(r, width);
    strips.push_back({{r.Left, r.Top, r.Right, inner.Top}, TBorderColour::Band});
    strips.push_back({{r.Left, inner.Bottom, r.Right, r.Bottom}, TBorderColour::Band});
    strips.push_back({{r.Left, inner.Top, inner.Left, inner.Bottom}, TBorderColour::Band});
    strips.push_back({{inner.Right, inner.Top, r.Right, inner.Bottom}, TBorderColour::Band});
    r = inner;
}

TBevelChange ChangeBevel(TBevelCut& stored, TBevelCut cut, bool hasSurface) {
    if (stored == cut) {
        return TBevelChange::None;
    }
    // Between two drawn cuts the thickness stays, so only the border needs drawing again.
    const bool sameThickness = stored != TBevelCut::None && cut != TBevelCut::None;
    stored = cut;
    return sameThickness && hasSurface ? TBevelChange::RedrawBorder : TBevelChange::Invalidate;
}

} // namespace

TGraphicAreaSurface::TGraphicAreaSurface(IPaletteDevice& device) : Device(device) {}

TGraphicAreaSurface::~TGraphicAreaSurface() {
    ReleaseSurface();
}

void TGraphicAreaSurface::SetGlobalImageLibrary(TPX8Library* library) {
    globalLibrary.Set(library);
}

TPX8Library* TGraphicAreaSurface::GetGlobalImageLibrary() {
    return globalLibrary.Get();
}

TPX8Library* TGraphicAreaSurface::GetLibrary() {
    if (!Library) {
        // A library that went away took the surface and its entry with it.
        SurfaceEntry = nullptr;
        Surface = nullptr;
        Library.Set(globalLibrary.Get());
    }
    return Library.Get();
}

bool TGraphicAreaSurface::SetBorderWidth(int32_t width) {
    if (width < 0 || width == BorderWidth) {
        return false;
    }
    BorderWidth = width;
    return true;
}

bool TGraphicAreaSurface::SetInnerBevelWidth(int32_t width) {
    if (width < 1 || width == InnerBevelWidth) {
        return false;
    }
    InnerBevelWidth = width;
    return true;
}

bool TGraphicAreaSurface::SetOuterBevelWidth(int32_t width) {
    if (width < 1 || width == OuterBevelWidth) {
        return false;
    }
    OuterBevelWidth = width;
    return true;
}

TBevelChange TGraphicAreaSurface::SetBevelInner(TBevelCut cut) {
    return ChangeBevel(BevelInner, cut, Surface != nullptr);
}

TBevelChange TGraphicAreaSurface::SetBevelOuter(TBevelCut cut) {
    return ChangeBevel(BevelOuter, cut, Surface != nullptr);
}

int32_t TGraphicAreaSurface::BorderThickness() const {
    return BorderWidth + (BevelOuter != TBevelCut::None ? OuterBevelWidth : 0) +
           (BevelInner != TBevelCut::None ? InnerBevelWidth : 0);
}

TRect TGraphicAreaSurface::InnerRect(int32_t width, int32_t height) const {
    return Shrunk({0, 0, width, height}, BorderThickness());
}

std::vector<TBorderStrip> TGraphicAreaSurface::BorderStrips(int32_t width, int32_t height) const {
    std::vector<TBorderStrip> strips;
    TRect r{0, 0, width, height};
    if (BevelOuter == TBevelCut::None && BevelInner == TBevelCut::None) {
        if (BorderWidth > 0) {
            AddBand(strips, r, BorderWidth);
        }
        return strips;
    }
    if (BevelOuter != TBevelCut::None) {
        AddBevel(strips, r, BevelOuter, OuterBevelWidth);
    }
    if (BorderWidth > 0) {
        AddBand(strips, r, BorderWidth);
    }
    if (BevelInner != TBevelCut::None) {
        AddBevel(strips, r, BevelInner, InnerBevelWidth);
    }
    // A control smaller than its border shows what fits.
    std::erase_if(strips, [](const TBorderStrip& strip) { return IsRectEmpty(strip.Rect); });
    return strips;
}

std::string TGraphicAreaSurface::GetSurfaceName() const {
    return SurfaceEntry == nullptr ? std::string() : SurfaceEntry->Name;
}

TPX8ImageData* TGraphicAreaSurface::EnsureSurface(int32_t width, int32_t height) {
    TPX8Library* library = GetLibrary();
    const TRect inner = InnerRect(width, height);
    const int32_t wantedWidth = RectWidth(inner);
    const int32_t wantedHeight = RectHeight(inner);
    if (Surface != nullptr && Surface->Width() == wantedWidth &&
        Surface->Height() == wantedHeight) {
        return Surface;
    }
    if (library == nullptr || wantedWidth <= 0 || wantedHeight <= 0) {
        return nullptr;
    }
    const std::string name = "gfxa" + std::to_string(++surfaceCounter);
    TImageNode* entry = library->CreateImage(name, static_cast<uint16_t>(wantedWidth),
                                             static_cast<uint16_t>(wantedHeight));
    TPX8ImageData* surface = library->GetImageData(entry);
    if (Surface != nullptr) {
        surface->Blit({0, 0}, *Surface, Surface->GetBounds());
        ReleaseSurface();
    }
    SurfaceEntry = entry;
    Surface = surface;
    if (OnRealloc) {
        OnRealloc();
    }
    return Surface;
}

void TGraphicAreaSurface::ReleaseSurface() {
    if (Library && SurfaceEntry != nullptr) {
        Library->ReleaseImageData(SurfaceEntry);
        Library->ReleaseImage(SurfaceEntry);
    }
    SurfaceEntry = nullptr;
    Surface = nullptr;
}

void TGraphicAreaSurface::Tick(int32_t width, int32_t height) {
    TPX8ImageData* surface = EnsureSurface(width, height);
    if (surface == nullptr) {
        return;
    }
    if (RepaintPending) {
        surface->DamageAll();
        RepaintPending = false;
    }
    if (surface->HasDamage()) {
        Flush();
    }
}

std::vector<TRect> TGraphicAreaSurface::Flush() {
    std::vector<TRect> transferred;
    if (GetLibrary() == nullptr || Surface == nullptr || Frozen) {
        return transferred;
    }
    for (const TTarnNode* node = Surface->GetDamage().Head(); node != nullptr;
         node = node->Next()) {
        transferred.push_back(static_cast<const TDamageNode*>(node)->Rect);
    }
    Surface->FlushDamage(Device, Origin);
    if (OnFlushed && !transferred.empty()) {
        OnFlushed(transferred);
    }
    return transferred;
}

void TGraphicAreaSurface::SetFreezeDisplay(bool frozen) {
    if (frozen == Frozen) {
        return;
    }
    if (frozen) {
        Flush();
        Frozen = true;
    } else {
        Frozen = false;
        Flush();
    }
}
