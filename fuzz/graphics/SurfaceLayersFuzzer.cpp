// Drives random drawing and layer operations, chosen by the input bytes, on real surfaces and
// on the reference model of the tests; any difference, stray change outside the damage or
// surface left busy stops the run.

#include "graphics/SurfaceModel.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    Choices choices(data + 1, size - 1);
    SurfaceScenario scenario(choices, (data[0] & 1) != 0);
    for (int step = 0; !choices.Exhausted() && step < 4000; ++step) {
        const std::string error = scenario.Step();
        if (!error.empty()) {
            std::fprintf(stderr, "step %d: %s\n", step, error.c_str());
            std::abort();
        }
    }
    return 0;
}
