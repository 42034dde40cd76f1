#include "persist/ResourceManager.h"

#include "persist/PackCipher.h"
#include "persist/PackDirectory.h"
#include "platform/GameFolders.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <sys/stat.h>

namespace {

std::map<std::string, std::unique_ptr<ResourceManager>>& registry() {
    static std::map<std::string, std::unique_ptr<ResourceManager>> managers;
    return managers;
}

std::string lowerCase(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string replaced(std::string s, char from, char to) {
    std::replace(s.begin(), s.end(), from, to);
    return s;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Reads up to `size` bytes at `offset`: a file that ends (or shrank) before
// gives what it holds, so a damaged size never allocates more than the file.
FileData readBytes(std::FILE* f, std::uint32_t offset, std::uint32_t size) {
    FileData data;
    data.offset = offset;
    if (std::fseek(f, 0, SEEK_END) != 0)
        return data;
    const long end = std::ftell(f);
    if (end <= static_cast<long>(offset))
        return data;
    size = static_cast<std::uint32_t>(std::min<long>(size, end - static_cast<long>(offset)));
    if (size == 0 || std::fseek(f, static_cast<long>(offset), SEEK_SET) != 0)
        return data;
    data.bytes.reset(new unsigned char[size]);
    data.size = static_cast<std::uint32_t>(std::fread(data.bytes.get(), 1, size, f));
    if (data.size == 0)
        data.bytes.reset();
    return data;
}

FileData readDiskFile(const std::string& name) {
    const std::string path = platform::GameFolders::dataPath(name);
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > 0xffffffffLL)
        return {};
    File file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return {};
    return readBytes(file.get(), 0, static_cast<std::uint32_t>(info.st_size));
}

} // namespace

ResourceManager* ResourceManager::create(const std::string& name) {
    auto& slot = registry()[name];
    slot.reset(new ResourceManager());
    return slot.get();
}

ResourceManager* ResourceManager::get(const std::string& name) {
    auto it = registry().find(name);
    return it == registry().end() ? nullptr : it->second.get();
}

void ResourceManager::destroy(const std::string& name) {
    registry().erase(name);
}

void ResourceManager::open(const std::string& name) {
    const std::string path = platform::GameFolders::dataPath(name);
    std::vector<FileData> readEntries;
    std::vector<std::string> readNames;
    const auto result = PackDirectory::read(path, readEntries, readNames);
    if (result.status == PackDirectory::Status::cannotOpen)
        return;
    // Whatever the file holds, the old directory no longer describes packPath.
    packPath = path;
    entries = std::move(readEntries);
    names.clear();
    backslashNames.clear();
    slashNames.clear();
    for (const std::string& name : readNames) {
        names.push_back(lowerCase(name));
        backslashNames.push_back(replaced(names.back(), '/', '\\'));
        slashNames.push_back(replaced(names.back(), '\\', '/'));
    }
}

int ResourceManager::find(const std::string& lowerName) const {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (backslashNames[i] == lowerName || slashNames[i] == lowerName)
            return static_cast<int>(i);
    return -1;
}

FileData ResourceManager::readEntry(std::size_t index) const {
    if (index >= entries.size())
        return {};
    const FileData& entry = entries[index];
    File file(std::fopen(packPath.c_str(), "rb"));
    if (!file)
        return {};
    FileData data = readBytes(file.get(), entry.offset, entry.size);
    data.offset = entry.offset;
    data.scrambled = entry.scrambled;
    if (entry.scrambled == 'y')
        PackCipher::apply(data.bytes.get(), data.size, password);
    return data;
}

FileData ResourceManager::readFile(const std::string& name) const {
    const std::string request = lowerCase(name);
    const int index = find(request);
    if (index >= 0)
        return readEntry(static_cast<std::size_t>(index));
    // The data names are written for a case-blind file system with either
    // separator: try the lower-cased name first, then the name as given.
    FileData data = readDiskFile(replaced(request, '\\', '/'));
    if (data.empty() && request != name)
        data = readDiskFile(replaced(name, '\\', '/'));
    return data;
}
