#include "pack/PackWriter.h"
#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <sys/wait.h>

namespace {

struct ToolRun {
    int status = -1;
    std::string output; // standard output and error together
};

ToolRun runTool(const std::string& arguments) {
    ToolRun run;
    const std::string command = std::string(QUILLMERE_PACK_TOOL) + " " + arguments + " 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, got);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

std::string binary(std::size_t n, unsigned salt) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = char((i * 251 + salt * 7 + i / 256) & 0xff);
    return s;
}

// Every regular file below a folder, by its path relative to it.
std::map<std::string, std::string> filesBelow(const std::filesystem::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), root).generic_string()] =
                TempDir::read(entry.path().string());
    return files;
}

TEST(PackTool, CreateListExtractGivesEveryFileBackAndTheGameReadsThem) {
    TempDir dir;
    const std::map<std::string, std::string> files = {
        {"dat/skin01.spr", "texture skin01.tga\nframes 4\n"},
        {"dat/hints/hints.xml", "<hints/>"},
        {"levels/level001.txt", "9 9 5 20 0 0\r\n"},
        {"music/Theme.XM", binary(70000, 1)},
        {"empty.txt", ""},
        {std::string(99, 'd') + "/x", binary(300, 2)}, // a 103-byte name
    };
    for (const auto& [name, bytes] : files)
        dir.write("in/" + name, bytes);
    const std::string pack = dir.file("data.pk");

    ToolRun created = runTool("create " + quoted(pack) + " " + quoted(dir.file("in")));
    ASSERT_EQ(created.status, 0) << created.output;

    ToolRun listed = runTool("list " + quoted(pack));
    ASSERT_EQ(listed.status, 0) << listed.output;
    for (const auto& [name, bytes] : files) {
        std::string stored = name;
        std::replace(stored.begin(), stored.end(), '/', '\\');
        const std::string line = std::to_string(bytes.size()) + "  y  " + stored + "\n";
        EXPECT_NE(listed.output.find(line), std::string::npos) << line << listed.output;
    }

    ToolRun extracted = runTool("extract " + quoted(pack) + " " + quoted(dir.file("out")));
    ASSERT_EQ(extracted.status, 0) << extracted.output;
    EXPECT_EQ(filesBelow(dir.path() / "out"), files);

    ResourceManager* manager = ResourceManager::create("tool-test");
    manager->setPassword(PackFormat::gamePassword);
    manager->open(pack);
    ASSERT_EQ(manager->directory().size(), files.size());
    for (const auto& [name, bytes] : files) {
        FileData data = manager->readFile(name);
        EXPECT_EQ(data.scrambled, 'y');
        EXPECT_EQ(data.text(), bytes) << name;
    }
    ResourceManager::destroy("tool-test");
}

TEST(PackTool, ScramblesEntriesSoTheyCannotBeReadInThePack) {
    TempDir dir;
    dir.write("in/secret.txt", "plain words of a layout file");
    const std::string pack = dir.file("data.pk");
    ASSERT_EQ(runTool("create " + quoted(pack) + " " + quoted(dir.file("in"))).status, 0);
    const std::string bytes = TempDir::read(pack);
    EXPECT_EQ(bytes.substr(0, 2), "LB");
    EXPECT_NE(bytes.find("secret.txt"), std::string::npos);
    EXPECT_EQ(bytes.find("plain words"), std::string::npos);
}

