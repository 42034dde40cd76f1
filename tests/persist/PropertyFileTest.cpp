#include "persist/PropertyFile.h"
#include "persist/ResourceManager.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

PropertyFile parsed(const std::string& text) {
    PropertyFile file;
    EXPECT_TRUE(
        file.loadBuffer(reinterpret_cast<const unsigned char*>(text.data()), text.size(), true));
    return file;
}

using Map = std::map<std::string, std::string>;

TEST(PropertyFile, ReadsPairsAcrossLinesWithQuotesAndComments) {
    const PropertyFile file = parsed("alpha 1 beta \"two words\"\ngamma 3 // note");
    EXPECT_EQ(file.all(), (Map{{"alpha", "1"}, {"beta", "two words"}, {"gamma", "3"}}));

    EXPECT_EQ(parsed("level\n7").getString("level", ""), "7");
    EXPECT_EQ(parsed("a b c d").all(), (Map{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(parsed("k first\r\nk second\r\n").getString("k", ""), "second");
    EXPECT_EQ(parsed("path a//b").all(), (Map{{"path", "a"}}));
    EXPECT_EQ(parsed("x 1 //y 2\nz 3").all(), (Map{{"x", "1"}, {"z", "3"}}));
    // Comments reach into quotes: this quote is never closed.
    EXPECT_EQ(parsed("q \"a // b\" r 1").all(), (Map{{"q", "a " + std::string(9, ' ')}}));
    EXPECT_EQ(parsed("a 1 last").getString("last", "absent"), "");
    EXPECT_EQ(parsed("a \"open\nquote b 2").all(), (Map{{"a", "open\nquote b 2"}}));
    EXPECT_EQ(parsed("\t e \"\"\nf 2").all(), (Map{{"e", ""}, {"f", "2"}}));
    EXPECT_TRUE(parsed("").all().empty());
    EXPECT_TRUE(parsed(" \t\r\n // only a comment").all().empty());
    // A byte that is no whitespace to the reader is part of a token.
    EXPECT_EQ(parsed("v\va\fb").all(), (Map{{"v\va\fb", ""}}));
}

TEST(PropertyFile, NeverChangesTheCallersBytes) {
    std::string text = "a 1 // comment\nb 2";
    const std::string copy = text;
    PropertyFile file;
    file.loadBuffer(reinterpret_cast<const unsigned char*>(text.data()), text.size(), true);
    EXPECT_EQ(text, copy);
}

TEST(PropertyFile, SavesInKeyOrderQuotingValuesWithSpaces) {
    TempDir dir;
    PropertyFile file;
    file.setString("gamma", "x");
    file.setString("alpha", "1");
    file.setString("beta", "two words");
    const std::string path = dir.file("out.txt");
    ASSERT_TRUE(file.saveFile(path));
    EXPECT_EQ(TempDir::read(path), "alpha 1\nbeta \"two words\"\ngamma x\n");

    PropertyFile empty;
    ASSERT_TRUE(empty.saveFile(path));
    EXPECT_EQ(TempDir::read(path), "");

    // Byte order, unsigned, a prefix first.
    PropertyFile order;
    for (const char* key : {"b", "\xe9t\xe9", "ab", "a", "B", "a.b"})
        order.setString(key, "v");
    EXPECT_EQ(order.text(), "B v\na v\na.b v\nab v\nb v\n\xe9t\xe9 v\n");
}

TEST(PropertyFile, ConvertsNumbersAsTheCLibraryDoes) {
    PropertyFile file = parsed("i 12abc f 3.9 n -5 p +7 s \" 42\" z 0 two 2 h 0.5 e 1e2 w x9");
    EXPECT_EQ(file.getInt("i", 0), 12);
    EXPECT_EQ(file.getInt("f", 0), 3);
    EXPECT_EQ(file.getInt("n", 0), -5);
    EXPECT_EQ(file.getInt("p", 0), 7);
    EXPECT_EQ(file.getInt("s", 0), 42);
    EXPECT_EQ(file.getInt("absent", 77), 77);
    EXPECT_EQ(file.getInt("w", 5), 5) << "no number: the default";
    EXPECT_FALSE(file.getBool("z", true));
    EXPECT_TRUE(file.getBool("two", false));
    EXPECT_TRUE(file.getBool("absent", true));
    EXPECT_FLOAT_EQ(file.getFloat("h", 0), 0.5f);
    EXPECT_FLOAT_EQ(file.getFloat("e", 0), 100.0f);
    EXPECT_FLOAT_EQ(file.getFloat("i", 0), 12.0f);
    EXPECT_FLOAT_EQ(file.getFloat("absent", 2.5f), 2.5f);
    EXPECT_FALSE(file.has("absent")) << "getters never insert";

    file.setInt("neg", -5);
    file.setInt("min", -2147483647 - 1);
    EXPECT_EQ(file.getString("neg", ""), "-5");
    EXPECT_EQ(file.getString("min", ""), "-2147483648");
    EXPECT_EQ(file.getInt("min", 0), -2147483647 - 1);
}

TEST(PropertyFile, LoadingWithoutClearingMerges) {
    TempDir dir;
    const std::string path = dir.write("merge.txt", "a new c 3");
    PropertyFile file = parsed("a old b 2");
    ASSERT_TRUE(file.loadFile(path, false));
    EXPECT_EQ(file.all(), (Map{{"a", "new"}, {"b", "2"}, {"c", "3"}}));
    ASSERT_TRUE(file.loadFile(path, true));
    EXPECT_EQ(file.all(), (Map{{"a", "new"}, {"c", "3"}}));
}

TEST(PropertyFile, AMissingFileLeavesTheStoreAlone) {
    TempDir dir;
    PropertyFile file = parsed("keep me");
    EXPECT_FALSE(file.loadFile(dir.file("missing.txt"), true));
    EXPECT_FALSE(file.loadFile(dir.file("missing.txt"), true, "qim", 3));
    EXPECT_EQ(file.getString("keep", ""), "me");
}

TEST(PropertyFile, LoadsResourcesFromThePackOrTheDisk) {
    TempDir dir;
    ResourceManager* pack = ResourceManager::create("property-test");
    const std::string path = dir.write("mui/layout.txt", "m_ok_btn.x 120");
    PropertyFile file = parsed("old 1");
    EXPECT_TRUE(file.loadResource(pack, path, true));
    EXPECT_EQ(file.all(), (Map{{"m_ok_btn.x", "120"}}));
    EXPECT_TRUE(file.loadResource(pack, dir.file("missing.txt"), true));
    EXPECT_TRUE(file.all().empty());
    ResourceManager::destroy("property-test");
}

TEST(PropertyFile, ScrambledFilesRoundTripWithEachKey) {
    TempDir dir;
    PropertyFile file;
    file.setString("menudata.gamename", "vorbel game");
    file.setInt("game.m_level", 12);
    file.setString("field.field", "1 2 3 4 5");
    const std::string path = dir.file("saved.dat");
    for (const std::string key : {"lorvendax&*!", "zpvrta#&%8172", "qim"}) {
        ASSERT_TRUE(file.saveFile(path, key.data(), int(key.size())));
        const std::string bytes = TempDir::read(path);
        EXPECT_EQ(bytes.size(), file.text().size() + 1);
        EXPECT_EQ(bytes.find("vorbel"), std::string::npos);
        PropertyFile back;
        ASSERT_TRUE(back.loadFile(path, true, key.data(), int(key.size())));
        EXPECT_EQ(back.all(), file.all());
    }
}

TEST(PropertyFile, RejectsScrambledFilesThatCannotBeUnscrambled) {
    TempDir dir;
    for (const std::string& bytes :
         {std::string(), std::string("\x00", 1), std::string("\x80xyz"), std::string("\x05xyz")}) {
        const std::string path = dir.write("bad.dat", bytes);
        PropertyFile file = parsed("keep me");
        EXPECT_FALSE(file.loadFile(path, true, "qim", 3));
        EXPECT_EQ(file.getString("keep", ""), "me");
    }
}

TEST(PropertyFile, AFailedSaveKeepsTheOldFile) {
    TempDir dir;
    PropertyFile file = parsed("a 1");
    // The target is a folder: the new text cannot take its place.
    const std::string target = dir.file("taken");
    std::filesystem::create_directory(target);
    dir.write("taken/inside", "old");
    EXPECT_FALSE(file.saveFile(target));
    EXPECT_EQ(TempDir::read(dir.file("taken/inside")), "old");
    EXPECT_FALSE(file.saveFile(dir.file("no-such-folder/x.txt")));
    // Nothing is left behind beside it.
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"taken"});

    const std::string path = dir.write("replace.txt", "old text that is longer than the new one");
    ASSERT_TRUE(file.saveFile(path));
    EXPECT_EQ(TempDir::read(path), "a 1\n");
}

} // namespace

namespace {

// Random bytes, plain or as if scrambled, parse into something or are
// rejected, never more.
TEST(PropertyFile, RandomBytesNeverBreakTheReader) {
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        std::vector<unsigned char> bytes(random() % 64);
        for (unsigned char& b : bytes)
            b = static_cast<unsigned char>(round % 2 ? random() : " \"/%\nab"[random() % 7]);
        PropertyFile plain;
        EXPECT_TRUE(plain.loadBuffer(bytes.data(), bytes.size(), true));
        for (const auto& [key, value] : plain.all())
            ASSERT_FALSE(key.empty());
        PropertyFile keyed;
        const bool unscrambles = bytes.size() >= 2 && bytes[0] < 0x80 && bytes[0] < bytes.size();
        EXPECT_EQ(keyed.loadBuffer(bytes.data(), bytes.size(), true, "qim", 3), unscrambles);
    }
}

} // namespace
