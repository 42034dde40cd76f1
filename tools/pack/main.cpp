// quillmere-pack: creates, lists and extracts the game's resource packs.
//
//   quillmere-pack create PACK DIR    pack every file below DIR
//   quillmere-pack list PACK          one line per entry: size, flag, name
//   quillmere-pack extract PACK DIR   write every entry below DIR

#include "persist/PackDirectory.h"
#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"
#include "pack/PackWriter.h"
#include "persist/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* program = "quillmere-pack";

int usage() {
    std::fprintf(stderr,
                 "usage: %s create PACK DIR\n"
                 "       %s list PACK\n"
                 "       %s extract PACK DIR\n",
                 program, program, program);
    return 2;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", program, message.c_str());
    return 1;
}

// The name the game looks a file up by: lower case, "/" separators.
std::string lookupName(std::string name) {
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        else if (c == '\\')
            c = '/';
    }
    return name;
}

bool readWholeFile(const fs::path& path, std::vector<unsigned char>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

int create(const std::string& packPath, const std::string& dir) {
    std::error_code error;
    if (!fs::is_directory(dir, error))
        return fail(dir + ": not a directory");
    std::vector<fs::path> files;
    for (fs::recursive_directory_iterator it(dir, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error) && !fs::equivalent(it->path(), packPath, error))
            files.push_back(it->path());
        error.clear();
    }
    if (error)
        return fail(dir + ": " + error.message());
    std::sort(files.begin(), files.end());

    PackWriter writer;
    std::set<std::string> seen;
    for (const fs::path& file : files) {
        const std::string relative = fs::relative(file, dir).generic_string();
        if (relative.find('\\') != std::string::npos)
            return fail(file.string() + ": a backslash in a file name cannot be packed");
        std::string name = relative;
        std::replace(name.begin(), name.end(), '/', '\\');
        if (name.size() > PackFormat::maxNameLength)
            return fail(file.string() + ": name longer than " +
                        std::to_string(PackFormat::maxNameLength) + " bytes");
        if (!seen.insert(lookupName(name)).second)
            return fail(file.string() + ": another file differs from it only in letter case");
        std::vector<unsigned char> bytes;
        if (!readWholeFile(file, bytes))
            return fail(file.string() + ": cannot read: " + std::strerror(errno));
        if (!writer.add(name, bytes.data(), bytes.size()))
            return fail(file.string() + ": the pack would exceed 4 GB");
    }
    if (!writer.write(packPath))
        return fail(packPath + ": cannot write: " + std::strerror(errno));
    return 0;
}

// Reads the directory, reporting what is wrong with the file.
bool readDirectory(const std::string& packPath, std::vector<FileData>& entries,
                   std::vector<std::string>& names) {
    errno = 0;
    const PackDirectory::Result result = PackDirectory::read(packPath, entries, names);
    const std::string place = result.damagedEntry == 0
                                  ? std::string("the header")
                                  : "entry " + std::to_string(result.damagedEntry) + " of " +
                                        std::to_string(result.declaredCount);
    switch (result.status) {
    case PackDirectory::Status::ok:
        return true;
    case PackDirectory::Status::cannotOpen:
        fail(packPath + ": cannot open: " + std::strerror(errno ? errno : ENOENT));
        return false;
    case PackDirectory::Status::notAPack:
        fail(packPath + ": not a resource pack");
        return false;
    case PackDirectory::Status::truncated:
        fail(packPath + ": damaged pack: the file ends inside " + place);
        return false;
    case PackDirectory::Status::nameTooLong:
        fail(packPath + ": damaged pack: " + place + " has a name longer than " +
             std::to_string(PackFormat::maxNameLength) + " bytes");
        return false;
    }
    return false;
}

int list(const std::string& packPath) {
    std::vector<FileData> entries;
    std::vector<std::string> names;
    if (!readDirectory(packPath, entries, names))
        return 1;
    for (std::size_t i = 0; i < entries.size(); ++i)
        std::printf("%10u  %c  %s\n", entries[i].size, entries[i].scrambled, names[i].c_str());
    return 0;
}

// A stored name as a path below the target folder, or empty when it would
// leave the folder or has no file name.
fs::path safeRelativePath(const std::string& name) {
    fs::path path;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == ".." || part.find('\0') != std::string::npos)
            return {};
        path /= part;
        start = end + 1;
    }
    return path;
}

int extract(const std::string& packPath, const std::string& dir) {
    std::vector<FileData> entries;
    std::vector<std::string> names;
    if (!readDirectory(packPath, entries, names))
        return 1;
    ResourceManager* pack = ResourceManager::create("extract");
    pack->setPassword(PackFormat::gamePassword);
    pack->open(packPath);
    if (pack->directory().size() != names.size())
        return fail(packPath + ": changed while it was read");

    // Check every name before writing anything.
    std::vector<fs::path> targets;
    for (const std::string& name : names) {
        const fs::path relative = safeRelativePath(name);
        if (relative.empty())
            return fail(packPath + ": unsafe entry name \"" + name + "\"");
        targets.push_back(fs::path(dir) / relative);
    }
    std::set<std::string> written;
    for (std::size_t i = 0; i < names.size(); ++i) {
        // The game reads the first of equal names; so does extract.
        if (!written.insert(lookupName(names[i])).second) {
            std::fprintf(stderr, "%s: %s: skipping duplicate entry \"%s\"\n", program,
                         packPath.c_str(), names[i].c_str());
            continue;
        }
        const FileData data = pack->readEntry(i);
        if (data.size != pack->directory()[i].size)
            return fail(packPath + ": entry \"" + names[i] + "\" cannot be read whole");
        std::error_code error;
        fs::create_directories(targets[i].parent_path(), error);
        if (error)
            return fail(targets[i].parent_path().string() + ": " + error.message());
        if (!AtomicFile::write(targets[i].string(), data.data(), data.size))
            return fail(targets[i].string() + ": cannot write: " + std::strerror(errno));
    }
    ResourceManager::destroy("extract");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    if (command == "create" && argc == 4)
        return create(argv[2], argv[3]);
    if (command == "list" && argc == 3)
        return list(argv[2]);
    if (command == "extract" && argc == 4)
        return extract(argv[2], argv[3]);
    return usage();
}
