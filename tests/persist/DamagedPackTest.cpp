#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"
#include "pack/PackWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Packs with random bytes overwritten, cut short or extended: every name of
// the directory and every entry reads without a crash, and no read returns
// more than the file holds.
TEST(DamagedPack, RandomDamageNeverReadsPastTheFile) {
    TempDir dir;
    PackWriter writer;
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(writer.add("dir\\file" + std::to_string(i) + ".txt",
                               std::string(std::size_t(i * 37), char('a' + i)), i % 3 != 0));
    const std::vector<unsigned char> good = writer.bytes();
    std::mt19937 random(7);
    ResourceManager* manager = ResourceManager::create("damaged");
    manager->setPassword(PackFormat::gamePassword);
    for (int round = 0; round < 400; ++round) {
        std::vector<unsigned char> bytes = good;
        const int damage = int(random() % 6) + 1;
        for (int d = 0; d < damage; ++d)
            bytes[random() % bytes.size()] = static_cast<unsigned char>(random());
        if (random() % 2)
            bytes.resize(random() % bytes.size());
        const std::string path = dir.write("damaged.pk", std::string(bytes.begin(), bytes.end()));
        manager->open(path);
        for (std::size_t i = 0; i < manager->directory().size(); ++i) {
            const FileData& record = manager->directory()[i];
            const FileData byIndex = manager->readEntry(i);
            ASSERT_LE(byIndex.size, record.size);
            ASSERT_LE(std::size_t(record.offset) + byIndex.size, bytes.size());
            const FileData byName = manager->readFile(manager->entryNames()[i]);
            ASSERT_LE(byName.size, bytes.size());
        }
    }
    ResourceManager::destroy("damaged");
}

} // namespace
