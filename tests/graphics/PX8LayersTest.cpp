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

// A change of the source redraws the scaled layer over it.
TEST(PX8Layers, ScaledLayers) {
    TestSurface source(2, 2);
    source.Paint("12 34");
    TestSurface owner(6, 3);
    owner.Paint("555555 555555 555555");
    owner->AddLayerFrame(*source, {1, 0}, 0, 0);
    TLayerInfo info;
    owner->GetLayerInfo(*source, info);
    info.ZoomX = 3;
    info.ZoomY = 2;
    info.ZoomDiv = 2;
    owner->ReviseLayer(*source, info);
    EXPECT_EQ(owner.Picture(), "512255 534455 555555");
    source->FillRect({1, 1, 2, 2}, 9);
    EXPECT_EQ(owner.Picture(), "512255 539955 555555");
}

TEST(PX8Layers, UnknownLayersAreReported) {
    TestSurface owner(8, 4);
    TestSurface a(2, 2);
    TestSurface b(2, 2);
    TLayerInfo info;
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { owner->SetLayerFrame(*b, 3, 1); }, "SetLayerNodeFrame: Unknown layer"},
        {[&] { owner->GetLayerInfo(*a, info); }, "SetLayerNodeSourceRect: Unknown layer"},
        {[&] { owner->RemoveLayerNode(nullptr); }, "RemoveLayerNode: Unknown layer"},
        {[&] { owner->SetLayerNodeVisible(nullptr, false); }, "SetLayerNodeVisible: Unknown layer"},
        {[&] { owner->SetLayerNodeFrame(nullptr, 0); }, "SetLayerNodeFrame: Unknown layer"},
        {[&] {
             owner->SetLayerNodePosition(nullptr, {0, 0});
         },
         "SetLayerNodePosition: Unknown layer"},
        {[&] { owner->GetLayerNodeInfo(nullptr, info); }, "SetLayerNodeSourceRect: Unknown layer"},
        {[&] { owner->ReviseLayerNode(nullptr, info); }, "ReviseLayerNode: Unknown layer"},
    };
    // b is shown with priority 2, so only the priority form of SetLayerFrame misses it.
    owner->AddLayerFrame(*b, {0, 0}, 0, 2);
    for (const auto& [operation, message] : cases) {
        EXPECT_EQ(MessageOf(operation), message);
        EXPECT_EQ(owner->GetBusy(), 0) << message;
    }
}

TEST(PX8Layers, OneSourceOnSeveralOwners) {
    TestSurface top(8, 8);
    TestSurface middle(4, 4);
    TestSurface bottom(2, 2);
    top->AddLayerFrame(*middle, {0, 0}, 0, 0);
    middle->AddLayerFrame(*bottom, {0, 0}, 0, 0);
    EXPECT_EQ(MessageOf([&] {
                  bottom->AddLayerFrame(*top, {0, 0}, 0, 0);
              }),
              "AddLayer: can't make parent a layer");
    EXPECT_FALSE(bottom->IsLayer(*top));
    top->AddLayerFrame(*bottom, {4, 4}, 0, 0);
    top->AddLayerFrame(*bottom, {6, 6}, 0, 0);
    EXPECT_EQ(bottom->GetParents().Count(), 2);
    top->RemoveLayer(*bottom);
    EXPECT_EQ(bottom->GetParents().Count(), 2);
    top->RemoveLayer(*bottom);
    EXPECT_EQ(bottom->GetParents().Count(), 1);
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

TEST(PX8Layers, DestroyingASurfaceDissolvesItsLayers) {
    TestSurface owner(8, 4);
    TestSurface a(2, 2);
    auto doomed = std::make_unique<TestSurface>(3, 1);
    doomed->Paint("ddd");
    owner->AddLayerFrame(**doomed, {2, 2}, 0, 0);
    owner->AddLayerFrame(**doomed, {4, 3}, 0, 0);
    (*doomed)->AddLayerFrame(*a, {0, 0}, 0, 0);
    owner->ClearDamage();
    doomed.reset();
    EXPECT_EQ(owner.Picture(), "00000000 00000000 00000000 00000000");
    EXPECT_TRUE(owner->GetLayers().IsEmpty());
    EXPECT_TRUE(a->GetParents().IsEmpty());
    EXPECT_EQ(owner.Damage(), (std::vector<TRect>{{2, 2, 5, 3}, {4, 3, 7, 4}}));
}

} // namespace
