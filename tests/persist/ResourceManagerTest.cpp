#include "persist/ResourceManager.h"
#include "persist/PackCipher.h"
#include "persist/PackFormat.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

const std::string gamePassword = "71&^#!9087pkdmzxo456&^903kd";

// The entry scrambling written out step by step, with its two passes and the
// fixed key-stream buffer, to check the folded implementation against.
void referenceScramble(std::string& data, const std::string& password) {
    if (password.empty())
        return;
    const std::uint32_t length = std::uint32_t(password.size());
    std::uint32_t sum = 0;
    for (char c : password)
        sum += std::uint32_t(std::int32_t(static_cast<signed char>(c)));
    const char* p = password.c_str(); // p[1] of a one-character password is its terminator
    for (int pass = 0; pass < 2; ++pass) {
        const std::uint32_t m =
            pass == 0 ? std::uint32_t(std::int32_t(static_cast<signed char>(p[1]))) : 0;
        char stream[4096];
        for (std::uint32_t j = 0; j < length; ++j)
            stream[j] =
                p[(std::uint32_t(std::int32_t(static_cast<signed char>(p[j]))) + sum + m) % length];
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = char(data[i] ^ stream[i % length]);
    }
}

struct RawEntry {
    std::string name;
    std::string data;
    char flag = 'n';
};

void putUint32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += char((v >> (8 * i)) & 0xff);
}

// Builds the pack bytes by hand; flagged entries are scrambled with `password`.
std::string rawPack(const std::vector<RawEntry>& entries, const std::string& password) {
    std::string out = "LB";
    putUint32(out, std::uint32_t(entries.size()));
    for (const RawEntry& e : entries) {
        putUint32(out, std::uint32_t(e.name.size()));
        out += e.name;
        std::string data = e.data;
        if (e.flag == 'y')
            referenceScramble(data, password);
        putUint32(out, std::uint32_t(data.size()));
        out += e.flag;
        out += data;
    }
    return out;
}

std::string allBytes() {
    std::string s;
    for (int i = 0; i < 256; ++i)
        s += char(i);
    return s;
}

class ResourceManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        manager = ResourceManager::create("test");
        manager->setPassword(gamePassword);
    }
    void TearDown() override { ResourceManager::destroy("test"); }

    std::string read(const std::string& name) {
        return std::string(manager->readFile(name).text());
    }

    TempDir dir;
    ResourceManager* manager = nullptr;
};

TEST_F(ResourceManagerTest, FindsNamesInAnyCaseWithEitherSeparator) {
    const std::string pack = dir.write(
        "data.pk", rawPack({{"dat\\skin01.spr", "skin", 'y'}, {"MUI/Layout.TXT", "layout", 'n'}},
                           gamePassword));
    manager->open(pack);
    ASSERT_EQ(manager->directory().size(), 2u);
    EXPECT_EQ(manager->entryNames()[1], "mui/layout.txt");
    for (const char* request : {"DAT/Skin01.SPR", "dat/skin01.spr", "dat\\skin01.spr"})
        EXPECT_EQ(read(request), "skin") << request;
    for (const char* request : {"mui/layout.txt", "MUI\\LAYOUT.txt"})
        EXPECT_EQ(read(request), "layout") << request;
    EXPECT_TRUE(manager->readFile("dat/skin02.spr").empty());
}

TEST_F(ResourceManagerTest, ReturnsPlainEntriesByteForByteAndUnscramblesFlaggedOnes) {
    const std::string bytes = allBytes() + allBytes();
    const std::string pack = dir.write("data.pk", rawPack({{"plain.bin", bytes, 'n'},
                                                           {"scrambled.bin", bytes, 'y'},
                                                           {"other-flag.bin", bytes, 'x'}},
                                                          gamePassword));
    manager->open(pack);

    FileData plain = manager->readFile("plain.bin");
    EXPECT_EQ(plain.text(), bytes);
    EXPECT_EQ(plain.scrambled, 'n');
    EXPECT_EQ(plain.offset, 6u + 4 + 9 + 4 + 1);

    FileData scrambled = manager->readFile("scrambled.bin");
    EXPECT_EQ(scrambled.text(), bytes);
    EXPECT_EQ(scrambled.scrambled, 'y');
    EXPECT_EQ(scrambled.offset, plain.offset + bytes.size() + 4 + 13 + 4 + 1);

    // Only "y" means scrambled.
    EXPECT_EQ(manager->readFile("other-flag.bin").text(), bytes);
}

