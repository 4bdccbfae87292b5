#pragma once
// Frame sets: named strips of equally tall frames cut from one image of the image library and
// drawn at a fixed position. The image is borrowed from the library on first use and handed
// back by ReleaseImage.

#include "base/Geometry.h"
#include "base/IDList.h"
#include "graphics/LibraryHandle.h"

#include <cstdint>
#include <string>

class TImageNode;
class TPX8ImageData;
class TPX8Library;

class TFrameSet : public TIDNode {
  public:
    // A "~" in the name mirrors the image left to right, a "^" turns it upside down. The frame
    // set uses the class-wide library of the time of construction.
    TFrameSet(const std::string& name, const TPoint& position, uint16_t frameCount,
              uint16_t frameHeight, const std::string& imageName);
    // Hands the image back.
    ~TFrameSet() override;
    TFrameSet(const TFrameSet&) = delete;
    TFrameSet& operator=(const TFrameSet&) = delete;

    // The library new frame sets use (not owned); the main window sets it at start-up. The
    // class and every frame set register with their library, which clears them when it goes.
    static void SetGlobalImageLibrary(TPX8Library* library);
    static TPX8Library* GetGlobalImageLibrary();

    // Takes the image and its surface from the library if not done yet; true when the surface
    // is present (an image name the library does not hold leaves it absent).
    bool LoadImage();
    // The rectangle of one frame at Position; (0, 0, 0, 0) without an image.
    TRect GetRect();
    // Copies the current frame onto the target at Position; nothing when invisible, without an
    // image or without a target.
    void Draw(TPX8ImageData* target);
    // Without redraw Frame becomes the index as it is; with redraw an index at or beyond
    // FrameCount is ignored, otherwise the frame is shown and drawn on the target.
    void SetFrame(uint16_t index, TPX8ImageData* target, bool redraw);
    // Gives the image back to the library.
    void ReleaseImage();

    std::string ImageName;
    uint16_t FrameHeight;
    uint16_t Frame = 0;
    uint16_t FrameCount;
    bool Visible = true;
    TPoint Position;

  private:
    void ApplyFlipFlags();

    TLibraryHandle Library;
    TImageNode* Image = nullptr;
    TPX8ImageData* ImageData = nullptr;
};

// Every node must be a TFrameSet.
class TFrameSetList : public TIDList {
  public:
    TFrameSet* FindFrameSet(const std::string& name) const;
    // Every frame set gives its image back.
    void ReleaseImages();
};
