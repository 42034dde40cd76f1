#include "persist/Scrambler.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes textOf(std::size_t n, unsigned salt) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<unsigned char>((i * 131 + salt * 17 + (i >> 3)) & 0xff);
    return b;
}

Bytes scramble(const Bytes& plain, const std::string& key) {
    return Scrambler::scramble(plain.data(), plain.size(), key.data(), key.size());
}

Bytes unscramble(const Bytes& data, const std::string& key) {
    return Scrambler::unscramble(data.data(), data.size(), key.data(), key.size());
}

TEST(Scrambler, RoundTripsEveryLengthUpTo300WithShortAndLongKeys) {
    FakeClock clock;
    std::string longKey;
    for (int i = 0; i < 301; ++i)
        longKey += char(i * 37 + 11);
    const std::vector<std::string> keys = {"q", "qim", "lorvendax&*!", "zpvrta#&%8172", longKey};
    for (std::size_t n = 1; n <= 300; ++n) {
        clock.now = unsigned(n * 7919);
        const Bytes plain = textOf(n, unsigned(n));
        for (const std::string& key : keys) {
            const Bytes scrambled = scramble(plain, key);
            ASSERT_EQ(scrambled.size(), n + 1);
            ASSERT_LT(scrambled[0], n <= 100 ? n : 100);
            ASSERT_EQ(unscramble(scrambled, key), plain)
                << "length " << n << ", key " << key.size();
        }
    }
}

TEST(Scrambler, TheOffsetStaysBelowTheLengthAndBelow100) {
    FakeClock clock;
    std::set<int> small, large;
    for (unsigned t = 0; t < 2000; ++t) {
        clock.now = t * 13;
        small.insert(scramble(textOf(5, t), "qim")[0]);
        large.insert(scramble(textOf(1000, t), "qim")[0]);
    }
    EXPECT_EQ(small, (std::set<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(*large.begin(), 0);
    EXPECT_EQ(*large.rbegin(), 99);
}

TEST(Scrambler, ChainsEachByteFromTheOffsetWithTheKeyAtItsOutputPosition) {
    FakeClock clock;
    const Bytes plain = {'a', 'b', 'c', 'd', 'e'};
    const std::string key = "xyz";
    Bytes zeroOffset, otherOffset;
    for (clock.now = 0; clock.now < 1000 && (zeroOffset.empty() || otherOffset.empty());
         ++clock.now) {
        Bytes s = scramble(plain, key);
        (s[0] == 0 ? zeroOffset : otherOffset) = s;
    }
    ASSERT_FALSE(zeroOffset.empty());
    ASSERT_FALSE(otherOffset.empty());

    // With r = 0 the rotated text is the plain text: S[i] = ((P ^ S[i-1]) ^ K[i % 3]) + S[i-1].
    Bytes expected = {0};
    for (std::size_t i = 1; i <= plain.size(); ++i)
        expected.push_back(static_cast<unsigned char>(
            ((plain[i - 1] ^ expected[i - 1]) ^ key[i % key.size()]) + expected[i - 1]));
    EXPECT_EQ(zeroOffset, expected);

    // Otherwise the text starts at byte r.
    const unsigned r = otherOffset[0];
    const unsigned char first =
        static_cast<unsigned char>(((plain[r] ^ r) ^ static_cast<unsigned char>(key[1])) + r);
    EXPECT_EQ(otherOffset[1], first);
    EXPECT_EQ(unscramble(otherOffset, key), plain);
    EXPECT_NE(otherOffset, zeroOffset);
}

TEST(Scrambler, ReseedsTheGameGeneratorFromTheClock) {
    FakeClock clock;
    const Bytes plain = textOf(80, 1);
    clock.now = 4242;
    const Bytes first = scramble(plain, "qim");
    clock.now = 4242;
    EXPECT_EQ(scramble(plain, "qim"), first);
}

TEST(Scrambler, RejectsDataItCannotHaveWritten) {
    const std::string key = "lorvendax&*!";
    EXPECT_TRUE(unscramble({}, key).empty());
    EXPECT_TRUE(unscramble({0}, key).empty());
    EXPECT_TRUE(unscramble({0x80, 1, 2, 3}, key).empty()) << "negative offset";
    EXPECT_TRUE(unscramble({0xff, 1, 2, 3}, key).empty()) << "negative offset";
    EXPECT_TRUE(unscramble({4, 1, 2, 3}, key).empty()) << "offset equal to the length";
    EXPECT_TRUE(unscramble({9, 1, 2, 3}, key).empty()) << "offset beyond the length";
    EXPECT_TRUE(unscramble({0, 1, 2, 3}, "").empty()) << "no key";
    EXPECT_TRUE(scramble({}, key).empty());
    EXPECT_TRUE(scramble({1}, "").empty());
    // An offset of the text's own length is a full rotation: read, not overrun.
    EXPECT_EQ(unscramble({3, 1, 2, 3}, key).size(), 3u);
    EXPECT_EQ(unscramble({0, 7}, key).size(), 1u);
}

} // namespace
