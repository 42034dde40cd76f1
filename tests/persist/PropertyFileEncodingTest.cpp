#include "persist/PropertyFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using Map = std::map<std::string, std::string>;

Map reloaded(const PropertyFile& file, const char* key = nullptr, int keyLength = 0) {
    TempDir dir;
    const std::string path = dir.file("table.tbl");
    EXPECT_TRUE(file.saveFile(path, key, keyLength));
    PropertyFile back;
    EXPECT_TRUE(back.loadFile(path, true, key, keyLength));
    return back.all();
}

// The plain format, written the way it always was.
std::string plainText(const Map& entries) {
    std::string out;
    for (const auto& [key, value] : entries) {
        const bool quoted = value.find(' ') != std::string::npos;
        out += key + " " + (quoted ? "\"" + value + "\"" : value) + "\n";
    }
    return out;
}

const std::vector<std::string> hostileNames = {
    "\"",
    "\"\"",
    "\"quoted\"",
    "say \"hi\"",
    "a\"b c",
    "x//y",
    "//",
    "http://a.b/c",
    "/",
    "a/",
    "/a",
    "tab\there",
    "cr\rlf\n",
    "\r\n",
    "",
    " ",
    "  two  ",
    "%",
    "%41",
    "\"\"%41",
    "\"\" x",
    "trailing/",
    "back\\slash",
    "50% off",
    "\"/\"/",
    "a \" // \t \n",
    "\"\"\"",
    "\xff\xfe",
    std::string("nul\0x", 5),
};

TEST(PropertyFileEncoding, HostileNamesSurviveWithoutHurtingTheirNeighbours) {
    PropertyFile file;
    for (std::size_t i = 0; i < hostileNames.size(); ++i) {
        char key[64];
        std::snprintf(key, sizeof key, "top7.rec_name%03zu%03d", i, 0);
        file.setString(key, hostileNames[i]);
        std::snprintf(key, sizeof key, "top7.rec_score%03zu%03d", i, 0);
        file.setInt(key, int(i) * 1000);
    }
    EXPECT_EQ(reloaded(file), file.all());
    EXPECT_EQ(reloaded(file, "zpvrta#&%8172", 13), file.all());
}

TEST(PropertyFileEncoding, RandomValuesSurviveASaveAndALoad) {
    std::mt19937 generator(20240601);
    const std::string alphabet = "ab %/\"\t\r\n\\x0";
    for (int round = 0; round < 2000; ++round) {
        PropertyFile file;
        for (int k = 0; k < 6; ++k) {
            std::string value;
            const int length = int(generator() % 9);
            for (int i = 0; i < length; ++i)
                value += alphabet[generator() % alphabet.size()];
            file.setString("key" + std::to_string(k), value);
        }
        const std::string text = file.text();
        PropertyFile back;
        back.loadBuffer(reinterpret_cast<const unsigned char*>(text.data()), text.size(), true);
        ASSERT_EQ(back.all(), file.all()) << text;
    }
}

TEST(PropertyFileEncoding, ValuesThePlainFormatHoldsAreWrittenAsBefore) {
    const Map entries = {
        {"name", "Player One"}, {"odd", "a\"b"},   {"path", "dat/x.spr"}, {"pct", "100%"},
        {"slash", "/x/"},       {"q", "'single'"}, {"n", "-5"},           {"esc", "%22"},
        {"bs", "c:\\x y"}};
    PropertyFile file;
    for (const auto& [key, value] : entries)
        file.setString(key, value);
    EXPECT_EQ(file.text(), plainText(entries));
    EXPECT_EQ(reloaded(file), entries);
}

TEST(PropertyFileEncoding, FilesOfThePlainFormatReadAsBefore) {
    // Hand-written texts an older writer or a person could have made.
    const std::string text = "a \"\" b \"%41\" c %41 d \"x\"y e\nf ok";
    PropertyFile file;
    file.loadBuffer(reinterpret_cast<const unsigned char*>(text.data()), text.size(), true);
    EXPECT_EQ(file.all(),
              (Map{{"a", ""}, {"b", "%41"}, {"c", "%41"}, {"d", "x"}, {"y", "e"}, {"f", "ok"}}));
}

TEST(PropertyFileEncoding, EscapedValuesAreOneTokenWithoutSlashesOrWhitespace) {
    PropertyFile file;
    file.setString("name", "a \"b\"//\tc%");
    file.setString("z", "");
    EXPECT_EQ(file.text(), "name \"\"a%20\"b\"%2F%2F%09c%25\nz \"\"\n");
}

} // namespace
