// The three files the game writes survive a writer killed at any moment: a
// child process saves them over and over and is killed with SIGKILL; every
// file then reads back whole, as one of the versions the child wrote, and
// never older than what was read after the previous kill.
#include "persist/AtomicFile.h"
#include "persist/PropertyFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct SavedFile {
    const char* name;
    const char* key;
};

const SavedFile files[] = {
    {"data/saved.dat", "lorvendax&*!"},
    {"data/top7.tbl", "zpvrta#&%8172"},
    {"data/dx.cfg", "qim"},
};

int keyLength(const SavedFile& file) {
    return static_cast<int>(std::strlen(file.key));
}

// What the child writes as version v of a file: its keys, with values that
// change with v and sizes that make every write take more than one block.
PropertyFile content(const SavedFile& file, int version) {
    PropertyFile store;
    store.setInt("version", version);
    const std::string name = file.name;
    if (name == "data/saved.dat") {
        store.setString("menudata.gamename", "vorbel game");
        store.setInt("game.m_level", 1 + version % 100);
        std::string board;
        for (int i = 0; i < 900; ++i)
            board += std::to_string((i * 7 + version) % 9 - 1) + " ";
        store.setString("field.field", board);
        store.setInt("field.score", version * 35);
    } else if (name == "data/top7.tbl") {
        for (int c = 0; c < 3; ++c) {
            for (int i = 0; i < 7; ++i) {
                char key[40];
                std::snprintf(key, sizeof key, "top7.rec_name%03d%03d", c, i);
                store.setString(key, "Player " + std::to_string(version + i));
                std::snprintf(key, sizeof key, "top7.rec_points%03d%03d", c, i);
                store.setInt(key, version * 10 - i);
            }
        }
    } else {
        store.setInt("m_window_width", 800 + version % 400);
        store.setInt("m_window_height", 600);
        store.setInt("m_music_volume", version % 65);
        store.setInt("m_level", 1 + version % 100);
    }
    return store;
}

void writeRound(const std::filesystem::path& folder, int version) {
    for (const SavedFile& file : files) {
        content(file, version).saveFile((folder / file.name).string(), file.key, keyLength(file));
    }
}

[[noreturn]] void writeForever(const std::filesystem::path& folder, int firstVersion) {
    for (int version = firstVersion;; ++version)
        writeRound(folder, version);
}

// A kill only stops the process: the kernel keeps what was written, whatever
// the disk. Memory-backed files keep a thousand rounds down to seconds.
std::filesystem::path scratchBase() {
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    return std::filesystem::temp_directory_path();
}

class ScratchFolder {
public:
    ScratchFolder() : path_(scratchBase() / ("quillmere-kill-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_ / "data");
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace

TEST(AtomicSave, FilesSurviveAWriterKilledAtAnyMoment) {
    ScratchFolder dir;
    // Kills spread over two rounds of three saves, however fast the disk is.
    const auto start = std::chrono::steady_clock::now();
    writeRound(dir.path(), 0);
    const auto roundUs = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::steady_clock::now() - start)
                             .count();
    std::mt19937 random(20261209);
    std::uniform_int_distribution<long> delayUs(0, std::max<long>(2 * roundUs, 200));
    int seen[3] = {0, 0, 0};
    int changed = 0;
    for (int kill = 0; kill < 1000; ++kill) {
        const int next = *std::max_element(std::begin(seen), std::end(seen)) + 1;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            writeForever(dir.path(), next);
        ::usleep(static_cast<useconds_t>(delayUs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        for (int f = 0; f < 3; ++f) {
            const SavedFile& file = files[f];
            const std::string path = (dir.path() / file.name).string();
            PropertyFile store;
            ASSERT_TRUE(store.loadFile(path, true, file.key, keyLength(file)))
                << file.name << " unreadable after kill " << kill;
            const int version = store.getInt("version", -1);
            ASSERT_GE(version, seen[f]) << file.name << " went back after kill " << kill;
            ASSERT_EQ(store.all(), content(file, version).all())
                << file.name << " damaged after kill " << kill;
            changed += version != seen[f];
            seen[f] = version;
        }
    }
    // The writer got through many saves between the kills, so kills landed
    // in the middle of writes as well as between them.
    EXPECT_GT(changed, 100);
    // A killed writer leaves at most one temporary file a name behind: the
    // next write clears what the one before left.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(dir.path() / "data"))
        ++entries;
    EXPECT_LE(entries, 6);
}

TEST(AtomicSave, LeftoverTemporaryFilesAreRemovedByTheNextWrite) {
    TempDir dir;
    const std::string path = dir.file("top7.tbl");
    const std::string leftover = dir.write("top7.tbl" + std::string(".tmp.abc123"), "half");
    const std::string other = dir.write("top7.tblx", "another file");
    ASSERT_EQ(AtomicFile::temporaryPrefix(path) + "abc123", leftover);
    ASSERT_TRUE(AtomicFile::write(path, "whole", 5));
    EXPECT_FALSE(std::filesystem::exists(leftover));
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_EQ(std::filesystem::file_size(path), 5u);
}

TEST(AtomicSave, AFailedWriteKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("saved.dat");
    ASSERT_TRUE(AtomicFile::write(path, "old", 3));
    EXPECT_FALSE(AtomicFile::write(dir.file("missing/saved.dat"), "new", 3));
    EXPECT_FALSE(AtomicFile::write(dir.file("") + "/", "new", 3));
    std::filesystem::create_directory(dir.file("folder"));
    EXPECT_FALSE(AtomicFile::write(dir.file("folder"), "new", 3)) << "a folder is not replaced";
    EXPECT_EQ(std::filesystem::file_size(path), 3u);
}
