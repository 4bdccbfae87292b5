#include "graphics/HotImage.h"

#include "graphics/PX8Exception.h"
#include "graphics/PX8Lib.h"

namespace {
TPX8Library* globalLibrary = nullptr;
}

void THotImage::SetGlobalImageLibrary(TPX8Library* library) {
    globalLibrary = library;
}

THotImage::THotImage(const std::string& name) : Library(globalLibrary) {
    if (Library == nullptr) {
        throw PX8Exception("THotImage: no image library");
    }
    Entry = Library->GetImage(name);
}

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
