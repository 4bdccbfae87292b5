#include "graphics/HotImage.h"

#include "graphics/PX8Lib.h"

namespace {
TPX8Library* globalLibrary = nullptr;

TPX8Library& Required(TPX8Library* library) {
    if (library == nullptr) {
        throw PX8Exception("GetImage: no library loaded");
    }
    return *library;
}
} // namespace

void THotImage::SetGlobalImageLibrary(TPX8Library* library) {
    globalLibrary = library;
}

THotImage::THotImage(const std::string& name)
    : Library(globalLibrary), Entry(Required(globalLibrary).GetImage(name)) {}

THotImage::~THotImage() {
    if (Surface != nullptr) {
        Library->ReleaseImageData(Entry);
    }
    Library->ReleaseImage(Entry);
}

TPX8ImageData* THotImage::GetSurface() {
    if (Surface == nullptr) {
        Surface = Library->GetImageData(Entry);
    }
    return Surface;
}
