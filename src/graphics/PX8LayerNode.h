#pragma once
// One layer of a surface: another surface shown on it as a sprite, with a save-under copy of
// the owner's pixels it covers. The node owns its save-under image and surface; the source
// surface (Data) is not owned.

#include "base/Geometry.h"
#include "base/PriList.h"

#include <cstdint>
#include <memory>

class TPX8Image;
class TPX8ImageData;

class TPX8LayerNode : public TPriDataNode {
  public:
    TPX8LayerNode(uint16_t priority, TPX8ImageData* source);
    ~TPX8LayerNode() override;

    TPX8ImageData* Source() const { return DataAs<TPX8ImageData>(); }

    // Size of the layer on its owner: the source rectangle's size scaled by the zoom.
    int32_t DrawnWidth() const;
    int32_t DrawnHeight() const;
    // The layer's rectangle on its owner.
    TRect OwnerRect() const;
    bool IsScaled() const { return ZoomX != ZoomDiv || ZoomY != ZoomDiv; }

    TPoint Position;
    bool Visible = false;
    bool UseSourceRect = false;
    bool FlipHorizontal = false;
    bool FlipVertical = false;
    std::unique_ptr<TPX8Image> SaveUnderImage;
    std::unique_ptr<TPX8ImageData> SaveUnder;
    uint16_t ZoomX = 1;
    uint16_t ZoomY = 1;
    uint16_t ZoomDiv = 1;
    uint16_t Frame = 0;
    TRect ClipRect;
    TRect SourceRect;
};

// Layer information exchanged with the game room.
struct TLayerInfo {
    uint16_t Priority = 0;
    uint16_t Frame = 0;
    uint16_t ZoomX = 1;
    uint16_t ZoomY = 1;
    uint16_t ZoomDiv = 1;
    bool UseSourceRect = false;
    bool Hidden = false;
    int32_t X = 0;
    int32_t Y = 0;
    TRect SourceRect;
};
