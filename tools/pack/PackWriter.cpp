#include "pack/PackWriter.h"

#include "persist/PackCipher.h"
#include "persist/AtomicFile.h"

#include <cstdint>
#include <limits>

namespace {

void appendUint32(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

} // namespace

PackWriter::PackWriter(std::string password) : password(std::move(password)) {}

bool PackWriter::add(const std::string& name, const unsigned char* data, std::size_t size,
                     bool scrambled) {
    if (name.empty() || name.size() > PackFormat::maxNameLength)
        return false;
    const std::size_t entrySize = 4 + name.size() + 4 + 1 + size;
    // Offsets and sizes are 32-bit in the file.
    if (size > std::numeric_limits<std::uint32_t>::max() ||
        totalSize + entrySize > std::numeric_limits<std::uint32_t>::max())
        return false;
    Entry entry{name, std::vector<unsigned char>(data, data + size),
                scrambled ? PackFormat::scrambledFlag : PackFormat::plainFlag};
    if (scrambled)
        PackCipher::apply(entry.data.data(), entry.data.size(), password);
    entries.push_back(std::move(entry));
    totalSize += entrySize;
    return true;
}

bool PackWriter::add(const std::string& name, const std::string& data, bool scrambled) {
    return add(name, reinterpret_cast<const unsigned char*>(data.data()), data.size(), scrambled);
}

std::vector<unsigned char> PackWriter::bytes() const {
    std::vector<unsigned char> out;
    out.reserve(totalSize);
    out.push_back(static_cast<unsigned char>(PackFormat::magic[0]));
    out.push_back(static_cast<unsigned char>(PackFormat::magic[1]));
    appendUint32(out, static_cast<std::uint32_t>(entries.size()));
    for (const Entry& entry : entries) {
        appendUint32(out, static_cast<std::uint32_t>(entry.name.size()));
        out.insert(out.end(), entry.name.begin(), entry.name.end());
        appendUint32(out, static_cast<std::uint32_t>(entry.data.size()));
        out.push_back(static_cast<unsigned char>(entry.flag));
        out.insert(out.end(), entry.data.begin(), entry.data.end());
    }
    return out;
}

bool PackWriter::write(const std::string& path) const {
    const std::vector<unsigned char> pack = bytes();
    return AtomicFile::write(path, pack.data(), pack.size());
}
