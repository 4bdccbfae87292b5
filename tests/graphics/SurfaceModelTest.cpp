#include "graphics/SurfaceModel.h"

#include <gtest/gtest.h>

namespace {

// Random drawing and layer operations on real surfaces and on the reference model; after each
// step the surfaces equal the model and every changed pixel lies in a damage rectangle.
TEST(SurfaceModel, RandomOperationsMatchTheModel) {
    struct Run {
        uint32_t seed;
        bool largeSurface;
        int steps;
    };
    const Run runs[] = {
        {1, false, 1500}, {2, false, 1500}, {3, true, 600}, {4, false, 1500}, {5, true, 600},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE("seed " + std::to_string(run.seed));
        Choices choices(run.seed);
        SurfaceScenario scenario(choices, run.largeSurface);
        int layersSeen = 0;
        for (int step = 0; step < run.steps; ++step) {
            const std::string error = scenario.Step();
            ASSERT_EQ(error, "") << "step " << step;
            layersSeen += scenario.LayerCount();
        }
        // The runs must really exercise layers and the refusals, not just plain drawing.
        EXPECT_GT(layersSeen, run.steps);
        EXPECT_GT(scenario.Refusals(), 0);
    }
}

} // namespace
