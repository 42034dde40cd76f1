// libFuzzer target: any high-score file, as it lies on the disk and as the
// text inside a well scrambled one, loads into a table that saves and reads
// back unchanged; a score taken from the bytes enters it exactly as the
// ranking rule says, and the table still comes back whole from its file.
#include "FuzzSupport.h"

#include "persist/PropertyFile.h"
#include "persist/Scrambler.h"
#include "ui/HighScores.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int categoryCount = 2;

using Table = std::vector<HighScores::Entry>;

Table table(const HighScores& scores, int category) {
    Table out;
    for (int i = 0; i < HighScores::entryCount; ++i)
        out.push_back({scores.getName(category, i), scores.getPoints(category, i)});
    return out;
}

bool same(const Table& a, const Table& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].points != b[i].points)
            return false;
    }
    return true;
}

bool same(const HighScores& a, const HighScores& b) {
    if (a.getCategoryCount() != b.getCategoryCount())
        return false;
    for (int c = 0; c < a.getCategoryCount(); ++c) {
        if (!same(table(a, c), table(b, c)))
            return false;
    }
    return true;
}

// Through the store's text, as the file holds it before scrambling.
void checkTextRoundTrip(const HighScores& scores) {
    PropertyFile store;
    scores.save(store);
    const std::string text = store.text();
    PropertyFile again;
    again.loadBuffer(reinterpret_cast<const unsigned char*>(text.data()), text.size(), true);
    HighScores back(categoryCount);
    back.load(again);
    if (!same(scores, back))
        std::abort();
}

void checkFileRoundTrip(const HighScores& scores) {
    const std::string path = FuzzSupport::scratchFile("written.tbl", nullptr, 0);
    if (!scores.saveFile(path))
        std::abort();
    HighScores back(categoryCount);
    if (!back.loadFile(path) || !same(scores, back))
        std::abort();
}

// The score and the name come from the last bytes, so the fuzzer steers them.
int pointsFrom(const std::uint8_t* data, std::size_t size) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4 && i < size; ++i)
        bits = (bits << 8) | data[size - 1 - i];
    int points;
    std::memcpy(&points, &bits, sizeof points);
    return points;
}

std::string nameFrom(const std::uint8_t* data, std::size_t size) {
    const std::size_t length = size > 4 ? (size - 4) % 24 : 0;
    return std::string(reinterpret_cast<const char*>(data) + size - 4 - length, length);
}

// Entry 6 drops out; the new entry stops below every entry with equal or more
// points, and the entries below it move down by one.
void checkAdd(HighScores& scores, int points, const std::string& name) {
    const Table before = table(scores, 0);
    const Table other = table(scores, 1);
    const bool accepted = scores.accepts(0, points);
    if (accepted != (points > before.back().points))
        std::abort();
    scores.add(0, points, name);
    const Table after = table(scores, 0);
    if (!same(table(scores, 1), other))
        std::abort();
    if (!accepted) {
        if (!same(before, after))
            std::abort();
        return;
    }
    std::size_t at = 0;
    while (at < after.size() && !(after[at].points == points && after[at].name == name &&
                                  (at == 0 || before[at - 1].points >= points)))
        ++at;
    if (at == after.size())
        std::abort();
    for (std::size_t j = 0; j < after.size(); ++j) {
        if (j == at)
            continue;
        const HighScores::Entry& was = before[j < at ? j : j - 1];
        if (after[j].name != was.name || after[j].points != was.points)
            std::abort();
        if (j > at && was.points >= points)
            std::abort();
    }
}

void checkOutOfRange(HighScores& scores, int points) {
    const HighScores untouched = scores;
    for (int category : {-1, categoryCount}) {
        if (scores.accepts(category, points))
            std::abort();
        scores.add(category, points, "x");
    }
    if (!same(untouched, scores) || scores.getName(0, HighScores::entryCount) != "Nemo" ||
        scores.getPoints(0, -1) != 0)
        std::abort();
}

void run(const std::string& path, bool mustRead, const std::uint8_t* data, std::size_t size) {
    HighScores scores(categoryCount);
    const bool read = scores.loadFile(path);
    if (mustRead && !read)
        std::abort();
    checkTextRoundTrip(scores);
    checkOutOfRange(scores, pointsFrom(data, size));
    checkAdd(scores, pointsFrom(data, size), nameFrom(data, size));
    // A second score just above the last one always enters.
    const int last = scores.getPoints(0, HighScores::entryCount - 1);
    if (last < 2147483647)
        checkAdd(scores, last + 1, "Nemo");
    checkTextRoundTrip(scores);
    checkFileRoundTrip(scores);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    run(FuzzSupport::scratchFile("top7.tbl", data, size), false, data, size);
    const auto scrambled =
        Scrambler::scramble(data, size, HighScores::fileKey, HighScores::fileKeyLength);
    run(FuzzSupport::scratchFile("top7.tbl", scrambled.data(), scrambled.size()), size != 0, data,
        size);
    return 0;
}
