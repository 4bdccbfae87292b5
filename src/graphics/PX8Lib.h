#pragma once
// TPX8Library: the image library file of the game. It checks the file, keeps the shared
// 256-colour palette, indexes the image records by name, loads and decodes a picture on first
// request and lends it out with reference counts, makes blank pictures, builds the palette
// every window realises and draws whole pictures to a device.
//
// The library owns the open file, the palette table and palette, the directory and every
// entry it has handed out (TImageNode, which owns its TPX8Image).

#include "base/TarnList.h"
#include "graphics/PX8BitmapInfo.h"
#include "graphics/PX8Exception.h"
#include "graphics/PX8Image.h"
#include "graphics/PX8ImageData.h"
#include "platform/PaletteDevice.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TPX8Stream;

inline constexpr std::size_t PX8FileHeaderSize = 6;
inline constexpr std::size_t PX8PaletteTableSize = 1024;
inline constexpr int64_t PX8FirstRecordOffset = PX8FileHeaderSize + PX8PaletteTableSize;

// One entry of the library: a loaded or created picture and the count of its users.
class TImageNode : public TTarnNode {
  public:
    TImageNode(const std::string& name, std::unique_ptr<TPX8Image> image);

    std::string Name; // lower case
    int32_t RefCount = 0;
    int32_t DataRefCount = 0;
    std::unique_ptr<TPX8Image> Image;
    // The drawable surface over Image, made on first GetImageData; declared after Image so
    // that it goes first.
    std::unique_ptr<TPX8ImageData> ImageData;
};

class TImageList : public TTarnList {
  public:
    // The first entry whose Name equals the (lower-case) name, or nullptr.
    TImageNode* Find(const std::string& lowerName) const;
};

class TPX8Library {
  public:
    // The library reads the system's palette from `system` (not owned); nullptr stands for a
    // desktop without system palette.
    explicit TPX8Library(ISystemPalette* system = nullptr);
    TPX8Library(const TPX8Library&) = delete;
    TPX8Library& operator=(const TPX8Library&) = delete;
    ~TPX8Library();

    // Opens a library file and builds its directory; whatever was open before is closed.
    void LoadFromFile(const std::string& path);
    // The same over an already opened stream, which the library takes.
    void LoadFromStream(std::unique_ptr<TPX8Stream> stream, const std::string& path);
    // Releases the file and everything derived from it, entries included.
    void Close();
    void BuildDirectory();

    // Record offset of the name (any case), 0 when absent; "ImageOffset: no library loaded"
    // when no file is open.
    int32_t ImageOffset(const std::string& name) const;
    bool ImageExists(const std::string& name) const { return ImageOffset(name) > 0; }

    // The entry for the name, loaded and decoded on first request, with its RefCount raised.
    TImageNode* GetImage(const std::string& name);
    // Lowers RefCount; at 0 the entry is unlinked and destroyed. nullptr is ignored.
    void ReleaseImage(TImageNode* entry);
    // A new entry holding a blank opaque picture; its RefCount stays 0.
    TImageNode* CreateImage(const std::string& name, uint16_t width, uint16_t height);

    // The entry's drawable surface, made (over the decoded picture) on first call, with
    // DataRefCount raised.
    TPX8ImageData* GetImageData(TImageNode* entry);
    // Lowers DataRefCount; at 0 the surface is freed (the picture stays). nullptr is ignored.
    void ReleaseImageData(TImageNode* entry);

    // Draws the entry's whole (decoded) picture with its top-left corner at (x, y).
    void DrawImage(IPaletteDevice& device, int32_t x, int32_t y, TImageNode* entry);

    // The palette every window realises, built on first call.
    const TPaletteEntries& GetHPal();

    // A variable that holds this library and is cleared when the library is destroyed.
    void RegisterClient(TPX8Library** variable);
    void UnregisterClient(TPX8Library** variable);

    std::string FileName;

    bool IsOpen() const { return Stream != nullptr; }
    int64_t GetFileSize() const { return FileSize; }
    const TImageList& GetImages() const { return Images; }
    // Lower-case names with their record offsets, in name order.
    const std::map<std::string, int32_t>& GetDirectory() const { return Directory; }
    // The palette table as read (blue, green, red, reserved per entry), or nullptr.
    const uint8_t* GetPaletteTable() const { return PaletteTable ? PaletteTable->data() : nullptr; }

  private:
    TImageList Images;
    std::unique_ptr<std::array<uint8_t, PX8PaletteTableSize>> PaletteTable;
    std::unique_ptr<TPaletteEntries> Palette;
    std::map<std::string, int32_t> Directory;
    std::unique_ptr<TPX8Stream> Stream;
    int64_t FileSize = 0;
    std::vector<TPX8Library**> Clients;
    ISystemPalette* System;
};
