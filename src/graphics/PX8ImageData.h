#pragma once
// TPX8ImageData: an 8-bit drawable surface laid over the decoded segments of one image.
//
// The surface does not own the segments (they stay with their image). It owns its damage
// record, the list of surfaces it is shown on (Parents) and its layer nodes (Layers), which in
// turn own their save-under copies. Every drawing operation takes the layers off the affected
// rectangle first and puts them back afterwards, so layers stay on top of whatever is drawn
// under them; the change then reaches the surfaces that show this one as a layer.

#include "base/Geometry.h"
#include "base/PriList.h"
#include "base/TarnList.h"
#include "graphics/PX8Damage.h"
#include "graphics/PX8LayerNode.h"

#include <cstdint>
#include <span>

class TPX8Image;
class TPX8ImageSegment;
class IPaletteDevice;
struct TPX8BitmapInfo;

class TPX8ImageData {
  public:
    // A surface over the image's segments, with the image's size and transparency. Without a
    // bitmap description the surface can be drawn on but not displayed.
    TPX8ImageData(TPX8Image& image, const TPX8BitmapInfo* bitmapInfo);
    ~TPX8ImageData();
    TPX8ImageData(const TPX8ImageData&) = delete;
    TPX8ImageData& operator=(const TPX8ImageData&) = delete;

    uint16_t Width() const { return width; }
    uint16_t Height() const { return height; }
    uint16_t Stride() const { return stride; }
    uint8_t SegmentCount() const { return static_cast<uint8_t>(segments.size()); }

    // Pixel access in picture co-ordinates. StartLine locks the pixel's segment; the stepping
    // functions move one row down (Next) or up (Prev), by Stride inside a segment and through
    // StartLine when they enter another one. After a loop the caller unlocks the last row.
    uint8_t* StartLine(int32_t x, int32_t y);
    uint8_t* NextStartLine(uint8_t* current, int32_t x, int32_t& y);
    uint8_t* PrevStartLine(uint8_t* current, int32_t x, int32_t& y);
    void UnlockSegment(int32_t x, int32_t y);
    uint8_t GetPixel(const TPoint& point);

    TRect GetBounds() const { return {0, 0, width, height}; }
    void SetClip(const TRect& rect);
    void ResetClip() { ClipRect = GetBounds(); }
    void SetTransparency(uint8_t index, bool transparent);
    int32_t GetTransparentColor() const { return Transparent ? TransparentIndex : -1; }

    void Blit(const TPoint& dest, TPX8ImageData& source, const TRect& sourceRect);
    void BlitClipped(const TPoint& dest, TPX8ImageData& source, const TRect& clip,
                     const TRect& sourceRect);
    void StretchBlit(const TRect& dest, TPX8ImageData& source, const TRect& sourceRect);
    void FillRect(const TRect& rect, uint8_t colour);
    void FrameRect(const TRect& rect, uint8_t colour);

    void AddDamage(const TRect& rect);
    void DamageAll() { AddDamage(GetBounds()); }
    bool HasDamage() const { return !Damage.IsEmpty(); }
    void ClearDamage() { Damage.Clear(); }
    const TDamageList& GetDamage() const { return Damage; }
    // Displays every damaged rectangle at origin plus its top-left corner, then forgets them.
    void FlushDamage(IPaletteDevice& device, const TPoint& origin);
    // Transfers the source rectangle to the device at the point; returns the rows transferred.
    int32_t Display(IPaletteDevice& device, const TPoint& dest, const TRect& sourceRect);

    // Layers shown on this surface.
    TPX8LayerNode* AddLayer(TPX8ImageData& source, uint16_t priority);
    TPX8LayerNode* AddLayerFrame(TPX8ImageData& source, const TPoint& position, uint16_t frame,
                                 uint16_t priority);
    void RemoveLayer(TPX8ImageData& source);
    void SetLayerVisible(TPX8ImageData& source, bool visible);
    void SetLayerFrame(TPX8ImageData& source, uint16_t frame);
    void SetLayerFrame(TPX8ImageData& source, uint16_t priority, uint16_t frame);
    void SetLayerPosition(TPX8ImageData& source, const TPoint& position);
    void GetLayerInfo(TPX8ImageData& source, TLayerInfo& info);
    void ReviseLayer(TPX8ImageData& source, const TLayerInfo& info);
    bool IsLayer(const TPX8ImageData& source) const { return FindLayer(&source) != nullptr; }

