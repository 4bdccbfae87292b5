#pragma once
// TTileBackground: the window-free part of the tiled window background. It holds one library
// image and repeats it over a clip rectangle, the tile grid lying at multiples of the tile size
// from the background's origin, drawing only the tiles that meet the rectangle straight to a
// palette device.
//
// It owns its hold on the image (entry and surface) and its registration with the library.

#include "base/Geometry.h"
#include "graphics/LibraryHandle.h"

#include <string>
#include <vector>

class IPaletteDevice;
class TImageNode;
class TPX8ImageData;
class TPX8Library;

class TTileBackground {
  public:
    TTileBackground() = default;
    // Hands the image back and leaves the library.
    ~TTileBackground();
    TTileBackground(const TTileBackground&) = delete;
    TTileBackground& operator=(const TTileBackground&) = delete;

    // The library new backgrounds use (not owned); the class registers with it.
    static void SetGlobalImageLibrary(TPX8Library* library);

    // Hands the current image back and takes the named one when the library holds it; true
    // when the background changed and must be painted again. A name the library does not hold
    // leaves the background without tile.
    bool SetImageName(const std::string& name);
    const std::string& GetImageName() const { return ImageName; }

    // The top-left corners of the tiles that meet the clip rectangle, row by row.
    static std::vector<TPoint> TileOrigins(const TRect& clip, int32_t tileWidth,
                                           int32_t tileHeight);

    // Draws the tiles over the clip rectangle; false (nothing drawn) without a tile, when the
    // caller paints its hatch instead.
    bool Paint(IPaletteDevice& device, const TRect& clip);

    // The tile surface, taken on first need; nullptr without library or image.
    TPX8ImageData* GetTile();
    // The library in use, taken from the class on first need.
    TPX8Library* GetLibrary();

  private:
    void ReleaseTile();

    std::string ImageName;
    TLibraryHandle Library;
    TImageNode* Entry = nullptr;
    TPX8ImageData* Tile = nullptr;
};
