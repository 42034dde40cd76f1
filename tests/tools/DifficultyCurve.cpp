#include "DifficultyCurve.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <thread>

namespace levelplay {

namespace {

Outcome playOne(const LevelFile& file, int level, Kind kind, int s) {
    // Seeds apart from level to level, so neighbours are not played alike.
    const unsigned seed = static_cast<unsigned>(level * 7919 + s * 104729);
    std::unique_ptr<Player> player;
    if (kind == Kind::LineTaker) {
        player = std::make_unique<LineTaker>(seed ^ 0x5bd1e995u);
    } else {
        player = std::make_unique<CarefulPlayer>(file, seed ^ 0x5bd1e995u);
    }
    return play(file, level, seed, *player);
}

} // namespace

LevelResult measure(const LevelFile& file, int level, Kind kind, int seeds, int threads,
                    int firstSeed) {
    std::vector<Outcome> outcomes(static_cast<std::size_t>(std::max(seeds, 0)));
    auto share = [&](int first, int stride) {
        for (int s = first; s <= seeds; s += stride) {
            outcomes[static_cast<std::size_t>(s - 1)] =
                playOne(file, level, kind, firstSeed - 1 + s);
        }
    };
    threads = std::clamp(threads, 1, std::max(seeds, 1));
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t) {
        workers.emplace_back(share, 1 + t, threads);
    }
    share(1, threads);
    for (std::thread& w : workers) {
        w.join();
    }

    LevelResult result;
    result.level = level;
    std::vector<int> moves;
    for (const Outcome& out : outcomes) {
        ++result.games;
        result.wins += out.complete;
        result.bonusesBeforeMove += out.bonusBeforeMove;
        moves.push_back(out.moves);
    }
    if (!moves.empty()) {
        std::nth_element(moves.begin(), moves.begin() + moves.size() / 2, moves.end());
        result.medianMoves = moves[moves.size() / 2];
    }
    return result;
}

std::vector<std::string> roughSpots(const std::vector<LevelResult>& curve) {
    std::vector<std::string> spots;
    char line[160];
    const int n = static_cast<int>(curve.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && curve[i - 1].level + 1 == curve[i].level &&
            curve[i].medianMoves * 2 < curve[i - 1].medianMoves) {
            std::snprintf(line, sizeof line, "level %d: median moves %d after %d", curve[i].level,
                          curve[i].medianMoves, curve[i - 1].medianMoves);
            spots.push_back(line);
        }
        for (int reach : {1, 2}) {
            if (i - reach < 0 || i + reach >= n ||
                curve[i + reach].level - curve[i - reach].level != 2 * reach) {
                continue;
            }
            double around = 0;
            for (int k = 1; k <= reach; ++k) {
                around += curve[i - k].winRate() + curve[i + k].winRate();
            }
            around /= 2 * reach;
            if (std::abs(curve[i].winRate() - around) > 20.0) {
                std::snprintf(line, sizeof line, "level %d: %.0f%% won against %.0f%% around it",
                              curve[i].level, curve[i].winRate(), around);
                spots.push_back(line);
            }
        }
    }
    return spots;
}

std::string table(const std::vector<LevelResult>& lineTaker,
                  const std::vector<LevelResult>& careful) {
    std::string text = "level  line taker: won% moves   careful: won% moves\n";
    char line[96];
    for (std::size_t i = 0; i < std::max(lineTaker.size(), careful.size()); ++i) {
        const LevelResult* a = i < lineTaker.size() ? &lineTaker[i] : nullptr;
        const LevelResult* b = i < careful.size() ? &careful[i] : nullptr;
        std::snprintf(line, sizeof line, "%5d  %16.0f %5d   %13.0f %5d\n", (a ? a : b)->level,
                      a ? a->winRate() : -1.0, a ? a->medianMoves : -1, b ? b->winRate() : -1.0,
                      b ? b->medianMoves : -1);
        text += line;
    }
    return text;
}

} // namespace levelplay
