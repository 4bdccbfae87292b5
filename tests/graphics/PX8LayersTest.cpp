// Layer cases the model-based test does not reach: flips of a layer node, operations on nodes
// that do not exist, sharing one source among owners, refused revisions and failures halfway.

#include "graphics/SurfaceKit.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(PX8Layers, LayerFlipsCombineWithTheSourceFlips) {
    TestSurface source(3, 1);
    source.Paint("123");
    TestSurface owner(3, 2);
    TPX8LayerNode* node = owner->AddLayerFrame(*source, {0, 0}, 0, 0);
    for (const auto& [nodeFlip, sourceFlip, expected] :
         {std::tuple{true, false, "321 000"}, {true, true, "123 000"}, {false, true, "321 000"}}) {
        owner->SetLayerNodeVisible(node, false);
        node->FlipHorizontal = nodeFlip;
        source->FlipHorizontal = sourceFlip;
        owner->SetLayerNodeVisible(node, true);
        EXPECT_EQ(owner.Picture(), expected) << nodeFlip << sourceFlip;
        EXPECT_EQ(source->FlipHorizontal, sourceFlip);
    }
}

TEST(PX8Layers, RefusedRevisionsAndFailuresChangeNothing) {
    TestSurface owner(8, 4);
    TestSurface a(2, 2);
    a.Paint("aa aa");
    owner->AddLayerFrame(*a, {1, 1}, 0, 0);
    const std::string before = owner.Picture();
    TLayerInfo info;
    owner->GetLayerInfo(*a, info);
    TLayerInfo huge = info;
    huge.ZoomX = 65535;
    huge.UseSourceRect = true;
    huge.SourceRect = {0, 0, 2000, 2};
    TLayerInfo far = info;
    far.X = std::numeric_limits<int32_t>::max() - 1;
    for (const TLayerInfo& bad : {huge, far}) {
        EXPECT_EQ(MessageOf([&] { owner->ReviseLayer(*a, bad); }),
                  "ReviseLayerNode: layer too large");
        EXPECT_EQ(owner.Picture(), before);
        EXPECT_EQ(owner->GetBusy(), 0);
        owner->GetLayerInfo(*a, info);
        EXPECT_EQ(info.ZoomX, 1);
        EXPECT_EQ(owner->GetLayers().Count(), 1);
    }

    // A layer whose source cannot be drawn goes again, and the owner can still be drawn on.
    TestSurface b(2, 2);
    b->FlipHorizontal = true;
    b.image->Segments()[0].Free();
    EXPECT_EQ(MessageOf([&] { owner->AddLayerFrame(*b, {2, 0}, 0, 0); }), "StartLine: Lock failed");
    EXPECT_EQ(owner->GetBusy(), 0);
    EXPECT_TRUE(b->FlipHorizontal);
    EXPECT_FALSE(b->FlipVertical);
    EXPECT_EQ(owner.Picture(), before);
    EXPECT_EQ(owner->GetLayers().Count(), 1);
    EXPECT_EQ(b->GetParents().Count(), 0);
    owner->FillRect({0, 0, 8, 1}, 5);
    EXPECT_EQ(owner.Picture().substr(0, 8), "55555555");
}

} // namespace
