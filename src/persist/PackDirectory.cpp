#include "persist/PackDirectory.h"

#include "persist/PackFormat.h"

#include <cstdio>
#include <limits>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool readUint32(std::FILE* f, std::uint32_t& value) {
    unsigned char b[4];
    if (std::fread(b, 1, 4, f) != 4)
        return false;
    value = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    return true;
}

} // namespace

PackDirectory::Result PackDirectory::read(const std::string& path, std::vector<FileData>& entries,
                                          std::vector<std::string>& names) {
    Result result;
    entries.clear();
    names.clear();
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return result;
    std::FILE* f = file.get();
    if (std::fseek(f, 0, SEEK_END) != 0 || std::ftell(f) < 0) {
        return result;
    }
    result.fileSize = static_cast<std::uint64_t>(std::ftell(f));
    std::rewind(f);

    char magic[2];
    if (std::fread(magic, 1, 2, f) != 2 || magic[0] != PackFormat::magic[0] ||
        magic[1] != PackFormat::magic[1]) {
        result.status = Status::notAPack;
        return result;
    }
    if (!readUint32(f, result.declaredCount)) {
        result.status = Status::truncated;
        return result;
    }

    std::uint64_t position = 6;
    for (std::uint32_t i = 0; i < result.declaredCount; ++i) {
        result.damagedEntry = i + 1;
        std::uint32_t nameLength = 0;
        if (!readUint32(f, nameLength)) {
            result.status = Status::truncated;
            return result;
        }
        if (nameLength > PackFormat::maxNameLength) {
            result.status = Status::nameTooLong;
            return result;
        }
        std::string name(nameLength, '\0');
        std::uint32_t size = 0;
        int flag = EOF;
        if (std::fread(name.data(), 1, nameLength, f) != nameLength || !readUint32(f, size) ||
            (flag = std::fgetc(f)) == EOF) {
            result.status = Status::truncated;
            return result;
        }
        position += 4 + nameLength + 4 + 1;
        if (position > std::numeric_limits<std::uint32_t>::max()) {
            result.status = Status::truncated;
            return result;
        }
        FileData record;
        record.size = size;
        record.offset = static_cast<std::uint32_t>(position);
        record.scrambled = static_cast<char>(flag);
        entries.push_back(std::move(record));
        names.push_back(std::move(name));
        position += size;
        if (position > result.fileSize) {
            result.status = Status::truncated;
            return result;
        }
        if (std::fseek(f, static_cast<long>(position), SEEK_SET) != 0) {
            result.status = Status::truncated;
            return result;
        }
    }
    result.status = Status::ok;
    result.damagedEntry = 0;
    return result;
}
