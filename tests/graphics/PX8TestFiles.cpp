#include "graphics/PX8TestFiles.h"
#include "graphics/PX8Exception.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

void PutU16(Bytes& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(Bytes& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

Bytes RecordBytes(const TestRecord& record) {
    Bytes out;
    for (std::size_t i = 0; i < 8; ++i) {
        out.push_back(i < record.name.size() ? static_cast<uint8_t>(record.name[i]) : 0);
    }
    PutU16(out, record.width);
    PutU16(out, record.height);
    out.push_back(static_cast<uint8_t>(record.segments.size()));
    out.push_back(record.state);
    out.push_back(record.transparentIndex);
    out.push_back(record.transparent);
    PutU16(out, record.version);
    uint32_t end = static_cast<uint32_t>(18 + 4 * record.segments.size());
    for (const TestSegment& segment : record.segments) {
        end += static_cast<uint32_t>(3 + segment.data.size());
        PutU32(out, end);
    }
    for (const TestSegment& segment : record.segments) {
        out.push_back(segment.codeA);
        out.push_back(segment.codeB);
        out.push_back(segment.flags);
        out.insert(out.end(), segment.data.begin(), segment.data.end());
    }
    return out;
}

} // namespace

TestRecord PlainRecord(const std::string& name, uint16_t w, uint16_t h, uint8_t base) {
    TestRecord record;
    record.name = name;
    record.width = w;
    record.height = h;
    TestSegment segment;
    segment.flags = 0x08 | 0x01;
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            segment.data.push_back(static_cast<uint8_t>(base + x + 16 * y));
        }
    }
    record.segments.push_back(segment);
    return record;
}

Bytes FileHeader() {
    Bytes out = {'P', 'X', 8, 0};
    PutU16(out, 2);
    for (int i = 0; i < 256; ++i) {
        out.push_back(static_cast<uint8_t>(i));
        out.push_back(static_cast<uint8_t>(255 - i));
        out.push_back(static_cast<uint8_t>(i / 2));
        out.push_back(0);
    }
    return out;
}

Bytes LibraryBytes(const std::vector<TestRecord>& records) {
    Bytes out = FileHeader();
    for (const TestRecord& record : records) {
        const Bytes bytes = RecordBytes(record);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

std::string WriteTempFile(const std::string& name, const Bytes& bytes) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("ladderly-" + std::string(test->test_suite_name()) + "-" + test->name());
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

std::string MessageOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const PX8Exception& e) {
        return e.what();
    }
    return "";
}
