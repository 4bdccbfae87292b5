// The layer side of TPX8ImageData: sprites with save-under shown on a surface.

#include "graphics/PX8Exception.h"
#include "graphics/PX8Image.h"
#include "graphics/PX8ImageData.h"

#include <algorithm>
#include <array>
#include <limits>
#include <memory>

namespace {

// Drawn size of a source extent under a zoom: ceiling(size x zoom / div), 0 for no extent.
int64_t Scaled(int64_t size, uint16_t zoom, uint16_t div) {
    if (size <= 0) {
        return 0;
    }
    return (size * zoom + div - 1) / div;
}

// The largest layer a save-under image can hold.
bool FitsSaveUnder(int64_t w, int64_t h) {
    if (w > std::numeric_limits<uint16_t>::max() || h > std::numeric_limits<uint16_t>::max()) {
        return false;
    }
    const TPX8BandLayout layout = PX8BandLayout(static_cast<uint16_t>(std::max<int64_t>(w, 1)),
                                                static_cast<uint16_t>(std::max<int64_t>(h, 1)));
    return layout.SegmentCount >= 1 && layout.SegmentCount <= std::numeric_limits<uint8_t>::max();
}

// Toggles a source surface's flip flags by a layer's own flags while the layer is drawn.
class FlipScope {
  public:
    FlipScope(TPX8ImageData& s, bool horizontal, bool vertical)
        : surface(s), h(horizontal), v(vertical) {
        surface.FlipHorizontal ^= h;
        surface.FlipVertical ^= v;
    }
    ~FlipScope() {
        surface.FlipHorizontal ^= h;
        surface.FlipVertical ^= v;
    }
    FlipScope(const FlipScope&) = delete;
    FlipScope& operator=(const FlipScope&) = delete;

  private:
    TPX8ImageData& surface;
    bool h;
    bool v;
};

class ClipScope {
  public:
    explicit ClipScope(TPX8ImageData& s) : surface(s), saved(s.ClipRect) {}
    ~ClipScope() { surface.ClipRect = saved; }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

  private:
    TPX8ImageData& surface;
    TRect saved;
};

TPX8LayerNode* NextLayer(const TPX8LayerNode* node) {
    return static_cast<TPX8LayerNode*>(node->Next());
}

TRect DrawnRect(const TPX8LayerNode* node) {
    return {0, 0, node->DrawnWidth(), node->DrawnHeight()};
}

} // namespace

TPX8LayerNode::TPX8LayerNode(uint16_t priority, TPX8ImageData* source)
    : TPriDataNode(priority, source) {}

// Out of line, where the save-under types are complete.
TPX8LayerNode::~TPX8LayerNode() = default;

int32_t TPX8LayerNode::DrawnWidth() const {
    return static_cast<int32_t>(Scaled(RectWidth(SourceRect), ZoomX, ZoomDiv));
}

int32_t TPX8LayerNode::DrawnHeight() const {
    return static_cast<int32_t>(Scaled(RectHeight(SourceRect), ZoomY, ZoomDiv));
}

TRect TPX8LayerNode::OwnerRect() const {
    return {Position.X, Position.Y, Position.X + DrawnWidth(), Position.Y + DrawnHeight()};
}

TPX8ImageData::~TPX8ImageData() {
    // Off every surface this one is shown on; their pixels are put back.
    while (!Parents.IsEmpty()) {
        auto* parent = static_cast<TDataNode*>(Parents.Head())->DataAs<TPX8ImageData>();
        while (TPX8LayerNode* node = parent->FindLayer(this)) {
            parent->RemoveLayerNode(node);
        }
        Parents.Remove(Parents.FindData(parent));
    }
    // Own layers go without redrawing anything.
    while (!Layers.IsEmpty()) {
        std::unique_ptr<TTarnNode> node = Layers.RemoveFirst();
        TPX8ImageData* source = static_cast<TPX8LayerNode*>(node.get())->Source();
        if (TDataNode* entry = source->Parents.FindData(this)) {
            source->Parents.Remove(entry);
        }
    }
}

TPX8LayerNode* TPX8ImageData::FindLayer(const TPX8ImageData* source) const {
    return static_cast<TPX8LayerNode*>(Layers.FindData(source));
}

