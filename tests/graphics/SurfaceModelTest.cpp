#include "graphics/SurfaceModel.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Random drawing and layer operations on real surfaces and on the reference model; after each
// step the surfaces equal the model and every changed pixel lies in a damage rectangle.
TEST(SurfaceModel, RandomOperationsMatchTheModel) {
    // The seed, whether a surface spans two segments, and the steps.
    const std::tuple<uint32_t, bool, int> runs[] = {
        {1, false, 1500}, {2, false, 1500}, {3, true, 600}, {4, false, 1500}, {5, true, 600},
    };
    for (const auto& [seed, largeSurface, steps] : runs) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Choices choices(seed);
        SurfaceScenario scenario(choices, largeSurface);
        int layersSeen = 0;
        for (int step = 0; step < steps; ++step) {
            const std::string error = scenario.Step();
            ASSERT_EQ(error, "") << "step " << step;
            layersSeen += scenario.LayerCount();
        }
        // The runs must really exercise layers and the refusals, not just plain drawing.
        EXPECT_GT(layersSeen, steps);
        EXPECT_GT(scenario.Refusals(), 0);
    }
}

} // namespace