TEST(PackCipher, MatchesTheTwoPassScramblingAndIsItsOwnInverse) {
    const std::string data = allBytes() + "a longer tail of text to run past several key periods";
    std::string longPassword;
    for (int i = 0; i < 300; ++i)
        longPassword += char(i * 7 + 3);
    for (const std::string& password :
         {gamePassword, std::string("ac"), std::string("\xff\x80\x7f"), longPassword}) {
        std::string expected = data;
        referenceScramble(expected, password);
        std::string actual = data;
        PackCipher::apply(reinterpret_cast<unsigned char*>(actual.data()), actual.size(), password);
        EXPECT_EQ(actual, expected);
        EXPECT_NE(actual, data);
        PackCipher::apply(reinterpret_cast<unsigned char*>(actual.data()), actual.size(), password);
        EXPECT_EQ(actual, data);
    }
}

TEST(PackCipher, OneCharacterAndEmptyPasswordsLeaveTheDataAsItIs) {
    const std::string data = allBytes();
    for (const std::string& password : {std::string("x"), std::string()}) {
        std::string actual = data;
        PackCipher::apply(reinterpret_cast<unsigned char*>(actual.data()), actual.size(), password);
        EXPECT_EQ(actual, data);
    }
}

TEST_F(ResourceManagerTest, ScrambledEntriesWithOneCharacterOrEmptyPasswordComeBackUnchanged) {
    const std::string pack =
        dir.write("data.pk", rawPack({{"a.txt", "as stored", 'y'}}, gamePassword));
    for (const std::string password : {"z", ""}) {
        manager->setPassword(password);
        manager->open(pack);
        std::string stored = "as stored";
        referenceScramble(stored, gamePassword);
        EXPECT_EQ(read("a.txt"), stored) << "password \"" << password << "\"";
    }
}

TEST_F(ResourceManagerTest, TheFirstOfTwoEqualNamesWins) {
    const std::string pack = dir.write(
        "data.pk", rawPack({{"a\\b.txt", "first", 'y'}, {"A/B.TXT", "second", 'n'}}, gamePassword));
    manager->open(pack);
    EXPECT_EQ(manager->directory().size(), 2u);
    EXPECT_EQ(read("a/b.txt"), "first");
    EXPECT_EQ(manager->readEntry(1).text(), "second");
    EXPECT_TRUE(manager->readEntry(2).empty());
}

TEST_F(ResourceManagerTest, AcceptsA103ByteNameAndStopsAtALongerOne) {
    const std::string name103 = "dir\\" + std::string(99, 'n');
    const std::string name104 = std::string(104, 'm');
    ASSERT_EQ(name103.size(), 103u);
    const std::string pack = dir.write(
        "data.pk", rawPack({{name103, "long", 'y'}, {name104, "too long", 'n'}, {"c", "c", 'n'}},
                           gamePassword));
    manager->open(pack);
    EXPECT_EQ(read("dir/" + std::string(99, 'N')), "long");
    // The directory is cut at the damaged entry; what follows is not trusted.
    EXPECT_EQ(manager->directory().size(), 1u);
    EXPECT_TRUE(manager->readFile(name104).empty());
}

