#include "graphics/SurfaceKit.h"

#include "graphics/PX8Exception.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

// An 8 x 4 owner painted with a stripe pattern and two 2 x 2 layer sources.
struct Scene {
    Scene() {
        owner.Paint({"01234567", "12345670", "23456701", "34567012"});
        a.Paint({"aa", "aa"});
        b.Paint({"bb", "bb"});
    }
    TestSurface owner{8, 4};
    TestSurface a{2, 2};
    TestSurface b{2, 2};
};

TEST(PX8Layers, PriorityDecidesWhichLayerIsOnTop) {
    struct Case {
        const char* name;
        uint16_t first, second;
        char top;
    };
    const Case cases[] = {
        {"equal: the later one", 7, 7, 'b'},
        {"higher second", 100, 0xFFF0, 'b'},
        {"0xFFF0 above 100 (unsigned)", 0xFFF0, 100, 'a'},
        {"lower second", 9, 3, 'a'},
    };
    for (const Case& c : cases) {
        Scene s;
        s.owner->AddLayerFrame(*s.a, {1, 1}, 0, c.first);
        s.owner->AddLayerFrame(*s.b, {2, 1}, 0, c.second);
        EXPECT_EQ(s.owner.Picture()[1][2], c.top) << c.name;
        EXPECT_EQ(s.owner.Picture()[1][1], 'a') << c.name;
        EXPECT_EQ(s.owner.Picture()[1][3], 'b') << c.name;
    }
}

TEST(PX8Layers, HidingPutsBackExactlyWhatWasCovered) {
    Scene s;
    TestSurface c(2, 2);
    c.Paint({"cc", "cc"});
    s.owner->AddLayerFrame(*s.a, {1, 1}, 0, 1);
    s.owner->AddLayerFrame(*s.b, {2, 1}, 0, 2);
    s.owner->AddLayerFrame(*c, {3, 2}, 0, 3);
    EXPECT_EQ(s.owner.Picture(), (Rows{"01234567", "1abb5670", "2abcc701", "345cc012"}));
    s.owner->ClearDamage();
    s.owner->SetLayerVisible(*s.b, false);
    EXPECT_EQ(s.owner.Picture(), (Rows{"01234567", "1aa45670", "2aacc701", "345cc012"}));
    EXPECT_EQ(s.owner.Damage(), (std::vector<TRect>{{2, 1, 4, 3}}));
    s.owner->SetLayerVisible(*s.a, false);
    s.owner->SetLayerVisible(*c, false);
    EXPECT_EQ(s.owner.Picture(), (Rows{"01234567", "12345670", "23456701", "34567012"}));
    s.owner->SetLayerVisible(*s.b, true);
    EXPECT_EQ(s.owner.Picture(), (Rows{"01234567", "12bb5670", "23bb6701", "34567012"}));
}

TEST(PX8Layers, DrawingUnderLayersKeepsThemOnTop) {
    struct Case {
        const char* name;
        std::function<void(Scene&)> draw;
        Rows expected;
    };
    const Case cases[] = {
        {"FillRect",
         [](Scene& s) {
             s.owner->FillRect({0, 0, 8, 4}, 9);
         },
         {"99999999", "9a999b99", "9a9999b9", "99999999"}},
        {"FrameRect",
         [](Scene& s) {
             s.owner->FrameRect({0, 0, 8, 4}, 9);
         },
         {"99999999", "9a345b79", "9a4567b9", "99999999"}},
        {"Blit",
         [](Scene& s) {
             s.owner->Blit({1, 0}, *s.b, {0, 0, 2, 2});
         },
         {"0bb34567", "1ab45b70", "2a4567b1", "34567012"}},
        {"StretchBlit",
         [](Scene& s) {
             s.owner->StretchBlit({0, 0, 8, 4}, *s.b, {0, 0, 1, 1});
         },
         {"bbbbbbbb", "babbbbbb", "babbbbbb", "bbbbbbbb"}},
    };
    for (const Case& c : cases) {
        Scene s;
        TestSurface half(1, 2);
        half.Paint({"a", "a"});
        s.owner->AddLayerFrame(*half, {1, 1}, 0, 1);
        TestSurface right(2, 2);
        right.Paint({"b3", "3b"});
        right->SetTransparency(3, true);
        s.owner->AddLayerFrame(*right, {5, 1}, 0, 1);
        c.draw(s);
        EXPECT_EQ(s.owner.Picture(), c.expected) << c.name;
        // Hidden again, the layers leave what was drawn under them.
        s.owner->SetLayerVisible(*half, false);
        s.owner->SetLayerVisible(*right, false);
        if (std::string(c.name) == "FillRect") {
            EXPECT_EQ(s.owner.Picture(), (Rows{"99999999", "99999999", "99999999", "99999999"}));
        }
    }
}