TPX8LayerNode* TPX8ImageData::FindLayer(const TPX8ImageData* source, uint16_t priority) const {
    return static_cast<TPX8LayerNode*>(
        Layers.FindData(reinterpret_cast<std::uintptr_t>(source), priority));
}

bool TPX8ImageData::IsAncestorOrSelf(const TPX8ImageData* surface) const {
    if (surface == this) {
        return true;
    }
    for (TTarnNode* node = Parents.Head(); node != nullptr; node = node->Next()) {
        if (static_cast<TDataNode*>(node)->DataAs<TPX8ImageData>()->IsAncestorOrSelf(surface)) {
            return true;
        }
    }
    return false;
}

TRect TPX8ImageData::FrameBand(const TPX8LayerNode* node, uint16_t frame) const {
    const TPX8ImageData* source = node->Source();
    const int64_t top = std::min<int64_t>(int64_t{frame} * source->FrameHeight,
                                          std::numeric_limits<int32_t>::max() - 65536);
    return {0, static_cast<int32_t>(top), source->width,
            static_cast<int32_t>(top + source->FrameHeight)};
}

void TPX8ImageData::SaveUnderRect(TPX8LayerNode* node, const TPoint& at, const TRect& rect) {
    node->SaveUnder->CopyFrom(at, *this, rect);
}

void TPX8ImageData::PutBackSaveUnder(TPX8LayerNode* node) {
    CopyFrom(node->Position, *node->SaveUnder, DrawnRect(node));
}

void TPX8ImageData::RestoreUnder(TPX8LayerNode* stop, const TRect& rect) {
    for (auto* node = static_cast<TPX8LayerNode*>(Layers.Tail()); node != nullptr && node != stop;
         node = static_cast<TPX8LayerNode*>(node->Prev())) {
        TRect common;
        if (node->Visible && IntersectRect(common, node->OwnerRect(), rect)) {
            CopyFrom({common.Left, common.Top}, *node->SaveUnder, common - node->Position);
        }
    }
}

void TPX8ImageData::RedrawLayers(TPX8LayerNode* start, const TRect& rect) {
    TRect r = rect;
    TPX8LayerNode* node = start;
    if (node == nullptr) {
        node = static_cast<TPX8LayerNode*>(Layers.Head());
        if (node != nullptr && node->Visible) {
            SaveUnderRect(node, TPoint{r.Left, r.Top} - node->Position, r);
        }
    } else {
        r = r + node->Position;
    }
    for (; node != nullptr; node = NextLayer(node)) {
        TPX8ImageData& source = *node->Source();
        {
            FlipScope flips(source, node->FlipHorizontal, node->FlipVertical);
            TRect q;
            if (node->Visible && IntersectRect(q, r - node->Position, DrawnRect(node))) {
                if (!node->IsScaled()) {
                    TRect s = q;
                    if (source.FlipHorizontal) {
                        const int32_t w = RectWidth(node->SourceRect);
                        s.Left = w - q.Right;
                        s.Right = w - q.Left;
                    }
                    if (source.FlipVertical) {
                        const int32_t h = RectHeight(node->SourceRect);
                        s.Top = h - q.Bottom;
                        s.Bottom = h - q.Top;
                    }
                    s = s + TPoint{node->SourceRect.Left, node->SourceRect.Top};
                    BlitClipped(TPoint{q.Left, q.Top} + node->Position, source, node->ClipRect, s);
                } else {
                    ClipScope clip(*this);
                    if (IntersectRect(ClipRect, node->ClipRect, q + node->Position)) {
                        StretchBlit(node->OwnerRect(), source, node->SourceRect);
                    }
                }
            }
        }
        TPX8LayerNode* next = NextLayer(node);
        if (next != nullptr && next->Visible) {
            SaveUnderRect(next, TPoint{r.Left, r.Top} - next->Position, r);
        }
    }
    AddDamage(r);
}

