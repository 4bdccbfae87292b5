#include "graphics/SurfaceModel.h"

#include "graphics/PX8Exception.h"
#include "graphics/PX8Image.h"
#include "graphics/PX8ImageData.h"

#include <algorithm>
#include <functional>
#include <sstream>

namespace {

constexpr int SurfaceCount = 5;

std::string Show(const TRect& r) {
    std::ostringstream out;
    out << "(" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ")";
    return out.str();
}

std::string Show(const TPoint& p) {
    std::ostringstream out;
    out << "(" << p.X << "," << p.Y << ")";
    return out.str();
}

// Runs the operation and compares the message it raises with the one expected ("" = none).
std::string Expect(const std::string& message, const std::function<void()>& operation) {
    try {
        operation();
    } catch (const PX8Exception& e) {
        if (e.what() == message) {
            return "";
        }
        return std::string("raised \"") + e.what() + "\", expected \"" + message + "\"";
    }
    if (!message.empty()) {
        return "did not raise \"" + message + "\"";
    }
    return "";
}

// For each of `destSize` places, the source index that nearest-pixel scaling of `sourceSize`
// places starting at `sourceStart` puts there; reversed fills from the far end.
std::vector<int> Walk(int sourceStart, int sourceSize, int destSize, bool reversed) {
    std::vector<int> map(static_cast<size_t>(std::max(destSize, 0)));
    // Source index c fills the places from floor(c * destSize / sourceSize) up to, but not
    // including, floor((c + 1) * destSize / sourceSize).
    for (int c = 0; c < sourceSize; ++c) {
        const auto first = static_cast<int>(int64_t{c} * destSize / sourceSize);
        const auto end = static_cast<int>(int64_t{c + 1} * destSize / sourceSize);
        for (int k = first; k < end; ++k) {
            map[static_cast<size_t>(reversed ? destSize - 1 - k : k)] = sourceStart + c;
        }
    }
    return map;
}

// Where a plain copy of q to p lands.
TRect BlitRect(const TPoint& p, const TRect& q) {
    return {p.X, p.Y, p.X + RectWidth(q), p.Y + RectHeight(q)};
}

int Scaled(int size, uint16_t zoom, uint16_t div) {
    return size <= 0 ? 0 : (size * zoom + div - 1) / div;
}

} // namespace

uint32_t ByteChoices::Pick(uint32_t count) {
    if (remaining == 0 || count <= 1) {
        return 0;
    }
    uint32_t value = *bytes++;
    --remaining;
    if (count > 256 && remaining > 0) {
        value = value << 8 | *bytes++;
        --remaining;
    }
    return value % count;
}

SurfaceScenario::SurfaceScenario(IChoices& source, bool withLargeSurface)
    : choices(source), large(withLargeSurface), images(SurfaceCount), surfaces(SurfaceCount),
      model(SurfaceCount) {
    for (int i = 0; i < SurfaceCount; ++i) {
        Create(i);
    }
}

SurfaceScenario::~SurfaceScenario() {
    for (int i = 0; i < SurfaceCount; ++i) {
        surfaces[static_cast<size_t>(i)].reset();
    }
}