TEST(PackTool, ReportsUnknownAndDamagedPacks) {
    TempDir dir;
    PackWriter writer;
    ASSERT_TRUE(writer.add("a\\one.txt", "first entry"));
    ASSERT_TRUE(writer.add("b.txt", std::string(500, 'b')));
    const std::string good = dir.file("good.pk");
    ASSERT_TRUE(writer.write(good));
    const std::string bytes = TempDir::read(good);

    struct Case {
        std::string file;
        std::string message;
    };
    const std::string tooLong = std::string("LB\x01\0\0\0\x68\0\0\0", 10) + std::string(104, 'n');
    const std::vector<Case> cases = {
        {dir.file("missing.pk"), "cannot open: No such file or directory"},
        {dir.write("text.pk", "just some text"), "not a resource pack"},
        {dir.write("empty.pk", ""), "not a resource pack"},
        {dir.write("header.pk", bytes.substr(0, 4)),
         "damaged pack: the file ends inside the header"},
        {dir.write("name.pk", bytes.substr(0, 41)),
         "damaged pack: the file ends inside entry 2 of 2"},
        {dir.write("data.pk", bytes.substr(0, bytes.size() - 1)),
         "damaged pack: the file ends inside entry 2 of 2"},
        {dir.write("long.pk", tooLong),
         "damaged pack: entry 1 of 1 has a name longer than 103 bytes"},
    };
    for (const Case& c : cases) {
        for (const std::string command : {"list ", "extract "}) {
            ToolRun run = runTool(command + quoted(c.file) + " " +
                                  (command == "extract " ? quoted(dir.file("out")) : ""));
            EXPECT_EQ(run.status, 1) << command << c.file;
            EXPECT_EQ(run.output, "quillmere-pack: " + c.file + ": " + c.message + "\n");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("out")));

    ToolRun usage = runTool("frobnicate");
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.output.find("usage: quillmere-pack create PACK DIR"), std::string::npos);
    EXPECT_EQ(runTool("create " + quoted(dir.file("x.pk")) + " " + quoted(dir.file("none"))).status,
              1);
}

TEST(PackTool, ExtractRefusesNamesThatLeaveTheFolder) {
    for (const std::string name : {"..\\escape.txt", "/etc/x", "a\\..\\..\\b", "a\\\\b", "."}) {
        TempDir dir;
        PackWriter writer;
        ASSERT_TRUE(writer.add(name, "x"));
        const std::string pack = dir.file("evil.pk");
        ASSERT_TRUE(writer.write(pack));
        ToolRun run = runTool("extract " + quoted(pack) + " " + quoted(dir.file("out/inner")));
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_NE(run.output.find("unsafe entry name"), std::string::npos) << run.output;
        EXPECT_EQ(filesBelow(dir.path()).size(), 1u) << name;
    }
}

TEST(PackTool, ExtractKeepsTheFirstOfEqualNamesAsTheGameDoes) {
    TempDir dir;
    PackWriter writer;
    ASSERT_TRUE(writer.add("dat\\a.txt", "first"));
    ASSERT_TRUE(writer.add("DAT/A.TXT", "second", false));
    const std::string pack = dir.file("dup.pk");
    ASSERT_TRUE(writer.write(pack));
    ToolRun run = runTool("extract " + quoted(pack) + " " + quoted(dir.file("out")));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("skipping duplicate entry \"DAT/A.TXT\""), std::string::npos);
    EXPECT_EQ(filesBelow(dir.path() / "out"),
              (std::map<std::string, std::string>{{"dat/a.txt", "first"}}));
}

TEST(PackWriter, StoresNamesFlagsAndSizesAsTheFormatGivesThem) {
    PackWriter writer("");
    EXPECT_FALSE(writer.add("", "x"));
    EXPECT_FALSE(writer.add(std::string(104, 'n'), "x"));
    EXPECT_TRUE(writer.add(std::string(103, 'n'), "y"));
    EXPECT_TRUE(writer.add("p", "plain", false));
    EXPECT_EQ(writer.count(), 2u);
    const std::vector<unsigned char> bytes = writer.bytes();
    const std::string expected = std::string("LB\x02\0\0\0\x67\0\0\0", 10) + std::string(103, 'n') +
                                 std::string("\x01\0\0\0yy", 6) +
                                 std::string("\x01\0\0\0p\x05\0\0\0nplain", 15);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
}

} // namespace
