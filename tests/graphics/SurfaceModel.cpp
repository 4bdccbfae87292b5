#include "graphics/SurfaceModel.h"

#include "graphics/PX8Image.h"
#include "graphics/PX8ImageData.h"
#include "graphics/PX8TestFiles.h"

#include <algorithm>
#include <functional>
#include <tuple>

namespace {

constexpr int SurfaceCount = 5;

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

int Scaled(int size, uint16_t zoom, uint16_t div) {
    return size <= 0 ? 0 : (size * zoom + div - 1) / div;
}

} // namespace

uint32_t Choices::Pick(uint32_t count) {
    if (bytes == nullptr) {
        return std::uniform_int_distribution<uint32_t>(0, count - 1)(generator);
    }
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

SurfaceScenario::SurfaceScenario(Choices& source, bool withLargeSurface)
    : choices(source), large(withLargeSurface), images(SurfaceCount), surfaces(SurfaceCount),
      model(SurfaceCount) {
    for (int i = 0; i < SurfaceCount; ++i) {
        Create(i);
    }
}

// The surfaces go before the images they draw on (they are declared after them).
SurfaceScenario::~SurfaceScenario() = default;

void SurfaceScenario::Create(int index) {
    const auto i = static_cast<size_t>(index);
    // 200 x 340 needs two segments.
    ModelSurface& m = model[i] = ModelSurface{};
    m.width = large && index == 0 ? 200 : 3 + static_cast<int>(choices.Pick(18));
    const int h = m.height = large && index == 0 ? 340 : 3 + static_cast<int>(choices.Pick(18));
    m.transparent = choices.Pick(2) == 1;
    m.transparentIndex = static_cast<uint8_t>(choices.Pick(4));
    m.flipHorizontal = choices.Pick(3) == 0;
    m.flipVertical = choices.Pick(3) == 0;
    m.frameHeight = static_cast<uint16_t>(h);
    TPX8Image& image = *(images[i] = std::make_unique<TPX8Image>());
    image.Init("model", nullptr, static_cast<uint16_t>(m.width), static_cast<uint16_t>(m.height));
    TPX8ImageData* surface = (surfaces[i] = std::make_unique<TPX8ImageData>(image, nullptr)).get();
    surface->SetTransparency(m.transparentIndex, m.transparent);
    surface->FlipHorizontal = m.flipHorizontal;
    surface->FlipVertical = m.flipVertical;
    // A few colours only, so transparent pixels are common.
    for (int y = 0; y < m.height; ++y) {
        uint8_t* row = surface->StartLine(0, y);
        for (int x = 0; x < m.width; ++x) {
            row[x] = static_cast<uint8_t>(choices.Pick(6));
            m.own.push_back(row[x]);
        }
        surface->UnlockSegment(0, y);
    }
}

TRect SurfaceScenario::FrameBand(int source, uint16_t frame) const {
    const ModelSurface& s = model[static_cast<size_t>(source)];
    return {0, frame * s.frameHeight, s.width, (frame + 1) * s.frameHeight};
}

// Draws the source rectangle q of surface `source`, scaled to the rectangle d, into `pixels`
// (a picture of the surface `target`).
void SurfaceScenario::Draw(std::vector<uint8_t>& pixels, int target, const TRect& d, int source,
                           const TRect& q) const {
    const ModelSurface& o = model[static_cast<size_t>(target)];
    const ModelSurface& s = model[static_cast<size_t>(source)];
    const int sw = RectWidth(q), sh = RectHeight(q), dw = RectWidth(d), dh = RectHeight(d);
    if (sw < 1 || sh < 1 || dw < 1 || dh < 1) {
        return;
    }
    const std::vector<uint8_t> picture = Compose(source);
    const std::vector<int> columns = Walk(q.Left, sw, dw, s.flipHorizontal);
    const std::vector<int> rows = Walk(q.Top, sh, dh, s.flipVertical);
    for (int v = 0; v < dh; ++v) {
        for (int u = 0; u < dw; ++u) {
            const int x = d.Left + u, y = d.Top + v;
            const int sx = columns[static_cast<size_t>(u)], sy = rows[static_cast<size_t>(v)];
            if (!PtInRect({0, 0, o.width, o.height}, x, y) || sx < 0 || sy < 0 || sx >= s.width ||
                sy >= s.height) {
                continue;
            }
            const uint8_t value = picture[static_cast<size_t>(sy * s.width + sx)];
            uint8_t& pixel = pixels[static_cast<size_t>(y * o.width + x)];
            pixel = s.transparent && value == s.transparentIndex ? pixel : value;
        }
    }
}

std::vector<uint8_t> SurfaceScenario::Compose(int index) const {
    const ModelSurface& m = model[static_cast<size_t>(index)];
    std::vector<uint8_t> pixels = m.own;
    for (const ModelLayer& l : m.layers) {
        const TLayerInfo& i = l.info;
        const int w = Scaled(RectWidth(i.SourceRect), i.ZoomX, i.ZoomDiv);
        const int h = Scaled(RectHeight(i.SourceRect), i.ZoomY, i.ZoomDiv);
        Draw(pixels, index, {i.X, i.Y, i.X + w, i.Y + h}, l.source, i.SourceRect);
    }
    return pixels;
}

bool SurfaceScenario::IsAncestorOrSelf(int owner, int candidate) const {
    bool found = owner == candidate;
    for (int parent = 0; parent < SurfaceCount && !found; ++parent) {
        found = FindLayer(parent, owner) >= 0 && IsAncestorOrSelf(parent, candidate);
    }
    return found;
}

int SurfaceScenario::FindLayer(int owner, int source) const {
    const auto& layers = model[static_cast<size_t>(owner)].layers;
    const auto found = std::find_if(layers.begin(), layers.end(),
                                    [&](const ModelLayer& l) { return l.source == source; });
    return found == layers.end() ? -1 : static_cast<int>(found - layers.begin());
}

std::string SurfaceScenario::Apply() {
    const int o = static_cast<int>(choices.Pick(SurfaceCount));
    const int s = static_cast<int>(choices.Pick(SurfaceCount));
    ModelSurface& mo = model[static_cast<size_t>(o)];
    ModelSurface& ms = model[static_cast<size_t>(s)];
    TPX8ImageData& so = *surfaces[static_cast<size_t>(o)];
    TPX8ImageData& ss = *surfaces[static_cast<size_t>(s)];
    const int layer = FindLayer(o, s);
    std::string result;
    // Runs an operation that must raise `unknown` when `target` is -1 (no such layer of o).
    const auto known = [&](int target, const char* unknown, const std::function<void()>& call) {
        const std::string expected = target < 0 ? unknown : "", raised = MessageOf(call);
        result =
            raised == expected ? "" : "raised \"" + raised + "\", expected \"" + expected + "\"";
        return target >= 0;
    };
    // Braced lists take their choices in order.
    const auto pick = [&](int n) {
        return static_cast<int>(choices.Pick(static_cast<uint32_t>(n)));
    };
    const auto point = [&](const ModelSurface& m) {
        return TPoint{pick(m.width + 8) - 6, pick(m.height + 8) - 6};
    };
    const auto rect = [&](const ModelSurface& m) {
        const TPoint a = point(m);
        return TRect{a.X, a.Y, a.X + pick(m.width + 4), a.Y + pick(m.height + 4)};
    };
    const TPoint p = point(mo);
    const TRect r = rect(mo);
    const TRect q = rect(ms);
    const auto number = static_cast<uint16_t>(choices.Pick(4));
    constexpr uint16_t priorities[] = {0, 5, 5, 100, 0xFFF0};
    const uint16_t priority = priorities[choices.Pick(5)];
    const bool flag = choices.Pick(2) == 0;
    const uint32_t operation = choices.Pick(11);
    switch (operation) {
    case 0:
    case 1: {
        operation == 0 ? so.FillRect(r, static_cast<uint8_t>(number))
                       : so.FrameRect(r, static_cast<uint8_t>(number));
        TRect a;
        if (IntersectRect(a, r, {0, 0, mo.width, mo.height})) {
            for (int y = a.Top; y < a.Bottom; ++y) {
                for (int x = a.Left; x < a.Right; ++x) {
                    // A frame leaves out the side edges that the clip cuts off.
                    const bool edge = operation == 0 || y == r.Top || y == r.Bottom - 1 ||
                                      (x == r.Left && a.Left == r.Left) ||
                                      (x == r.Right - 1 && a.Right == r.Right);
                    uint8_t& pixel = mo.own[static_cast<size_t>(y * mo.width + x)];
                    pixel = edge ? static_cast<uint8_t>(number) : pixel;
                }
            }
        }
        break;
    }
    case 2:
    case 3:
        // A surface is not copied onto itself.
        if (o != s) {
            so.Blit(p, ss, q);
            Draw(mo.own, o, {p.X, p.Y, p.X + RectWidth(q), p.Y + RectHeight(q)}, s, q);
        }
        break;
    case 4:
    case 5: {
        if (!known(IsAncestorOrSelf(o, s) ? -1 : 0, "AddLayer: can't make parent a layer",
                   [&] { so.AddLayerFrame(ss, p, number, priority); })) {
            break;
        }
        auto place = std::find_if(mo.layers.begin(), mo.layers.end(),
                                  [&](const ModelLayer& l) { return l.info.Priority > priority; });
        mo.layers.insert(
            place, {s, {priority, number, 1, 1, 1, true, false, p.X, p.Y, FrameBand(s, number)}});
        break;
    }
    case 6:
        if (known(layer, "RemoveLayerNode: Unknown layer", [&] { so.RemoveLayer(ss); })) {
            mo.layers.erase(mo.layers.begin() + layer);
        }
        break;
    case 7:
        if (known(layer, "SetLayerNodePosition: Unknown layer",
                  [&] { so.SetLayerPosition(ss, p); })) {
            TLayerInfo& l = mo.layers[static_cast<size_t>(layer)].info;
            std::tie(l.X, l.Y) = std::tie(p.X, p.Y);
        }
        break;
    case 8: {
        TLayerInfo info;
        if (!known(layer, "SetLayerNodeSourceRect: Unknown layer",
                   [&] { so.GetLayerInfo(ss, info); })) {
            break;
        }
        ModelLayer& l = mo.layers[static_cast<size_t>(layer)];
        const auto fields = [](const TLayerInfo& i) {
            return std::tie(i.Priority, i.Frame, i.ZoomX, i.ZoomY, i.ZoomDiv, i.UseSourceRect,
                            i.Hidden, i.X, i.Y, i.SourceRect);
        };
        if (fields(info) != fields(l.info)) {
            return "layer information differs from the model";
        }
        // Now and then a zoom, or a divisor of 0 (refused).
        info = {priority, static_cast<uint16_t>(number % 3), 1, 1, 1, flag, false, p.X, p.Y, q};
        const uint32_t zoom = choices.Pick(10);
        info.ZoomDiv = zoom == 0 ? 0 : 1;
        if (zoom >= 7) {
            info.ZoomX = static_cast<uint16_t>(choices.Pick(4));
            info.ZoomY = static_cast<uint16_t>(choices.Pick(4));
            info.ZoomDiv = static_cast<uint16_t>(1 + choices.Pick(3));
        }
        if (!known(info.ZoomDiv == 0 ? -1 : 0, "ReviseLayerNode: zoom divisor is 0",
                   [&] { so.ReviseLayer(ss, info); })) {
            break;
        }
        // The priority is not revised; without a source rectangle the layer shows its old frame.
        info.Priority = l.info.Priority;
        info.UseSourceRect = true;
        info.SourceRect = flag ? q : FrameBand(s, l.info.Frame);
        l.info = info;
        break;
    }
    case 9: {
        const auto h = static_cast<uint16_t>(choices.Pick(static_cast<uint32_t>(ms.height + 2)));
        ss.SetFrameHeight(h);
        const uint16_t kept = std::max<uint16_t>(h, 1);
        if (kept != ms.frameHeight) {
            ms.frameHeight = kept;
            for (ModelSurface& owner : model) {
                for (ModelLayer& l : owner.layers) {
                    l.info.SourceRect =
                        l.source == s ? TRect{0, 0, ms.width, kept} : l.info.SourceRect;
                }
            }
        }
        break;
    }
    case 10:
        if (number == 0) {
            surfaces[static_cast<size_t>(s)].reset();
            images[static_cast<size_t>(s)].reset();
            for (ModelSurface& owner : model) {
                std::erase_if(owner.layers, [&](const ModelLayer& l) { return l.source == s; });
            }
            Create(s);
            recreated = s;
        }
        break;
    }
    return result;
}

std::string SurfaceScenario::Check(const std::vector<std::vector<uint8_t>>& before) {
    for (int i = 0; i < SurfaceCount; ++i) {
        TPX8ImageData& surface = *surfaces[static_cast<size_t>(i)];
        const ModelSurface& m = model[static_cast<size_t>(i)];
        const std::string name = "surface " + std::to_string(i);
        if (surface.GetBusy() != 0) {
            return name + " left busy";
        }
        const std::vector<uint8_t> expected = Compose(i);
        for (int y = 0; y < m.height; ++y) {
            for (int x = 0; x < m.width; ++x) {
                const auto at = static_cast<size_t>(y * m.width + x);
                const auto where = [&] { return std::to_string(x) + "," + std::to_string(y); };
                if (surface.GetPixel({x, y}) != expected[at]) {
                    return name + " differs from the model at " + where();
                }
                bool covered = i == recreated || before[static_cast<size_t>(i)][at] == expected[at];
                for (TTarnNode* node = surface.GetDamage().Head(); node != nullptr && !covered;
                     node = node->Next()) {
                    covered = PtInRect(static_cast<TDamageNode*>(node)->Rect, x, y);
                }
                if (!covered) {
                    return name + " changed outside its damage at " + where();
                }
            }
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
    std::string error;
    recreated = -1;
    try {
        error = Apply();
    } catch (const std::exception& e) {
        error = std::string("unexpected exception: ") + e.what();
    }
    return error.empty() ? Check(before) : error;
}
