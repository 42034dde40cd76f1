// The generator gives the same bytes on every run: a run inside the test
// matches, byte for byte, what the build's run wrote.
#include "DataGenerated.h"

#include "datagen/DataWriter.h"
#include "datagen/Determinism.h"
#include "datagen/Generators.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

DataTree::Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return DataTree::Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(DataDeterminism, ASecondRunWritesTheSameBytes) {
    pinDrawingBackends();
    DataTree again;
    addLevels(again);
    addSounds(again);
    addMusic(again);
    addPictures(again);
    const DataTree& built = DataGenerated::tree();
    ASSERT_EQ(again.packed().size(), built.packed().size());
    for (const auto& [name, bytes] : again.packed()) {
        const auto* before = DataGenerated::file(name);
        ASSERT_NE(before, nullptr) << name;
        EXPECT_TRUE(*before == bytes) << name << " differs between two runs";
    }
    for (const auto& [name, bytes] : again.loose()) {
        EXPECT_TRUE(readFile(DataGenerated::folder() / name) == bytes)
            << name << " differs between two runs";
    }
    EXPECT_TRUE(DataWriter::packBytes(again) ==
                readFile(DataGenerated::folder() / DataWriter::packName));
}

} // namespace
