#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/codec/lzss_encoder.h"
#include "core/codec/packed_block.h"
#include "core/codec/packed_loader.h"
#include "core/io/file_error.h"
#include "support/temp_folder.h"

namespace plk {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing_support::TempFolder;

Bytes SomeContent() {
    Bytes content;
    for (int i = 0; i < 5000; ++i) {
        content.push_back(static_cast<std::uint8_t>((i * i) % 7 + (i / 300)));
    }
    return content;
}

TEST(PackedBlockTest, PacksBehindAHeaderAndUnpacksAgain) {
    LzssEncoder encoder;
    Bytes content = SomeContent();
    Bytes block = Pack(content, encoder);

    Bytes stream = encoder.Encode(content);
    ASSERT_EQ(block.size(), 36 + stream.size());
    Bytes expectedHeader(36, 0);
    std::memcpy(expectedHeader.data(), "WINPRS03", 8);
    std::uint32_t sizes[2] = {5000, static_cast<std::uint32_t>(stream.size())};
    std::memcpy(expectedHeader.data() + 16, sizes, 8);
    EXPECT_EQ(Bytes(block.begin(), block.begin() + 36), expectedHeader);
    EXPECT_EQ(Bytes(block.begin() + 36, block.end()), stream);

    EXPECT_EQ(Unpack(block, "x.pr3"), content);
    // Bytes after the stored stream are not part of the block.
    block.insert(block.end(), {1, 2, 3});
    EXPECT_EQ(Unpack(block, "x.pr3"), content);
}

TEST(PackedBlockTest, EmptyContentGivesABareHeader) {
    LzssEncoder encoder;
    Bytes block = Pack({}, encoder);
    EXPECT_EQ(block.size(), 36u);
    EXPECT_TRUE(Unpack(block, "x.pr3").empty());
}

struct BadBlock {
    const char* name;
    Bytes bytes;
    const char* detail;
};

Bytes HeaderThen(std::uint32_t unpacked, std::uint32_t stored, const Bytes& stream) {
    PackedBlockHeader header = MakePackedBlockHeader(unpacked, stored);
    Bytes bytes(sizeof header + stream.size());
    std::memcpy(bytes.data(), &header, sizeof header);
    std::copy(stream.begin(), stream.end(), bytes.begin() + sizeof header);
    return bytes;
}

TEST(PackedBlockTest, RefusesBrokenBlocksNamingTheFile) {
    Bytes wrongMagic = HeaderThen(3, 4, {0x07, 'a', 'b', 'c'});
    wrongMagic[7] = '4';
    const std::vector<BadBlock> cases = {
        {"shorter than the header", Bytes(35, 0), "shorter than its 36-byte header"},
        {"wrong magic", wrongMagic, "no WINPRS03"},
        {"stored size beyond the end", HeaderThen(3, 5, {0x07, 'a', 'b', 'c'}),
         "stored size 5 exceeds the 4 bytes"},
        {"stream shorter than announced", HeaderThen(9, 4, {0x07, 'a', 'b', 'c'}),
         "holds 3 bytes, the header says 9"},
        {"stream longer than announced", HeaderThen(2, 4, {0x07, 'a', 'b', 'c'}),
         "holds 3 bytes, the header says 2"},
        // A lying header must not make us allocate 4 GiB.
        {"huge unpacked size", HeaderThen(0xFFFFFFFF, 4, {0x07, 'a', 'b', 'c'}),
         "the header says 4294967295"},
    };
    for (const BadBlock& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            Unpack(c.bytes, "broken.pr3");
            ADD_FAILURE() << "accepted";
        } catch (const FileError& e) {
            EXPECT_EQ(e.kind(), FileError::Kind::BadFormat);
            EXPECT_EQ(e.path(), "broken.pr3");
            EXPECT_NE(std::string(e.what()).find(c.detail), std::string::npos) << e.what();
        }
    }
}

TEST(PackedLoaderTest, LoadsFilesUnchanged) {
    TempFolder folder;
    LzssEncoder encoder;
    // A packed file on disk comes back as it is, header included.
    Bytes block = Pack(SomeContent(), encoder);
    testing_support::WriteBytes(folder / "guide.pr3", block);
    EXPECT_EQ(LoadPackedFile(folder / "guide.pr3", ""), block);
    testing_support::WriteBytes(folder / "empty.bin", {});
    EXPECT_EQ(LoadPackedFile(folder / "empty.bin"), Bytes{});

    EXPECT_EQ(LoadPackedFile(folder / "missing.pr3", ""), std::nullopt);
    EXPECT_EQ(LoadPackedFile(folder.Path(), ""), std::nullopt);  // a folder is no file
}

TEST(PackedLoaderTest, UnknownResourcesGiveNothing) {
    EXPECT_EQ(LoadPackedResource(228, "PRS"), std::nullopt);
    EXPECT_EQ(LoadPackedResource(227, "PNG"), std::nullopt);
}

TEST(LzssEncoderTest, CompressesFilesAndMemoryIntoItems) {
    TempFolder folder;
    LzssEncoder encoder;
    Bytes content = SomeContent();
    testing_support::WriteBytes(folder / "a.png", content);

    PackedItem item = encoder.CompressFile(folder / "a.png", "a.png");
    EXPECT_EQ(item.name, "a.png");
    EXPECT_EQ(item.unpackedSize, content.size());
    EXPECT_EQ(item.bytes, encoder.Encode(content));
    EXPECT_EQ(item.StoredSize(), item.bytes.size());

    PackedItem memory = encoder.CompressMemory(content);
    EXPECT_EQ(memory.name, "");
    EXPECT_EQ(memory.bytes, item.bytes);

    // No name: nothing is read, not even a missing file.
    PackedItem unnamed = encoder.CompressFile(folder / "missing.png", "");
    EXPECT_EQ(unnamed.unpackedSize, 0u);
    EXPECT_TRUE(unnamed.bytes.empty());

    try {
        encoder.CompressFile(folder / "missing.png", "missing.png");
        ADD_FAILURE() << "a missing file was compressed";
    } catch (const FileError& e) {
        EXPECT_EQ(e.kind(), FileError::Kind::NotFound);
        EXPECT_EQ(e.path(), folder / "missing.png");
    }
}

}  // namespace
}  // namespace plk
