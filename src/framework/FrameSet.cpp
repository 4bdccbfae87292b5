#include "framework/FrameSet.h"

#include "graphics/PX8ImageData.h"
#include "graphics/PX8Lib.h"

namespace {
TLibraryHandle globalLibrary;
}

void TFrameSet::SetGlobalImageLibrary(TPX8Library* library) {
    globalLibrary.Set(library);
}

TPX8Library* TFrameSet::GetGlobalImageLibrary() {
    return globalLibrary.Get();
}

TFrameSet::TFrameSet(const std::string& name, const TPoint& position, uint16_t frameCount,
                     uint16_t frameHeight, const std::string& imageName)
    : TIDNode(name), ImageName(imageName), FrameHeight(frameHeight), FrameCount(frameCount),
      Position(position), Library(globalLibrary.Get()) {}

TFrameSet::~TFrameSet() {
    ReleaseImage();
}

void TFrameSet::ApplyFlipFlags() {
    // Frame sets of different names may share one image: each sets the flags it draws with.
    ImageData->FlipHorizontal = GetID().find('~') != std::string::npos;
    ImageData->FlipVertical = GetID().find('^') != std::string::npos;
}

bool TFrameSet::LoadImage() {
    if (!Library) {
        // The library has gone and taken its entries with it.
        Image = nullptr;
        ImageData = nullptr;
        return false;
    }
    if (Image == nullptr && Library->ImageExists(ImageName)) {
        Image = Library->GetImage(ImageName);
        ImageData = Library->GetImageData(Image);
        ApplyFlipFlags();
    }
    return ImageData != nullptr;
}

TRect TFrameSet::GetRect() {
    if (!LoadImage()) {
        return {};
    }
    return {Position.X, Position.Y, Position.X + ImageData->Width(), Position.Y + FrameHeight};
}

void TFrameSet::Draw(TPX8ImageData* target) {
    if (!Visible || !LoadImage() || target == nullptr) {
        return;
    }
    ApplyFlipFlags();
    const int32_t top = int32_t{Frame} * FrameHeight;
    target->Blit(Position, *ImageData, {0, top, ImageData->Width(), top + FrameHeight});
}

void TFrameSet::SetFrame(uint16_t index, TPX8ImageData* target, bool redraw) {
    if (!redraw) {
        Frame = index;
        return;
    }
    if (index >= FrameCount) {
        return;
    }
    Frame = index;
    Draw(target);
}

void TFrameSet::ReleaseImage() {
    if (Image != nullptr && Library) {
        Library->ReleaseImageData(Image);
        Library->ReleaseImage(Image);
    }
    Image = nullptr;
    ImageData = nullptr;
}

TFrameSet* TFrameSetList::FindFrameSet(const std::string& name) const {
    TIDNode* node = FindByID(name);
    return node == nullptr ? nullptr : &dynamic_cast<TFrameSet&>(*node);
}

void TFrameSetList::ReleaseImages() {
    for (TTarnNode* node = Head(); node != nullptr; node = node->Next()) {
        dynamic_cast<TFrameSet&>(*node).ReleaseImage();
    }
}