TEST(PX8Layers, FramesAndRevisions) {
    // A strip of three 2 x 2 frames: frame n is filled with colour n + 1.
    TestSurface strip(2, 6);
    strip.Paint({"11", "11", "22", "22", "33", "33"});
    strip->SetFrameHeight(2);
    TestSurface owner(6, 4);

    owner->AddLayerFrame(*strip, {1, 1}, 1, 0);
    EXPECT_EQ(owner.Picture(), (Rows{"000000", "022000", "022000", "000000"}));
    owner->SetLayerFrame(*strip, 2);
    EXPECT_EQ(owner.Picture(), (Rows{"000000", "033000", "033000", "000000"}));

    // A hidden layer only records the frame number.
    owner->SetLayerVisible(*strip, false);
    owner->SetLayerFrame(*strip, 0);
    TLayerInfo info;
    owner->GetLayerInfo(*strip, info);
    EXPECT_EQ(info.Frame, 0);
    EXPECT_TRUE(info.Hidden);
    EXPECT_EQ(info.SourceRect, (TRect{0, 4, 2, 6}));
    owner->SetLayerVisible(*strip, true);
    EXPECT_EQ(owner.Picture(), (Rows{"000000", "033000", "033000", "000000"}));

    // Without UseSourceRect a revision takes the band of the frame held before it.
    owner->SetLayerFrame(*strip, 1);
    info.UseSourceRect = false;
    info.Frame = 2;
    info.Hidden = false;
    info.X = 3;
    info.Y = 0;
    owner->ReviseLayer(*strip, info);
    EXPECT_EQ(owner.Picture(), (Rows{"000220", "000220", "000000", "000000"}));
    owner->GetLayerInfo(*strip, info);
    EXPECT_EQ(info.Frame, 2);
    EXPECT_EQ(info.SourceRect, (TRect{0, 2, 2, 4}));

    // With it, any rectangle of the source.
    info.UseSourceRect = true;
    info.SourceRect = {0, 1, 1, 5};
    owner->ReviseLayer(*strip, info);
    EXPECT_EQ(owner.Picture(), (Rows{"000100", "000200", "000200", "000300"}));

    // A frame height of 0 is taken as 1; every layer showing the strip goes to its first band.
    strip->SetFrameHeight(0);
    EXPECT_EQ(strip->FrameHeight, 1);
    EXPECT_EQ(owner.Picture(), (Rows{"000110", "000000", "000000", "000000"}));
    owner->GetLayerInfo(*strip, info);
    EXPECT_EQ(info.SourceRect, (TRect{0, 0, 2, 1}));
}

TEST(PX8Layers, ChangesOfAShownFrameReachTheOwner) {
    TestSurface strip(2, 6);
    strip.Paint({"11", "11", "22", "22", "33", "33"});
    strip->SetFrameHeight(2);
    TestSurface owner(6, 4);
    owner->AddLayerFrame(*strip, {1, 1}, 2, 0);
    owner->ClearDamage();
    // The change lies in frame 2, which the layer shows at its top-left corner.
    strip->FillRect({0, 4, 1, 5}, 7);
    EXPECT_EQ(owner.Picture(), (Rows{"000000", "073000", "033000", "000000"}));
    EXPECT_EQ(owner.Damage(), (std::vector<TRect>{{1, 1, 2, 2}}));
    // A change in another frame leaves the owner alone.
    strip->FillRect({0, 0, 2, 2}, 8);
    EXPECT_EQ(owner.Picture(), (Rows{"000000", "073000", "033000", "000000"}));
}

TEST(PX8Layers, LayerFlipsCombineWithTheSourceFlips) {
    TestSurface source(3, 1);
    source.Paint({"123"});
    TestSurface owner(3, 2);
    TPX8LayerNode* node = owner->AddLayerFrame(*source, {0, 0}, 0, 0);
    owner->SetLayerNodeVisible(node, false);
    node->FlipHorizontal = true;
    owner->SetLayerNodeVisible(node, true);
    EXPECT_EQ(owner.Picture(), (Rows{"321", "000"}));
    EXPECT_FALSE(source->FlipHorizontal);
    owner->SetLayerNodeVisible(node, false);
    source->FlipHorizontal = true;
    owner->SetLayerNodeVisible(node, true);
    EXPECT_EQ(owner.Picture(), (Rows{"123", "000"}));
    EXPECT_TRUE(source->FlipHorizontal);
}