void TPX8ImageData::PropagateChange(const TRect& rect) {
    for (TTarnNode* entry = Parents.Head(); entry != nullptr; entry = entry->Next()) {
        TPX8ImageData& parent = *static_cast<TDataNode*>(entry)->DataAs<TPX8ImageData>();
        BusyScope busy(parent);
        for (auto* node = static_cast<TPX8LayerNode*>(parent.Layers.Head()); node != nullptr;
             node = NextLayer(node)) {
            if (node->Source() != this || !node->Visible) {
                continue;
            }
            // The changed source pixels as they appear in the layer: within the shown source
            // rectangle, relative to it (a layer showing a later frame would otherwise be
            // changed off its own pixels), mirrored like the drawing and scaled outwards.
            TRect shown;
            if (!IntersectRect(shown, rect, node->SourceRect)) {
                continue;
            }
            const int32_t sw = RectWidth(node->SourceRect);
            const int32_t sh = RectHeight(node->SourceRect);
            const int32_t dw = node->DrawnWidth();
            const int32_t dh = node->DrawnHeight();
            TRect r = shown - TPoint{node->SourceRect.Left, node->SourceRect.Top};
            r = {static_cast<int32_t>(int64_t{r.Left} * dw / sw),
                 static_cast<int32_t>(int64_t{r.Top} * dh / sh),
                 static_cast<int32_t>((int64_t{r.Right} * dw + sw - 1) / sw),
                 static_cast<int32_t>((int64_t{r.Bottom} * dh + sh - 1) / sh)};
            if (FlipHorizontal != node->FlipHorizontal) {
                r = {dw - r.Right, r.Top, dw - r.Left, r.Bottom};
            }
            if (FlipVertical != node->FlipVertical) {
                r = {r.Left, dh - r.Bottom, r.Right, dh - r.Top};
            }
            if (!IntersectRect(r, r, DrawnRect(node))) {
                continue;
            }
            // The layer's old pixels go first, also for an opaque source: transparent pixels, and
            // parts of the source rectangle that lie outside the source, show what is under the
            // layer. The change then goes on to the surfaces showing the parent.
            const TRect onParent = r + node->Position;
            parent.RestoreUnder(node, onParent);
            parent.CopyFrom({onParent.Left, onParent.Top}, *node->SaveUnder, r);
            parent.RedrawLayers(node, r);
            parent.PropagateChange(onParent);
        }
    }
}

void TPX8ImageData::SetSourceRect(TPX8LayerNode* node, const TRect& rect) {
    const int64_t w = Scaled(RectWidth(rect), node->ZoomX, node->ZoomDiv);
    const int64_t h = Scaled(RectHeight(rect), node->ZoomY, node->ZoomDiv);
    // A layer that covers no pixel still gets a save-under of one pixel, never read.
    const auto imageWidth = static_cast<uint16_t>(std::max<int64_t>(w, 1));
    const auto imageHeight = static_cast<uint16_t>(std::max<int64_t>(h, 1));
    if (node->SaveUnder != nullptr &&
        (node->SaveUnder->width != imageWidth || node->SaveUnder->height != imageHeight)) {
        node->SaveUnder.reset();
        node->SaveUnderImage.reset();
    }
    node->SourceRect = rect;
    if (node->SaveUnder == nullptr) {
        auto image = std::make_unique<TPX8Image>();
        image->Init("", nullptr, imageWidth, imageHeight);
        node->SaveUnder = std::make_unique<TPX8ImageData>(*image, nullptr);
        node->SaveUnderImage = std::move(image);
    }
}

// Re-framing, moving, revising and a new frame height all come here rather than each redrawing
// its own way: the layers above are peeled off the old and the new rectangle alike, so no
// upper layer is caught in a save-under and a shrunk layer's old area is redrawn.
template <class Change>
void TPX8ImageData::Relayer(TPX8LayerNode* node, const TRect& newRect, bool newVisible,
                            Change change) {
    const TRect oldRect = node->Visible ? node->OwnerRect() : TRect{};
    const TRect target = newVisible ? newRect : TRect{};
    std::array<TRect, 5> pieces;
    const int count = MergeRects(oldRect, target, pieces);
    for (int i = 0; i < count; ++i) {
        RestoreUnder(node, pieces[i]);
    }
    if (node->Visible) {
        PutBackSaveUnder(node);
    }
    change();
    if (node->Visible) {
        SaveUnderRect(node, {0, 0}, node->OwnerRect());
    }
    for (int i = 0; i < count; ++i) {
        if (!IsRectEmpty(pieces[i])) {
            RedrawLayers(node, pieces[i] - node->Position);
            PropagateChange(pieces[i]);
        }
    }
}

TPX8LayerNode* TPX8ImageData::AddLayer(TPX8ImageData& source, uint16_t priority) {
    return AddLayerFrame(source, {0, height}, 0, priority);
}

