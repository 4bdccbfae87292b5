#pragma once
// A reference model of surfaces and their layers, and a driver that applies the same random
// operations to real surfaces and to the model.
//
// The model keeps each surface's own picture (what was drawn on it) and its layers, and
// recomputes every pixel naively: the own picture, then each visible layer from the head of the
// list, showing its source's recomputed picture mirrored by the source's flags and leaving out
// the source's transparent colour; scaled layers pick the nearest source pixels. After each step
// every real surface must equal the model, every pixel that changed must lie in a damage rectangle
// of its surface, and no surface may be left busy.

#include "base/Geometry.h"
#include "graphics/PX8LayerNode.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

class TPX8Image;
class TPX8ImageData;

// Where the driver takes its decisions from: a seeded generator in the tests, the input bytes
// in the fuzz target (0 once they run out).
class Choices {
  public:
    explicit Choices(uint32_t seed) : generator(seed) {}
    Choices(const uint8_t* data, size_t size) : bytes(data), remaining(size) {}
    // A number from 0 to count - 1.
    uint32_t Pick(uint32_t count);
    bool Exhausted() const { return bytes != nullptr && remaining == 0; }

  private:
    std::mt19937 generator;
    const uint8_t* bytes = nullptr;
    size_t remaining = 0;
};

class SurfaceScenario {
  public:
    // Surfaces of random sizes (one of them spanning two segments when `withLargeSurface`),
    // random pictures, flips and transparency.
    SurfaceScenario(Choices& choices, bool withLargeSurface);
    ~SurfaceScenario();

    // One random operation, then the checks. Returns an empty string, or what went wrong.
    std::string Step();

  private:
    // Which surface a layer shows, and what the surface should report of it.
    struct ModelLayer {
        int source;
        TLayerInfo info;
    };
    struct ModelSurface {
        int width = 0, height = 0;
        std::vector<uint8_t> own;
        bool transparent = false, flipHorizontal = false, flipVertical = false;
        uint8_t transparentIndex = 0;
        uint16_t frameHeight = 0;
        std::vector<ModelLayer> layers;
    };

    void Create(int index);
    std::vector<uint8_t> Compose(int index) const;
    std::string Check(const std::vector<std::vector<uint8_t>>& before);
    bool IsAncestorOrSelf(int owner, int candidate) const;
    // The first layer of `owner` showing `source`, or -1.
    int FindLayer(int owner, int source) const;
    TRect FrameBand(int source, uint16_t frame) const;
    void Draw(std::vector<uint8_t>& pixels, int target, const TRect& d, int source,
              const TRect& q) const;

    // One random operation; returns the message it expected and got, or an error.
    std::string Apply();

    Choices& choices;
    bool large;
    std::vector<std::unique_ptr<TPX8Image>> images;
    std::vector<std::unique_ptr<TPX8ImageData>> surfaces;
    std::vector<ModelSurface> model;
    int recreated = -1;
};