void SurfaceScenario::Create(int index) {
    ModelSurface& m = model[static_cast<size_t>(index)];
    if (large && index == 0) {
        // 200 x 340 needs two segments.
        m.width = 200;
        m.height = 340;
    } else {
        m.width = 3 + static_cast<int>(choices.Pick(18));
        m.height = 3 + static_cast<int>(choices.Pick(18));
    }
    m.transparent = choices.Pick(2) == 1;
    m.transparentIndex = static_cast<uint8_t>(choices.Pick(4));
    m.flipHorizontal = choices.Pick(3) == 0;
    m.flipVertical = choices.Pick(3) == 0;
    m.frameHeight = static_cast<uint16_t>(m.height);
    m.clip = {0, 0, m.width, m.height};
    m.layers.clear();
    m.own.assign(static_cast<size_t>(m.width * m.height), 0);

    auto image = std::make_unique<TPX8Image>();
    image->Init("model", nullptr, static_cast<uint16_t>(m.width), static_cast<uint16_t>(m.height));
    auto surface = std::make_unique<TPX8ImageData>(*image, nullptr);
    surface->SetTransparency(m.transparentIndex, m.transparent);
    surface->FlipHorizontal = m.flipHorizontal;
    surface->FlipVertical = m.flipVertical;
    // A few colours only, so transparent pixels are common.
    for (int y = 0; y < m.height; ++y) {
        uint8_t* row = surface->StartLine(0, y);
        for (int x = 0; x < m.width; ++x) {
            const auto value = static_cast<uint8_t>(choices.Pick(6));
            row[x] = value;
            m.own[static_cast<size_t>(y * m.width + x)] = value;
        }
        surface->UnlockSegment(0, y);
    }
    images[static_cast<size_t>(index)] = std::move(image);
    surfaces[static_cast<size_t>(index)] = std::move(surface);
}

void SurfaceScenario::Destroy(int index) {
    surfaces[static_cast<size_t>(index)].reset();
    images[static_cast<size_t>(index)].reset();
    for (ModelSurface& owner : model) {
        std::erase_if(owner.layers, [&](const ModelLayer& l) { return l.source == index; });
    }
    model[static_cast<size_t>(index)].layers.clear();
}

int SurfaceScenario::LayerCount() const {
    int count = 0;
    for (const ModelSurface& m : model) {
        count += static_cast<int>(m.layers.size());
    }
    return count;
}

TRect SurfaceScenario::FrameBand(int source, uint16_t frame) const {
    const ModelSurface& s = model[static_cast<size_t>(source)];
    return {0, frame * s.frameHeight, s.width, (frame + 1) * s.frameHeight};
}

// Draws the source rectangle q of surface `source`, scaled to the rectangle d, into `pixels`
// (a picture of the surface `target`), inside `clip` only.
void SurfaceScenario::Draw(std::vector<uint8_t>& pixels, int target, const TRect& d, int source,
                           const TRect& q, const TRect& clip) const {
    const ModelSurface& o = model[static_cast<size_t>(target)];
    const ModelSurface& s = model[static_cast<size_t>(source)];
    const int sw = RectWidth(q);
    const int sh = RectHeight(q);
    const int dw = RectWidth(d);
    const int dh = RectHeight(d);
    if (sw < 1 || sh < 1 || dw < 1 || dh < 1) {
        return;
    }
    const std::vector<uint8_t> picture = Compose(source);
    const std::vector<int> columns = Walk(q.Left, sw, dw, s.flipHorizontal);
    const std::vector<int> rows = Walk(q.Top, sh, dh, s.flipVertical);
    for (int v = 0; v < dh; ++v) {
        for (int u = 0; u < dw; ++u) {
            const int x = d.Left + u;
            const int y = d.Top + v;
            const int sx = columns[static_cast<size_t>(u)];
            const int sy = rows[static_cast<size_t>(v)];
            if (!PtInRect(clip, x, y) || sx < 0 || sy < 0 || sx >= s.width || sy >= s.height) {
                continue;
            }
            const uint8_t value = picture[static_cast<size_t>(sy * s.width + sx)];
            if (!(s.transparent && value == s.transparentIndex)) {
                pixels[static_cast<size_t>(y * o.width + x)] = value;
            }
        }
    }
}

std::vector<uint8_t> SurfaceScenario::Compose(int index) const {
    const ModelSurface& m = model[static_cast<size_t>(index)];
    std::vector<uint8_t> pixels = m.own;
    for (const ModelLayer& l : m.layers) {
        if (l.visible) {
            const int w = Scaled(RectWidth(l.sourceRect), l.zoomX, l.zoomDiv);
            const int h = Scaled(RectHeight(l.sourceRect), l.zoomY, l.zoomDiv);
            Draw(pixels, index, {l.position.X, l.position.Y, l.position.X + w, l.position.Y + h},
                 l.source, l.sourceRect, {0, 0, m.width, m.height});
        }
    }
    return pixels;
}

