#pragma once
// THotImage: keeps one named library image loaded for its own lifetime and hands out its
// surface. Hot images of the same name share the library's entry, so the picture stays while
// any of them lives.
//
// It owns one hold on the entry, and one on the surface once asked for it.

#include <string>

class TImageNode;
class TPX8ImageData;
class TPX8Library;

class THotImage {
  public:
    // Takes the image from the class library; a name the library does not hold raises the
    // library's error, as does a missing library.
    explicit THotImage(const std::string& name);
    ~THotImage();
    THotImage(const THotImage&) = delete;
    THotImage& operator=(const THotImage&) = delete;

    // The library new hot images use (not owned).
    static void SetGlobalImageLibrary(TPX8Library* library);

    // The image's surface, made on the first call. Users may change its fields (frame count,
    // frame height), which every holder of the name shares.
    TPX8ImageData* GetSurface();
    TImageNode* GetEntry() const { return Entry; }

  private:
    TPX8Library* Library;
    TImageNode* Entry;
    TPX8ImageData* Surface = nullptr;
};