TPX8LayerNode* TPX8ImageData::AddLayerFrame(TPX8ImageData& source, const TPoint& position,
                                            uint16_t frame, uint16_t priority) {
    BusyScope busy(*this);
    // A surface shown, directly or further up, on this one would end up drawn into itself: the
    // refusal covers this surface and every surface further up, not only the direct parents.
    if (IsAncestorOrSelf(&source)) {
        throw PX8Exception("AddLayer: can't make parent a layer");
    }
    auto node = std::make_unique<TPX8LayerNode>(priority, &source);
    node->Position = position;
    SetSourceRect(node.get(), FrameBand(node.get(), frame));
    node->UseSourceRect = true;
    node->ClipRect = GetBounds();
    node->Frame = frame;
    TPX8LayerNode* raw = Layers.InsertByPriority(std::move(node));
    const bool newParent = source.Parents.FindData(this) == nullptr;
    if (newParent) {
        source.Parents.Add(std::make_unique<TDataNode>(this));
    }
    try {
        SetLayerNodeVisible(raw, true);
    } catch (...) {
        // A half-added layer would be drawn, and fail, at every later change of this surface:
        // its area is put back as it was and it goes again.
        try {
            SetLayerNodeVisible(raw, false);
        } catch (...) {
            // The first fault is the one to report.
        }
        std::unique_ptr<TTarnNode> unlinked = Layers.Remove(raw);
        if (newParent) {
            source.Parents.Remove(source.Parents.FindData(this));
        }
        throw;
    }
    return raw;
}

void TPX8ImageData::RemoveLayer(TPX8ImageData& source) {
    RemoveLayerNode(FindLayer(&source));
}

void TPX8ImageData::SetLayerVisible(TPX8ImageData& source, bool visible) {
    SetLayerNodeVisible(FindLayer(&source), visible);
}

void TPX8ImageData::SetLayerFrame(TPX8ImageData& source, uint16_t frame) {
    SetLayerNodeFrame(FindLayer(&source), frame);
}

void TPX8ImageData::SetLayerFrame(TPX8ImageData& source, uint16_t priority, uint16_t frame) {
    SetLayerNodeFrame(FindLayer(&source, priority), frame);
}

void TPX8ImageData::SetLayerPosition(TPX8ImageData& source, const TPoint& position) {
    SetLayerNodePosition(FindLayer(&source), position);
}

void TPX8ImageData::GetLayerInfo(TPX8ImageData& source, TLayerInfo& info) {
    GetLayerNodeInfo(FindLayer(&source), info);
}

void TPX8ImageData::ReviseLayer(TPX8ImageData& source, const TLayerInfo& info) {
    ReviseLayerNode(FindLayer(&source), info);
}

void TPX8ImageData::RemoveLayerNode(TPX8LayerNode* node) {
    if (node == nullptr) {
        throw PX8Exception("RemoveLayerNode: Unknown layer");
    }
    BusyScope busy(*this);
    SetLayerNodeVisible(node, false);
    TPX8ImageData* source = node->Source();
    std::unique_ptr<TTarnNode> unlinked = Layers.Remove(node);
    if (FindLayer(source) == nullptr) {
        source->Parents.Remove(source->Parents.FindData(this));
    }
}

void TPX8ImageData::SetLayerNodeVisible(TPX8LayerNode* node, bool visible) {
    if (node == nullptr) {
        throw PX8Exception("SetLayerNodeVisible: Unknown layer");
    }
    if (visible == node->Visible) {
        return;
    }
    BusyScope busy(*this);
    const TRect r = node->OwnerRect();
    RestoreUnder(node, r);
    if (visible) {
        SaveUnderRect(node, {0, 0}, r);
        node->Visible = true;
        RedrawLayers(node, DrawnRect(node));
    } else {
        PutBackSaveUnder(node);
        node->Visible = false;
        auto* below = static_cast<TPX8LayerNode*>(node->Prev());
        if (below == nullptr) {
            RedrawLayers(nullptr, r);
        } else {
            RedrawLayers(below, r - below->Position);
        }
    }
    PropagateChange(r);
}