    void RemoveLayerNode(TPX8LayerNode* node);
    void SetLayerNodeVisible(TPX8LayerNode* node, bool visible);
    void SetLayerNodeFrame(TPX8LayerNode* node, uint16_t frame);
    void SetLayerNodePosition(TPX8LayerNode* node, const TPoint& position);
    void GetLayerNodeInfo(const TPX8LayerNode* node, TLayerInfo& info) const;
    void ReviseLayerNode(TPX8LayerNode* node, const TLayerInfo& info);

    // On a layer source: the height of one animation frame (at least 1); every layer that
    // shows this surface is laid out again on its first frame.
    void SetFrameHeight(uint16_t frameHeight);

    const TPriDataList& GetLayers() const { return Layers; }
    const TDataList& GetParents() const { return Parents; }
    uint8_t GetBusy() const { return Busy; }

    uint8_t TransparentIndex = 0;
    bool Transparent = false;
    bool FlipVertical = false;
    bool FlipHorizontal = false;
    uint16_t FrameCount = 1;
    uint16_t FrameHeight = 0;
    TRect ClipRect;

  private:
    // Raises Busy for its lifetime, so the counter comes back down when an operation fails.
    class BusyScope {
      public:
        explicit BusyScope(TPX8ImageData& s) : surface(s) { ++surface.Busy; }
        ~BusyScope() { --surface.Busy; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

      private:
        TPX8ImageData& surface;
    };

    // A row pointer for loops over rows: it steps by Stride while the next row lies in the
    // same segment and goes through NextStartLine or PrevStartLine when it enters another.
    class RowCursor {
      public:
        RowCursor(TPX8ImageData& s, int32_t x, int32_t y, bool upwards);
        uint8_t* Row() const { return row; }
        // Rows from this one downwards that lie in the same segment (stored one after the
        // other, the lowest row first).
        int32_t RunDown() const { return up ? 1 : left + 1; }
        void Step();
        // Unlocks the segment of the row reached.
        void Finish() { surface.UnlockSegment(column, line); }

      private:
        int32_t StepsLeft() const;

        TPX8ImageData& surface;
        int32_t column;
        int32_t line;
        bool up;
        uint8_t* row;
        int32_t left;
    };

    struct RowPlace {
        size_t segment;
        size_t offset;
    };
    RowPlace Place(int32_t x, int32_t y) const;
    bool Inside(int32_t x, int32_t y) const { return x >= 0 && x < width && y >= 0 && y < height; }

    // The drawing protocol around a write to the rectangle.
    void BeforeDraw(const TRect& affected);
    void AfterDraw(const TRect& affected);

    // A plain copy of the source's pixels: no transparency, no mirroring, limited only by the
    // bounds of both surfaces. Used for the layer bookkeeping copies.
    void CopyFrom(const TPoint& dest, TPX8ImageData& source, const TRect& sourceRect);

    // Layer compositing.
    TPX8LayerNode* FindLayer(const TPX8ImageData* source) const;
    TPX8LayerNode* FindLayer(const TPX8ImageData* source, uint16_t priority) const;
    bool IsAncestorOrSelf(const TPX8ImageData* surface) const;
    void SaveUnderRect(TPX8LayerNode* node, const TPoint& at, const TRect& rect);
    void RestoreUnder(TPX8LayerNode* stop, const TRect& rect);
    void PutBackSaveUnder(TPX8LayerNode* node);
    void RedrawLayers(TPX8LayerNode* start, const TRect& rect);
    void PropagateChange(const TRect& rect);
    void SetSourceRect(TPX8LayerNode* node, const TRect& rect);
    TRect FrameBand(const TPX8LayerNode* node, uint16_t frame) const;
    // Moves a layer between two states: peels the layers above it off its old and new
    // rectangles, puts its save-under back, lets `change` alter the node, saves under the new
    // rectangle and redraws both, also on the surfaces that show this one.
    template <class Change>
    void Relayer(TPX8LayerNode* node, const TRect& newRect, bool newVisible, Change change);

    std::span<TPX8ImageSegment> segments;
    uint16_t width;
    uint16_t height;
    uint16_t stride;
    int32_t rowsPerSegment;
    const TPX8BitmapInfo* BitmapInfo;
    TDamageList Damage;
    TDataList Parents;
    TPriDataList Layers;
    uint8_t Busy = 0;
};