bool SurfaceScenario::IsShownOn(int source, int owner) const {
    for (const ModelLayer& l : model[static_cast<size_t>(owner)].layers) {
        if (l.source == source) {
            return true;
        }
    }
    return false;
}

bool SurfaceScenario::IsAncestorOrSelf(int owner, int candidate) const {
    if (owner == candidate) {
        return true;
    }
    for (int parent = 0; parent < SurfaceCount; ++parent) {
        if (IsShownOn(owner, parent) && IsAncestorOrSelf(parent, candidate)) {
            return true;
        }
    }
    return false;
}

int SurfaceScenario::FindLayer(int owner, int source) const {
    const auto& layers = model[static_cast<size_t>(owner)].layers;
    for (size_t i = 0; i < layers.size(); ++i) {
        if (layers[i].source == source) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TRect SurfaceScenario::RandomRect(int width, int height) {
    const TPoint a = RandomPoint(width, height);
    const int w = static_cast<int>(choices.Pick(static_cast<uint32_t>(width + 4)));
    const int h = static_cast<int>(choices.Pick(static_cast<uint32_t>(height + 4)));
    return {a.X, a.Y, a.X + w, a.Y + h};
}

TPoint SurfaceScenario::RandomPoint(int width, int height) {
    return {static_cast<int32_t>(choices.Pick(static_cast<uint32_t>(width + 8))) - 6,
            static_cast<int32_t>(choices.Pick(static_cast<uint32_t>(height + 8))) - 6};
}

uint16_t SurfaceScenario::RandomPriority() {
    static constexpr uint16_t priorities[] = {0, 5, 5, 100, 0xFFF0};
    return priorities[choices.Pick(5)];
}

std::string SurfaceScenario::Apply(std::string& description) {
    const int o = static_cast<int>(choices.Pick(SurfaceCount));
    const int s = static_cast<int>(choices.Pick(SurfaceCount));
    ModelSurface& mo = model[static_cast<size_t>(o)];
    const ModelSurface& ms = model[static_cast<size_t>(s)];
    TPX8ImageData& so = *surfaces[static_cast<size_t>(o)];
    TPX8ImageData& ss = *surfaces[static_cast<size_t>(s)];
    const int layer = FindLayer(o, s);
    std::ostringstream what;
    std::string result;
    switch (choices.Pick(16)) {
    case 0: {
        const TRect r = RandomRect(mo.width, mo.height);
        const auto colour = static_cast<uint8_t>(choices.Pick(6));
        what << "FillRect " << o << " " << Show(r) << " " << int{colour};
        so.FillRect(r, colour);
        TRect a;
        if (IntersectRect(a, r, mo.clip)) {
            for (int y = a.Top; y < a.Bottom; ++y) {
                std::fill_n(mo.own.begin() + y * mo.width + a.Left, RectWidth(a), colour);
            }
        }
        break;
    }
    case 1: {
        const TRect r = RandomRect(mo.width, mo.height);
        const auto colour = static_cast<uint8_t>(choices.Pick(6));
        what << "FrameRect " << o << " " << Show(r) << " " << int{colour};
        so.FrameRect(r, colour);
        TRect a;
        if (IntersectRect(a, r, mo.clip)) {
            for (int y = a.Top; y < a.Bottom; ++y) {
                for (int x = a.Left; x < a.Right; ++x) {
                    const bool edge = y == r.Top || y == r.Bottom - 1 ||
                                      (x == r.Left && a.Left == r.Left) ||
                                      (x == r.Right - 1 && a.Right == r.Right);
                    if (edge) {
                        mo.own[static_cast<size_t>(y * mo.width + x)] = colour;
                    }
                }
            }
        }
        break;
    }
    case 2:
    case 3: {
        if (o == s) {
            return "";
        }
        const TPoint p = RandomPoint(mo.width, mo.height);
        const TRect q = RandomRect(ms.width, ms.height);
        const uint32_t kind = choices.Pick(3);
        if (kind == 2) {
            const TRect d = RandomRect(mo.width, mo.height);
            what << "StretchBlit " << o << " " << Show(d) << " from " << s << " " << Show(q);
            so.StretchBlit(d, ss, q);
            Draw(mo.own, o, d, s, q, mo.clip);
        } else if (kind == 0) {
            what << "Blit " << o << " " << Show(p) << " from " << s << " " << Show(q);
            so.Blit(p, ss, q);
            Draw(mo.own, o, BlitRect(p, q), s, q, mo.clip);
        } else {
            const TRect clip = RandomRect(mo.width, mo.height);
            what << "BlitClipped " << o << " " << Show(p) << " from " << s << " " << Show(q)
                 << " clip " << Show(clip);
            so.BlitClipped(p, ss, clip, q);
            TRect c;
            IntersectRect(c, clip, {0, 0, mo.width, mo.height});
            Draw(mo.own, o, BlitRect(p, q), s, q, c);
        }
        break;
    }
    case 4:
    case 5: {
        const TPoint p = RandomPoint(mo.width, mo.height);
        const auto frame = static_cast<uint16_t>(choices.Pick(3));
        const uint16_t priority = RandomPriority();
        const bool plain = choices.Pick(4) == 0;
        const TPoint at = plain ? TPoint{0, mo.height} : p;
        const uint16_t f = plain ? 0 : frame;
        what << "AddLayer " << o << " shows " << s << " at " << Show(at) << " frame " << f
             << " priority " << priority;
        const bool refused = IsAncestorOrSelf(o, s);
        result = Expect(refused ? "AddLayer: can't make parent a layer" : "", [&] {
            if (plain) {
                so.AddLayer(ss, priority);
            } else {
                so.AddLayerFrame(ss, at, f, priority);
            }
        });
        if (refused) {
            ++refusals;
            break;
        }
        auto place = std::find_if(mo.layers.begin(), mo.layers.end(),
                                  [&](const ModelLayer& l) { return l.priority > priority; });
        mo.layers.insert(place, ModelLayer{s, priority, at, true, FrameBand(s, f), f, 1, 1, 1});
        break;
    }
    case 6: {
        what << "RemoveLayer " << o << " " << s;
        result =
            Expect(layer < 0 ? "RemoveLayerNode: Unknown layer" : "", [&] { so.RemoveLayer(ss); });
        if (layer >= 0) {
            mo.layers.erase(mo.layers.begin() + layer);
        } else {
            ++refusals;
        }
        break;
    }
    case 7: {
        const bool visible = choices.Pick(2) == 0;
        what << "SetLayerVisible " << o << " " << s << " " << visible;
        result = Expect(layer < 0 ? "SetLayerNodeVisible: Unknown layer" : "",
                        [&] { so.SetLayerVisible(ss, visible); });
        if (layer >= 0) {
            mo.layers[static_cast<size_t>(layer)].visible = visible;
        } else {
            ++refusals;
        }
        break;
    }
    case 8: {
        const auto frame = static_cast<uint16_t>(choices.Pick(4));
        const bool byPriority = choices.Pick(2) == 0;
        const uint16_t priority = RandomPriority();
        int target = layer;
        if (byPriority) {
            target = -1;
            for (size_t i = 0; i < mo.layers.size(); ++i) {
                if (mo.layers[i].source == s && mo.layers[i].priority == priority) {
                    target = static_cast<int>(i);
                    break;
                }
            }
        }
        what << "SetLayerFrame " << o << " " << s << " frame " << frame;
        if (byPriority) {
            what << " priority " << priority;
        }
        result = Expect(target < 0 ? "SetLayerNodeFrame: Unknown layer" : "", [&] {
            if (byPriority) {
                so.SetLayerFrame(ss, priority, frame);
            } else {
                so.SetLayerFrame(ss, frame);
            }
        });
        if (target >= 0) {
            ModelLayer& l = mo.layers[static_cast<size_t>(target)];
            if (l.visible) {
                l.sourceRect = FrameBand(s, frame);
            }
            l.frame = frame;
        } else {
            ++refusals;
        }
        break;
    }
    case 9:
    case 10: {
        const TPoint p = RandomPoint(mo.width, mo.height);
        what << "SetLayerPosition " << o << " " << s << " " << Show(p);
        result = Expect(layer < 0 ? "SetLayerNodePosition: Unknown layer" : "",
                        [&] { so.SetLayerPosition(ss, p); });
        if (layer >= 0) {
            mo.layers[static_cast<size_t>(layer)].position = p;
        } else {
            ++refusals;
        }
        break;
    }
    case 11: {
        TLayerInfo info;
        what << "GetLayerInfo/ReviseLayer " << o << " " << s;
        if (layer < 0) {
            ++refusals;
            result =
                Expect("SetLayerNodeSourceRect: Unknown layer", [&] { so.GetLayerInfo(ss, info); });
            if (result.empty()) {
                result =
                    Expect("ReviseLayerNode: Unknown layer", [&] { so.ReviseLayer(ss, info); });
            }
            break;
        }
        ModelLayer& l = mo.layers[static_cast<size_t>(layer)];
        so.GetLayerInfo(ss, info);
        if (info.Priority != l.priority || info.Frame != l.frame || info.Hidden == l.visible ||
            info.X != l.position.X || info.Y != l.position.Y ||
            !(info.SourceRect == l.sourceRect) || info.ZoomX != l.zoomX || info.ZoomY != l.zoomY ||
            info.ZoomDiv != l.zoomDiv || !info.UseSourceRect) {
            return what.str() + ": layer information differs from the model";
        }
        info.Priority = RandomPriority();
        info.Frame = static_cast<uint16_t>(choices.Pick(3));
        info.UseSourceRect = choices.Pick(2) == 0;
        info.SourceRect = RandomRect(ms.width, ms.height);
        info.Hidden = choices.Pick(3) == 0;
        const TPoint p = RandomPoint(mo.width, mo.height);
        info.X = p.X;
        info.Y = p.Y;
        const uint32_t zoom = choices.Pick(10);
        const bool badZoom = zoom == 0;
        info.ZoomX = 1;
        info.ZoomY = 1;
        info.ZoomDiv = badZoom ? 0 : 1;
        if (zoom >= 7) {
            info.ZoomX = static_cast<uint16_t>(choices.Pick(4));
            info.ZoomY = static_cast<uint16_t>(choices.Pick(4));
            info.ZoomDiv = static_cast<uint16_t>(1 + choices.Pick(3));
            what << " zoom " << info.ZoomX << "," << info.ZoomY << "/" << info.ZoomDiv;
        }
        what << " to " << Show(p) << " frame " << info.Frame << " hidden " << info.Hidden
             << (info.UseSourceRect ? " source " + Show(info.SourceRect) : " by frame")
             << (badZoom ? " zoom divisor 0" : "");
        result = Expect(badZoom ? "ReviseLayerNode: zoom divisor is 0" : "",
                        [&] { so.ReviseLayer(ss, info); });
        if (badZoom) {
            ++refusals;
            break;
        }
        l.sourceRect = info.UseSourceRect ? info.SourceRect : FrameBand(s, l.frame);
        l.position = p;
        l.frame = info.Frame;
        l.visible = !info.Hidden;
        l.zoomX = info.ZoomX;
        l.zoomY = info.ZoomY;
        l.zoomDiv = info.ZoomDiv;
        break;
    }
    case 12: {
        const auto h = static_cast<uint16_t>(choices.Pick(static_cast<uint32_t>(ms.height + 2)));
        what << "SetFrameHeight " << s << " " << h;
        ss.SetFrameHeight(h);
        const uint16_t kept = std::max<uint16_t>(h, 1);
        ModelSurface& source = model[static_cast<size_t>(s)];
        if (kept != source.frameHeight) {
            source.frameHeight = kept;
            for (ModelSurface& owner : model) {
                for (ModelLayer& l : owner.layers) {
                    if (l.source == s) {
                        l.sourceRect = {0, 0, source.width, kept};
                    }
                }
            }
        }
        break;
    }
    case 13: {
        if (choices.Pick(2) == 0) {
            const TRect r = RandomRect(mo.width, mo.height);
            what << "SetClip " << o << " " << Show(r);
            so.SetClip(r);
            if (!IntersectRect(mo.clip, r, {0, 0, mo.width, mo.height})) {
                mo.clip = TRect{};
            }
        } else {
            what << "ResetClip " << o;
            so.ResetClip();
            mo.clip = {0, 0, mo.width, mo.height};
        }
        break;
    }
    case 14: {
        // Flags of a surface that nobody shows may change at will.
        bool shown = false;
        for (int p = 0; p < SurfaceCount; ++p) {
            shown = shown || IsShownOn(s, p);
        }
        if (shown) {
            return "";
        }
        ModelSurface& source = model[static_cast<size_t>(s)];
        source.flipHorizontal = choices.Pick(2) == 0;
        source.flipVertical = choices.Pick(2) == 0;
        source.transparent = choices.Pick(2) == 0;
        ss.FlipHorizontal = source.flipHorizontal;
        ss.FlipVertical = source.flipVertical;
        ss.SetTransparency(source.transparentIndex, source.transparent);
        what << "Flags of " << s;
        break;
    }
    case 15: {
        if (choices.Pick(4) != 0) {
            return "";
        }
        what << "Destroy " << s;
        Destroy(s);
        Create(s);
        recreated = s;
        break;
    }
    }
    description = what.str();
    return result;
}

std::string SurfaceScenario::Check(const std::vector<std::vector<uint8_t>>& before) {
    for (int i = 0; i < SurfaceCount; ++i) {
        TPX8ImageData& surface = *surfaces[static_cast<size_t>(i)];
        const ModelSurface& m = model[static_cast<size_t>(i)];
        if (surface.GetBusy() != 0) {
            return "surface " + std::to_string(i) + " left busy";
        }
        const std::vector<uint8_t> expected = Compose(i);
        const bool compare = i != recreated;
        for (int y = 0; y < m.height; ++y) {
            const uint8_t* row = surface.StartLine(0, y);
            for (int x = 0; x < m.width; ++x) {
                const auto at = static_cast<size_t>(y * m.width + x);
                if (row[x] != expected[at]) {
                    surface.UnlockSegment(0, y);
                    return "surface " + std::to_string(i) + " differs from the model at " +
                           Show(TPoint{x, y}) + ": " + std::to_string(row[x]) + " instead of " +
                           std::to_string(expected[at]);
                }
                if (compare && before[static_cast<size_t>(i)][at] != expected[at]) {
                    bool covered = false;
                    for (TTarnNode* node = surface.GetDamage().Head(); node != nullptr;
                         node = node->Next()) {
                        covered = covered || PtInRect(static_cast<TDamageNode*>(node)->Rect, x, y);
                    }
                    if (!covered) {
                        surface.UnlockSegment(0, y);
                        return "surface " + std::to_string(i) + " changed outside its damage at " +
                               Show(TPoint{x, y});
                    }
                }
            }
            surface.UnlockSegment(0, y);
        }
        surface.ClearDamage();
    }
    return "";
}

std::string SurfaceScenario::Step() {
    std::vector<std::vector<uint8_t>> before;
    for (int i = 0; i < SurfaceCount; ++i) {
        before.push_back(Compose(i));
    }
    std::string description;
    std::string error;
    recreated = -1;
    try {
        error = Apply(description);
    } catch (const std::exception& e) {
        error = std::string("unexpected exception: ") + e.what();
    }
    if (error.empty()) {
        error = Check(before);
    }
    return error.empty() ? "" : description + ": " + error;
}
