// The Qt sound tests end as the game does: a sound server that talks while Qt's audio engine
// is destroyed at exit would make libpulse abort a run whose tests all passed. (This main
// replaces GoogleTest's, which is only taken from its library when no main is given.)

#include "platform/ProcessEnd.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    EndProcess(RUN_ALL_TESTS());
}