void TPX8ImageData::SetLayerNodeFrame(TPX8LayerNode* node, uint16_t frame) {
    if (node == nullptr) {
        throw PX8Exception("SetLayerNodeFrame: Unknown layer");
    }
    BusyScope busy(*this);
    if (node->Visible) {
        const TRect band = FrameBand(node, frame);
        const TRect newRect{
            node->Position.X, node->Position.Y,
            node->Position.X +
                static_cast<int32_t>(Scaled(RectWidth(band), node->ZoomX, node->ZoomDiv)),
            node->Position.Y +
                static_cast<int32_t>(Scaled(RectHeight(band), node->ZoomY, node->ZoomDiv))};
        Relayer(node, newRect, true, [&] { SetSourceRect(node, band); });
    }
    node->Frame = frame;
}

void TPX8ImageData::SetLayerNodePosition(TPX8LayerNode* node, const TPoint& position) {
    if (node == nullptr) {
        throw PX8Exception("SetLayerNodePosition: Unknown layer");
    }
    BusyScope busy(*this);
    if (!node->Visible) {
        node->Position = position;
        return;
    }
    Relayer(node, RectAt(position, DrawnRect(node)), true, [&] { node->Position = position; });
}

void TPX8ImageData::GetLayerNodeInfo(const TPX8LayerNode* node, TLayerInfo& info) const {
    if (node == nullptr) {
        throw PX8Exception("SetLayerNodeSourceRect: Unknown layer");
    }
    info.Priority = node->Priority;
    info.Frame = node->Frame;
    info.ZoomX = node->ZoomX;
    info.ZoomY = node->ZoomY;
    info.ZoomDiv = node->ZoomDiv;
    info.UseSourceRect = node->UseSourceRect;
    info.Hidden = !node->Visible;
    info.X = node->Position.X;
    info.Y = node->Position.Y;
    info.SourceRect = node->SourceRect;
}

void TPX8ImageData::ReviseLayerNode(TPX8LayerNode* node, const TLayerInfo& info) {
    if (node == nullptr) {
        throw PX8Exception("ReviseLayerNode: Unknown layer");
    }
    if (info.ZoomDiv == 0) {
        throw PX8Exception("ReviseLayerNode: zoom divisor is 0");
    }
    const TRect source = info.UseSourceRect ? info.SourceRect : FrameBand(node, node->Frame);
    const int64_t w = Scaled(RectWidth(source), info.ZoomX, info.ZoomDiv);
    const int64_t h = Scaled(RectHeight(source), info.ZoomY, info.ZoomDiv);
    if (!FitsSaveUnder(w, h) || int64_t{info.X} + w > std::numeric_limits<int32_t>::max() ||
        int64_t{info.Y} + h > std::numeric_limits<int32_t>::max()) {
        throw PX8Exception("ReviseLayerNode: layer too large");
    }
    BusyScope busy(*this);
    const TRect newRect{info.X, info.Y, info.X + static_cast<int32_t>(w),
                        info.Y + static_cast<int32_t>(h)};
    Relayer(node, newRect, !info.Hidden, [&] {
        node->Position = {info.X, info.Y};
        node->Frame = info.Frame;
        node->ZoomX = info.ZoomX;
        node->ZoomY = info.ZoomY;
        node->ZoomDiv = info.ZoomDiv;
        node->Visible = !info.Hidden;
        SetSourceRect(node, source);
    });
}

void TPX8ImageData::SetFrameHeight(uint16_t frameHeight) {
    const uint16_t h = std::max<uint16_t>(frameHeight, 1);
    if (h == FrameHeight) {
        return;
    }
    FrameHeight = h;
    const TRect band{0, 0, width, h};
    for (TTarnNode* entry = Parents.Head(); entry != nullptr; entry = entry->Next()) {
        TPX8ImageData& parent = *static_cast<TDataNode*>(entry)->DataAs<TPX8ImageData>();
        BusyScope busy(parent);
        for (auto* node = static_cast<TPX8LayerNode*>(parent.Layers.Head()); node != nullptr;
             node = NextLayer(node)) {
            if (node->Source() != this) {
                continue;
            }
            const TRect newRect{
                node->Position.X, node->Position.Y,
                node->Position.X + static_cast<int32_t>(Scaled(width, node->ZoomX, node->ZoomDiv)),
                node->Position.Y + static_cast<int32_t>(Scaled(h, node->ZoomY, node->ZoomDiv))};
            parent.Relayer(node, newRect, node->Visible, [&] {
                node->SaveUnder.reset();
                node->SaveUnderImage.reset();
                parent.SetSourceRect(node, band);
            });
        }
    }
}
