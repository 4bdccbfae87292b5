#include "graphics/PX8Lib.h"

#include "base/Util.h"
#include "graphics/PX8Stream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {
const char* const InvalidHeader = "Invalid PX8 image header";

// Clears a segment's busy mark however the transfer ends.
class BusyMark {
  public:
    explicit BusyMark(TPX8ImageSegment& marked) : segment(marked) {
        segment.Flags |= PX8SegmentBusy;
    }
    ~BusyMark() {
        segment.Unlock();
        segment.Flags &= static_cast<uint8_t>(~PX8SegmentBusy);
    }
    BusyMark(const BusyMark&) = delete;
    BusyMark& operator=(const BusyMark&) = delete;

  private:
    TPX8ImageSegment& segment;
};
} // namespace

TImageNode::TImageNode(const std::string& name, std::unique_ptr<TPX8Image> image)
    : Name(name), Image(std::move(image)) {}

TImageNode* TImageList::Find(const std::string& lowerName) const {
    for (TTarnNode* node = Head(); node != nullptr; node = node->Next()) {
        auto* entry = static_cast<TImageNode*>(node);
        if (entry->Name == lowerName) {
            return entry;
        }
    }
    return nullptr;
}

TPX8Library::TPX8Library(ISystemPalette* system)
    : System(system != nullptr ? system : &NoSystemPalette()) {}

TPX8Library::~TPX8Library() {
    for (TPX8Library** client : Clients) {
        *client = nullptr;
    }
    Clients.clear();
    Close();
}

void TPX8Library::LoadFromFile(const std::string& path) {
    Close();
    FileName = path;
    try {
        LoadFromStream(TPX8Stream::OpenFile(path), path);
    } catch (...) {
        Close();
        throw;
    }
}

void TPX8Library::LoadFromStream(std::unique_ptr<TPX8Stream> stream, const std::string& path) {
    Close();
    try {
        FileName = path;
        Stream = std::move(stream);
        uint8_t header[PX8FileHeaderSize] = {};
        if (Stream->Size() < static_cast<int64_t>(PX8FileHeaderSize)) {
            throw PX8Exception("ValidatePX8FileHeader: header invalid");
        }
        Stream->Read(header, sizeof header);
        if (header[0] != 'P' || header[1] != 'X' || header[2] != 8 || header[4] != 2 ||
            header[5] != 0) {
            throw PX8Exception("ValidatePX8FileHeader: header invalid");
        }
        PaletteTable = std::make_unique<std::array<uint8_t, PX8PaletteTableSize>>();
        Stream->Read(PaletteTable->data(), PaletteTable->size());
        GetHPal();
        FileSize = Stream->Size();
        BuildDirectory();
    } catch (...) {
        Close();
        throw;
    }
}

void TPX8Library::Close() {
    Stream.reset();
    Images.Clear();
    Directory.clear();
    Palette.reset();
    PaletteTable.reset();
    FileName.clear();
    FileSize = 0;
}

void TPX8Library::BuildDirectory() {
    Directory.clear();
    if (Stream == nullptr) {
        return;
    }
    int64_t position = PX8FirstRecordOffset;
    while (position < FileSize) {
        // Every record must hold its header and segment table and end inside the file, so
        // the scan always moves forward and stops at the end.
        if (FileSize - position < static_cast<int64_t>(PX8RecordHeaderSize) ||
            position > std::numeric_limits<int32_t>::max()) {
            throw PX8Exception(InvalidHeader);
        }
        Stream->Seek(position);
        const std::string name = TPX8Image::ReadName(*Stream);
        Stream->Seek(position + 12);
        const int64_t tableEnd =
            position + static_cast<int64_t>(PX8RecordHeaderSize) + 4 * int64_t{Stream->ReadByte()};
        if (tableEnd > FileSize) {
            throw PX8Exception(InvalidHeader);
        }
        Stream->Seek(position);
        const uint32_t length = TPX8Image::ReadLength(*Stream);
        if (position + length < tableEnd || length > FileSize - position) {
            throw PX8Exception(InvalidHeader);
        }
        Directory[LowerCaseASCII(name)] = static_cast<int32_t>(position);
        position += length;
    }
}

int32_t TPX8Library::ImageOffset(const std::string& name) const {
    if (Stream == nullptr) {
        throw PX8Exception("ImageOffset: no library loaded");
    }
    const auto found = Directory.find(LowerCaseASCII(name));
    return found == Directory.end() ? 0 : found->second;
}

TImageNode* TPX8Library::GetImage(const std::string& name) {
    const std::string lower = LowerCaseASCII(name);
    TImageNode* entry = Images.Find(lower);
    if (entry == nullptr) {
        const auto found = Directory.find(lower);
        if (found == Directory.end() || Stream == nullptr) {
            throw PX8Exception("Image \"" + name + "\" does not exist");
        }
        auto image = std::make_unique<TPX8Image>();
        Stream->Seek(found->second);
        image->LoadFromStream(*Stream);
        image->DecodeAll();
        entry = Images.Add(std::make_unique<TImageNode>(lower, std::move(image)));
    }
    ++entry->RefCount;
    return entry;
}

