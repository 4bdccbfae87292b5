#include "graphics/TileBackground.h"

#include "graphics/PX8Lib.h"

namespace {
TLibraryHandle globalLibrary;
} // namespace

TTileBackground::~TTileBackground() {
    ReleaseTile();
}

void TTileBackground::SetGlobalImageLibrary(TPX8Library* library) {
    globalLibrary.Set(library);
}

TPX8Library* TTileBackground::GetLibrary() {
    if (!Library) {
        // A library that went away took the tile with it.
        Entry = nullptr;
        Tile = nullptr;
        Library.Set(globalLibrary.Get());
    }
    return Library.Get();
}

void TTileBackground::ReleaseTile() {
    if (Library && Entry != nullptr) {
        Library->ReleaseImageData(Entry);
        Library->ReleaseImage(Entry);
    }
    Entry = nullptr;
    Tile = nullptr;
}

bool TTileBackground::SetImageName(const std::string& name) {
    GetLibrary();
    ReleaseTile();
    ImageName = name;
    return GetTile() != nullptr;
}

TPX8ImageData* TTileBackground::GetTile() {
    TPX8Library* library = GetLibrary();
    if (Tile == nullptr && library != nullptr && library->IsOpen() &&
        library->ImageExists(ImageName)) {
        Entry = library->GetImage(ImageName);
        Tile = library->GetImageData(Entry);
    }
    return Tile;
}

std::vector<TPoint> TTileBackground::TileOrigins(const TRect& clip, int32_t tileWidth,
                                                 int32_t tileHeight) {
    std::vector<TPoint> origins;
    if (tileWidth <= 0 || tileHeight <= 0 || IsRectEmpty(clip)) {
        return origins;
    }
    // The grid lies at multiples of the tile size, also left of and above the origin.
    const auto gridStart = [](int32_t at, int32_t size) {
        const int32_t rest = at % size;
        return rest < 0 ? at - rest - size : at - rest;
    };
    const int32_t left = gridStart(clip.Left, tileWidth);
    for (int32_t y = gridStart(clip.Top, tileHeight); y < clip.Bottom; y += tileHeight) {
        for (int32_t x = left; x < clip.Right; x += tileWidth) {
            origins.push_back({x, y});
        }
    }
    return origins;
}

bool TTileBackground::Paint(IPaletteDevice& device, const TRect& clip) {
    TPX8ImageData* tile = GetTile();
    if (tile == nullptr) {
        return false;
    }
    for (const TPoint& at : TileOrigins(clip, tile->Width(), tile->Height())) {
        Library->DrawImage(device, at.X, at.Y, Entry);
    }
    return true;
}
