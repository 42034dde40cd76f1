#include "board/LevelFile.h"

#include "persist/ResourceManager.h"

#include <climits>
#include <cstdio>

namespace {

// Ordinary colours are 0 to colours - 1; 13 to 15 are the special balls.
constexpr int maxColours = 13;
// The conversion buffer of one number holds 31 characters and a terminator.
constexpr std::size_t maxNumberText = 31;

bool isDigit(unsigned char ch) {
    return ch >= '0' && ch <= '9';
}

// Converts the leading digits like "%d" does, saturating instead of
// overflowing.
int leadingNumber(const unsigned char* text, std::size_t length) {
    long long value = 0;
    for (std::size_t i = 0; i < length && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) {
            return INT_MAX;
        }
    }
    return static_cast<int>(value);
}

} // namespace

std::optional<LevelFile> LevelFile::parse(const unsigned char* bytes, std::size_t size) {
    if (bytes == nullptr) {
        return std::nullopt;
    }
    int numbers[6] = {};
    std::size_t pos = 0;
    for (int& number : numbers) {
        if (pos >= size || !isDigit(bytes[pos])) {
            return std::nullopt;
        }
        // A number's text runs up to the first character below '0'.
        std::size_t end = pos;
        while (end < size && bytes[end] >= '0') {
            ++end;
        }
        std::size_t length = end - pos;
        number = leadingNumber(bytes + pos, length < maxNumberText ? length : maxNumberText);
        pos = end + 2; // skip the CR LF
    }

    LevelFile level;
    level.colours = numbers[0];
    level.fillPercent = numbers[1];
    level.unused = numbers[2];
    level.jokerPercent = numbers[3];
    level.rows = numbers[4];
    level.columns = numbers[5];
    if (pos < size) {
        if (size - pos > maxMapBytes) {
            return std::nullopt;
        }
        level.map.assign(reinterpret_cast<const char*>(bytes + pos), size - pos);
    }
    if (!level.isValid()) {
        return std::nullopt;
    }
    return level;
}

bool LevelFile::isValid() const {
    return colours >= 1 && colours <= maxColours && rows >= 0 && rows <= maxSide && columns >= 0 &&
           columns <= maxSide && map.size() <= maxMapBytes;
}

std::optional<LevelFile> LevelFile::parse(const std::string& text) {
    return parse(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

LevelFile LevelFile::fallback() {
    LevelFile level;
    level.colours = 5;
    level.fillPercent = 20;
    level.unused = 0;
    level.jokerPercent = 0;
    level.rows = 9;
    level.columns = 9;
    level.map.assign(9 * 9, '0'); // more than the 61 positions: every one a cell
    return level;
}

std::string LevelFile::fileName(int level) {
    char name[40];
    std::snprintf(name, sizeof name, "levels/level%03d.txt", level);
    return name;
}

LevelFile LevelFile::read(int level) {
    std::string name = fileName(level);
    std::optional<LevelFile> parsed;
    if (const ResourceManager* resources = ResourceManager::get("main")) {
        FileData data = resources->readFile(name);
        parsed = parse(data.data(), data.size);
    }
    if (!parsed) {
        std::fprintf(stderr, "Cannot use the level file %s; playing an empty board instead\n",
                     name.c_str());
        return fallback();
    }
    return *parsed;
}