void TPX8Library::ReleaseImage(TImageNode* entry) {
    if (entry == nullptr) {
        return;
    }
    if (entry->RefCount > 0) {
        --entry->RefCount;
    }
    if (entry->RefCount == 0) {
        Images.Remove(entry);
    }
}

TImageNode* TPX8Library::CreateImage(const std::string& name, uint16_t width, uint16_t height) {
    auto image = std::make_unique<TPX8Image>();
    image->Init(name, nullptr, width, height);
    return Images.Add(std::make_unique<TImageNode>(LowerCaseASCII(name), std::move(image)));
}

TPX8ImageData* TPX8Library::GetImageData(TImageNode* entry) {
    if (entry == nullptr) {
        throw PX8Exception("GetImageData: no image");
    }
    if (entry->ImageData == nullptr) {
        entry->Image->DecodeAll();
        entry->ImageData = std::make_unique<TPX8ImageData>(*entry->Image, &PX8IdentityBitmapInfo());
        entry->DataRefCount = 0;
    }
    ++entry->DataRefCount;
    return entry->ImageData.get();
}

void TPX8Library::ReleaseImageData(TImageNode* entry) {
    if (entry == nullptr || entry->ImageData == nullptr) {
        return;
    }
    if (entry->DataRefCount > 0) {
        --entry->DataRefCount;
    }
    if (entry->DataRefCount == 0) {
        entry->ImageData.reset();
    }
}

void TPX8Library::DrawImage(IPaletteDevice& device, int32_t x, int32_t y, TImageNode* entry) {
    if (entry == nullptr || entry->Image == nullptr || entry->Image->State() != PX8StateDecoded) {
        return;
    }
    TPX8Image& image = *entry->Image;
    TPX8BitmapInfo info = PX8IdentityBitmapInfo();
    info.Width = image.Width();
    int32_t remaining = image.Height();
    for (TPX8ImageSegment& segment : image.Segments()) {
        const auto rows = static_cast<int32_t>(image.SegmentRows(segment.Index));
        // Lowered also for a skipped busy band, so the bands above it still land on their rows.
        remaining -= rows;
        if ((segment.Flags & PX8SegmentBusy) != 0) {
            continue;
        }
        BusyMark busy(segment);
        info.Height = rows;
        info.SizeImage = static_cast<uint32_t>(image.Stride()) * static_cast<uint32_t>(rows);
        const TIndexedRows block{segment.Lock(), info.Width, info.Height, image.Stride()};
        device.TransferRows(block, 0, 0, info.Width, rows, x, y + remaining);
    }
}

const TPaletteEntries& TPX8Library::GetHPal() {
    if (Palette != nullptr) {
        return *Palette;
    }
    if (PaletteTable == nullptr) {
        throw PX8Exception("GetHPal: global palette unavailable");
    }
    const TPaletteEntries system = System->Entries();
    const bool isStatic = System->IsStatic();
    const int reserved = isStatic ? std::clamp(System->ReservedColours(), 0, 256) : 2;
    const int half = reserved / 2;
    std::array<uint8_t, PX8PaletteTableSize>& table = *PaletteTable;
    auto copySystemColour = [&](int i) {
        table[4 * i] = system[i].Blue;
        table[4 * i + 1] = system[i].Green;
        table[4 * i + 2] = system[i].Red;
    };
    for (int i = 0; i < half; ++i) {
        copySystemColour(i);
        copySystemColour(255 - i);
    }
    TPaletteEntries logical{};
    for (int i = half; i <= 255 - half; ++i) {
        logical[i] = {table[4 * i + 2], table[4 * i + 1], table[4 * i], PaletteNoCollapse};
    }
    if (isStatic) {
        for (int i = 0; i < half; ++i) {
            logical[i] = {system[i].Red, system[i].Green, system[i].Blue, 0};
            logical[255 - i] = {system[255 - i].Red, system[255 - i].Green, system[255 - i].Blue,
                                0};
        }
    } else {
        logical[0] = {0, 0, 0, 0};
        logical[255] = {255, 255, 255, 0};
    }
    try {
        Palette = std::make_unique<TPaletteEntries>(logical);
    } catch (const std::bad_alloc&) {
        throw PX8Exception("GetHPal: CreatePalette failed");
    }
    return *Palette;
}

void TPX8Library::RegisterClient(TPX8Library** variable) {
    if (variable != nullptr && *variable == this &&
        std::find(Clients.begin(), Clients.end(), variable) == Clients.end()) {
        Clients.push_back(variable);
    }
}

void TPX8Library::UnregisterClient(TPX8Library** variable) {
    std::erase(Clients, variable);
}