TEST_F(ResourceManagerTest, NamesOutsideThePackComeFromTheDisk) {
    dir.write("loose/level001.txt", "from disk");
    dir.write("Mixed/Case.TXT", "as named");
    manager->open(dir.file("no-such.pk"));
    EXPECT_TRUE(manager->directory().empty());

    FileData data = manager->readFile(dir.file("loose/level001.txt"));
    EXPECT_EQ(data.text(), "from disk");
    EXPECT_EQ(data.offset, 0u);
    EXPECT_EQ(data.scrambled, 'n');
    // Backslashes and letter case of a request still reach the disk file.
    EXPECT_EQ(read(dir.file("LOOSE\\LEVEL001.TXT")), "from disk");
    EXPECT_EQ(read(dir.file("Mixed/Case.TXT")), "as named");

    FileData missing = manager->readFile(dir.file("absent.txt"));
    EXPECT_TRUE(missing.empty());
    EXPECT_EQ(missing.data(), nullptr);
    EXPECT_TRUE(manager->readFile(dir.path().string()).empty()) << "a folder is no file";
    dir.write("empty.txt", "");
    EXPECT_TRUE(manager->readFile(dir.file("empty.txt")).empty());
}

TEST_F(ResourceManagerTest, AFileWithoutTheMagicDropsTheDirectory) {
    const std::string pack = dir.write("data.pk", rawPack({{"a.txt", "packed", 'n'}}, ""));
    manager->open(pack);
    ASSERT_EQ(manager->directory().size(), 1u);
    manager->open(dir.write("other.pk", "XB" + std::string(20, '\0')));
    EXPECT_TRUE(manager->directory().empty());
    EXPECT_TRUE(manager->readFile("a.txt").empty());
    // An unopenable path keeps the directory it had.
    manager->open(pack);
    manager->open(dir.file("missing.pk"));
    EXPECT_EQ(read("a.txt"), "packed");
}

TEST_F(ResourceManagerTest, TruncatedPacksGiveShortReadsAndNeverOverread) {
    const std::string full =
        rawPack({{"a.txt", "complete", 'n'}, {"b.txt", std::string(1000, 'b'), 'y'}}, gamePassword);
    manager->open(dir.write("cut.pk", full.substr(0, full.size() - 400)));
    ASSERT_EQ(manager->directory().size(), 2u);
    EXPECT_EQ(read("a.txt"), "complete");
    EXPECT_EQ(read("b.txt"), std::string(600, 'b'));

    // Cut inside the second entry's name: only the first entry is known.
    manager->open(dir.write("cut2.pk", full.substr(0, 6 + 4 + 5 + 4 + 1 + 8 + 4 + 2)));
    EXPECT_EQ(manager->directory().size(), 1u);
    EXPECT_EQ(read("a.txt"), "complete");

    // A size of 4 GB at the end of a tiny file allocates nothing of that size.
    std::string huge = "LB";
    putUint32(huge, 1);
    putUint32(huge, 1);
    huge += "h";
    putUint32(huge, 0xffffffffu);
    huge += "nxyz";
    manager->open(dir.write("huge.pk", huge));
    EXPECT_EQ(read("h"), "xyz");

    for (const std::string& tiny :
         {std::string(), std::string("L"), std::string("LB\x01"), std::string("LB\x05\0\0\0", 6)}) {
        manager->open(dir.write("tiny.pk", tiny));
        EXPECT_TRUE(manager->directory().empty());
    }
}

TEST(ResourceManagerRegistry, CreateReplacesGetFindsDestroyRemoves) {
    EXPECT_EQ(ResourceManager::get("registry-test"), nullptr);
    ResourceManager* first = ResourceManager::create("registry-test");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ResourceManager::get("registry-test"), first);
    ResourceManager* second = ResourceManager::create("registry-test");
    EXPECT_EQ(ResourceManager::get("registry-test"), second);
    EXPECT_TRUE(second->directory().empty());
    ResourceManager::destroy("registry-test");
    EXPECT_EQ(ResourceManager::get("registry-test"), nullptr);
    ResourceManager::destroy("registry-test");
}

} // namespace