TEST(PX8Layers, ScaledLayers) {
    TestSurface source(2, 2);
    source.Paint({"12", "34"});
    TestSurface owner(6, 5);
    owner.Paint({"555555", "555555", "555555", "555555", "555555"});
    owner->AddLayerFrame(*source, {1, 0}, 0, 0);
    TLayerInfo info;
    owner->GetLayerInfo(*source, info);
    info.ZoomX = 3;
    info.ZoomY = 2;
    info.ZoomDiv = 2;
    owner->ReviseLayer(*source, info);
    EXPECT_EQ(owner.Picture(), (Rows{"512255", "534455", "555555", "555555", "555555"}));
    source->FillRect({1, 1, 2, 2}, 9);
    EXPECT_EQ(owner.Picture(), (Rows{"512255", "539955", "555555", "555555", "555555"}));
    owner->SetLayerPosition(*source, {2, 3});
    EXPECT_EQ(owner.Picture(), (Rows{"555555", "555555", "555555", "551225", "553995"}));
    owner->RemoveLayer(*source);
    EXPECT_EQ(owner.Picture(), (Rows{"555555", "555555", "555555", "555555", "555555"}));
}

TEST(PX8Layers, AddLayerStartsBelowTheOwner) {
    Scene s;
    s.owner->AddLayer(*s.a, 0);
    TLayerInfo info;
    s.owner->GetLayerInfo(*s.a, info);
    EXPECT_EQ(info.X, 0);
    EXPECT_EQ(info.Y, 4);
    EXPECT_FALSE(info.Hidden);
    EXPECT_TRUE(info.UseSourceRect);
    EXPECT_EQ(info.SourceRect, (TRect{0, 0, 2, 2}));
    EXPECT_EQ(s.owner.Picture(), (Rows{"01234567", "12345670", "23456701", "34567012"}));
    EXPECT_TRUE(s.owner->IsLayer(*s.a));
    EXPECT_FALSE(s.owner->IsLayer(*s.b));
    s.owner->SetLayerPosition(*s.a, {0, 3});
    EXPECT_EQ(s.owner.Picture()[3], "aa567012");
}

TEST(PX8Layers, UnknownLayersAreReported) {
    Scene s;
    TLayerInfo info;
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { s.owner->RemoveLayer(*s.a); }, "RemoveLayerNode: Unknown layer"},
        {[&] { s.owner->SetLayerVisible(*s.a, true); }, "SetLayerNodeVisible: Unknown layer"},
        {[&] { s.owner->SetLayerFrame(*s.a, 1); }, "SetLayerNodeFrame: Unknown layer"},
        {[&] { s.owner->SetLayerFrame(*s.b, 3, 1); }, "SetLayerNodeFrame: Unknown layer"},
        {[&] {
             s.owner->SetLayerPosition(*s.a, {1, 1});
         },
         "SetLayerNodePosition: Unknown layer"},
        {[&] { s.owner->GetLayerInfo(*s.a, info); }, "SetLayerNodeSourceRect: Unknown layer"},
        {[&] { s.owner->ReviseLayer(*s.a, info); }, "ReviseLayerNode: Unknown layer"},
        {[&] { s.owner->RemoveLayerNode(nullptr); }, "RemoveLayerNode: Unknown layer"},
        {[&] { s.owner->SetLayerNodeVisible(nullptr, false); },
         "SetLayerNodeVisible: Unknown layer"},
        {[&] { s.owner->SetLayerNodeFrame(nullptr, 0); }, "SetLayerNodeFrame: Unknown layer"},
        {[&] {
             s.owner->SetLayerNodePosition(nullptr, {0, 0});
         },
         "SetLayerNodePosition: Unknown layer"},
        {[&] { s.owner->GetLayerNodeInfo(nullptr, info); },
         "SetLayerNodeSourceRect: Unknown layer"},
        {[&] { s.owner->ReviseLayerNode(nullptr, info); }, "ReviseLayerNode: Unknown layer"},
    };
    // b is shown with priority 2, so only the priority form of SetLayerFrame misses it.
    s.owner->AddLayerFrame(*s.b, {0, 0}, 0, 2);
    for (const auto& [operation, message] : cases) {
        EXPECT_EQ(MessageOf(operation), message);
        EXPECT_EQ(s.owner->GetBusy(), 0) << message;
    }
}

