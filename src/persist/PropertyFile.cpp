#include "persist/PropertyFile.h"

#include "persist/ResourceManager.h"
#include "persist/AtomicFile.h"
#include "persist/Scrambler.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool isSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Bytes escaped inside an encoded value: the escape itself, what the reader
// takes as whitespace, and the slash (so no comment can start).
bool needsEscape(unsigned char c) {
    return c == '%' || c == '/' || isSpace(c);
}

int hexValue(unsigned char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Whether the plain format reads this value back as it was written.
bool plainFormatHolds(const std::string& value) {
    if (value.empty() || value.front() == '"')
        return false;
    if (value.find_first_of("\t\r\n") != std::string::npos || value.find("//") != std::string::npos)
        return false;
    return value.find(' ') == std::string::npos || value.find('"') == std::string::npos;
}

void appendValue(std::string& out, const std::string& value) {
    if (plainFormatHolds(value)) {
        const bool quoted = value.find(' ') != std::string::npos;
        if (quoted)
            out += '"';
        out += value;
        if (quoted)
            out += '"';
        return;
    }
    static const char digits[] = "0123456789ABCDEF";
    out += "\"\"";
    for (unsigned char c : value) {
        if (needsEscape(c)) {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
}

std::string decode(const char* begin, const char* end) {
    std::string value;
    value.reserve(static_cast<std::size_t>(end - begin));
    for (const char* p = begin; p < end; ++p) {
        if (*p == '%' && end - p >= 3) {
            const int high = hexValue(static_cast<unsigned char>(p[1]));
            const int low = hexValue(static_cast<unsigned char>(p[2]));
            if (high >= 0 && low >= 0) {
                value += static_cast<char>(high * 16 + low);
                p += 2;
                continue;
            }
        }
        value += *p;
    }
    return value;
}

// Blanks every "//" comment up to the end of its line, inside quotes too.
void blankComments(std::string& buffer) {
    char* p = buffer.data();
    char* const end = p + buffer.size();
    while (end - p >= 2) {
        char* slash =
            static_cast<char*>(std::memchr(p, '/', static_cast<std::size_t>(end - p - 1)));
        if (!slash)
            return;
        if (slash[1] != '/') {
            p = slash + 1;
            continue;
        }
        char* lineEnd =
            static_cast<char*>(std::memchr(slash, '\n', static_cast<std::size_t>(end - slash)));
        if (!lineEnd)
            lineEnd = end;
        std::memset(slash, ' ', static_cast<std::size_t>(lineEnd - slash));
        p = lineEnd;
    }
}

} // namespace

bool PropertyFile::loadFile(const std::string& path, bool clearFirst, const char* key,
                            int keyLength) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        return false;
    return loadBuffer(bytes.data(), bytes.size(), clearFirst, key, keyLength);
}

bool PropertyFile::loadResource(const ResourceManager* pack, const std::string& name,
                                bool clearFirst, const char* key, int keyLength) {
    if (!pack)
        return loadBuffer(nullptr, 0, clearFirst, key, keyLength);
    const FileData data = pack->readFile(name);
    return loadBuffer(data.data(), data.size, clearFirst, key, keyLength);
}

bool PropertyFile::loadBuffer(const unsigned char* bytes, std::size_t length, bool clearFirst,
                              const char* key, int keyLength) {
    std::string buffer;
    if (key) {
        const std::vector<unsigned char> plain =
            Scrambler::unscramble(bytes, length, key, keyLength > 0 ? std::size_t(keyLength) : 0);
        if (plain.empty())
            return false;
        buffer.assign(plain.begin(), plain.end());
    } else if (bytes) {
        buffer.assign(reinterpret_cast<const char*>(bytes), length);
    }
    if (clearFirst)
        clear();
    blankComments(buffer);
    parse(buffer);
    return true;
}

void PropertyFile::parse(std::string& buffer) {
    const char* p = buffer.data();
    const char* const end = p + buffer.size();
    auto skipSpace = [&] {
        while (p < end && isSpace(static_cast<unsigned char>(*p)))
            ++p;
    };
    auto token = [&] {
        const char* start = p;
        while (p < end && !isSpace(static_cast<unsigned char>(*p)))
            ++p;
        return start;
    };
    for (;;) {
        skipSpace();
        if (p == end)
            return;
        const char* keyStart = token();
        std::string key(keyStart, p);
        skipSpace();
        std::string value;
        if (p < end && *p == '"') {
            if (end - p > 2 && p[1] == '"' && !isSpace(static_cast<unsigned char>(p[2]))) {
                p += 2;
                const char* start = token();
                value = decode(start, p);
            } else {
                const char* start = ++p;
                while (p < end && *p != '"')
                    ++p;
                value.assign(start, p);
                if (p < end)
                    ++p;
            }
        } else {
            const char* start = token();
            value.assign(start, p);
        }
        entries[std::move(key)] = std::move(value);
    }
}

std::string PropertyFile::text() const {
    std::string out;
    for (const auto& [key, value] : entries) {
        out += key;
        out += ' ';
        appendValue(out, value);
        out += '\n';
    }
    return out;
}

bool PropertyFile::saveFile(const std::string& path, const char* key, int keyLength) const {
    const std::string plain = text();
    if (!key)
        return AtomicFile::write(path, plain.data(), plain.size());
    const std::vector<unsigned char> scrambled =
        Scrambler::scramble(reinterpret_cast<const unsigned char*>(plain.data()), plain.size(), key,
                            keyLength > 0 ? std::size_t(keyLength) : 0);
    // An empty store or an empty key cannot be scrambled; the file is then
    // written empty, which a keyed load rejects like a missing file.
    return AtomicFile::write(path, scrambled.data(), scrambled.size());
}

std::string PropertyFile::getString(const std::string& key, const std::string& defaultValue) const {
    auto it = entries.find(key);
    return it == entries.end() ? defaultValue : it->second;
}

namespace {

// Reads a stored value with one scanf conversion; the default when the key is
// absent or the value does not start with what the conversion reads.
template <typename T>
T scanValue(const std::map<std::string, std::string>& entries, const std::string& key,
            const char* conversion, T defaultValue) {
    auto it = entries.find(key);
    T value{};
    if (it == entries.end() || std::sscanf(it->second.c_str(), conversion, &value) != 1)
        return defaultValue;
    return value;
}

} // namespace

int PropertyFile::getInt(const std::string& key, int defaultValue) const {
    return scanValue(entries, key, "%d", defaultValue);
}

bool PropertyFile::getBool(const std::string& key, bool defaultValue) const {
    return scanValue(entries, key, "%d", defaultValue ? 1 : 0) != 0;
}

float PropertyFile::getFloat(const std::string& key, float defaultValue) const {
    return scanValue(entries, key, "%f", defaultValue);
}

void PropertyFile::setInt(const std::string& key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%i", value);
    entries[key] = text;
}
