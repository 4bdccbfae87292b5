#pragma once
// THotImage: keeps one named picture of the image library loaded for its own lifetime and lends
// out its surface. Holders of the same name share one library entry.
//
// Owns one reference to the entry (and to its surface once asked for).

#include <string>

class TImageNode;
class TPX8ImageData;
class TPX8Library;

class THotImage {
  public:
    // Takes the picture from the class-level library; a name the library does not hold raises
    // the library's error.
    explicit THotImage(const std::string& name);
    ~THotImage();
    THotImage(const THotImage&) = delete;
    THotImage& operator=(const THotImage&) = delete;

    // The picture's surface, made on the first call.
    TPX8ImageData* GetSurface();

    // The library new holders use (not owned).
    static void SetGlobalImageLibrary(TPX8Library* library);

    TImageNode* GetEntry() const { return Entry; }

  private:
    TPX8Library* Library;
    TImageNode* Entry;
    TPX8ImageData* Surface = nullptr;
};