TEST(PX8Layers, LayersCannotFormACycle) {
    TestSurface top(8, 8);
    TestSurface middle(4, 4);
    TestSurface bottom(2, 2);
    top->AddLayerFrame(*middle, {0, 0}, 0, 0);
    middle->AddLayerFrame(*bottom, {0, 0}, 0, 0);
    const std::pair<TPX8ImageData*, TPX8ImageData*> refused[] = {
        {middle.surface.get(), top.surface.get()},    // a parent
        {bottom.surface.get(), top.surface.get()},    // a parent's parent
        {bottom.surface.get(), bottom.surface.get()}, // itself
    };
    for (const auto& [owner, source] : refused) {
        EXPECT_EQ(MessageOf([&] {
                      owner->AddLayerFrame(*source, {0, 0}, 0, 0);
                  }),
                  "AddLayer: can't make parent a layer");
        EXPECT_EQ(owner->GetBusy(), 0);
        EXPECT_FALSE(owner->IsLayer(*source));
    }
    // The same surface may be shown on several owners, and twice on one.
    top->AddLayerFrame(*bottom, {4, 4}, 0, 0);
    top->AddLayerFrame(*bottom, {6, 6}, 0, 0);
    EXPECT_EQ(bottom->GetParents().Count(), 2);
    top->RemoveLayer(*bottom);
    EXPECT_EQ(bottom->GetParents().Count(), 2);
    top->RemoveLayer(*bottom);
    EXPECT_EQ(bottom->GetParents().Count(), 1);
}

TEST(PX8Layers, BadRevisionsAreRefusedWithoutChange) {
    Scene s;
    s.owner->AddLayerFrame(*s.a, {1, 1}, 0, 0);
    const Rows before = s.owner.Picture();
    TLayerInfo info;
    s.owner->GetLayerInfo(*s.a, info);
    struct Case {
        const char* name;
        TLayerInfo info;
        std::string message;
    };
    TLayerInfo zero = info;
    zero.ZoomDiv = 0;
    TLayerInfo huge = info;
    huge.ZoomX = 65535;
    huge.UseSourceRect = true;
    huge.SourceRect = {0, 0, 2000, 2};
    TLayerInfo far = info;
    far.X = std::numeric_limits<int32_t>::max() - 1;
    const Case cases[] = {
        {"zoom divisor 0", zero, "ReviseLayerNode: zoom divisor is 0"},
        {"larger than a picture can be", huge, "ReviseLayerNode: layer too large"},
        {"beyond the co-ordinate range", far, "ReviseLayerNode: layer too large"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageOf([&] { s.owner->ReviseLayer(*s.a, c.info); }), c.message) << c.name;
        EXPECT_EQ(s.owner.Picture(), before) << c.name;
        EXPECT_EQ(s.owner->GetBusy(), 0) << c.name;
        TLayerInfo now;
        s.owner->GetLayerInfo(*s.a, now);
        EXPECT_EQ(now.ZoomDiv, 1) << c.name;
    }
}

TEST(PX8Layers, FailuresRestoreBusyAndFlips) {
    Scene s;
    s.a->FlipHorizontal = true;
    s.a.image->Segments()[0].Free();
    EXPECT_EQ(MessageOf([&] {
                  s.owner->AddLayerFrame(*s.a, {1, 1}, 0, 0);
              }),
              "StartLine: Lock failed");
    EXPECT_EQ(s.owner->GetBusy(), 0);
    EXPECT_TRUE(s.a->FlipHorizontal);
    EXPECT_FALSE(s.a->FlipVertical);
}

TEST(PX8Layers, DestroyingASurfaceDissolvesItsLayers) {
    Scene s;
    auto doomed = std::make_unique<TestSurface>(3, 1);
    doomed->Paint({"ddd"});
    s.owner->AddLayerFrame(**doomed, {2, 2}, 0, 0);
    s.owner->AddLayerFrame(**doomed, {4, 3}, 0, 0);
    (*doomed)->AddLayerFrame(*s.a, {0, 0}, 0, 0);
    ASSERT_EQ(s.owner.Picture()[2], "23aad701");
    s.owner->ClearDamage();
    doomed.reset();
    EXPECT_EQ(s.owner.Picture(), (Rows{"01234567", "12345670", "23456701", "34567012"}));
    EXPECT_TRUE(s.owner->GetLayers().IsEmpty());
    EXPECT_TRUE(s.a->GetParents().IsEmpty());
    EXPECT_TRUE(s.owner->HasDamage());

    // An owner going first leaves its sources without it.
    auto owner = std::make_unique<TestSurface>(4, 4);
    (*owner)->AddLayerFrame(*s.b, {1, 1}, 0, 0);
    EXPECT_EQ(s.b->GetParents().Count(), 1);
    owner.reset();
    EXPECT_TRUE(s.b->GetParents().IsEmpty());
}

} // namespace
