#include "audio/PeriodTable.h"

#include <cmath>
#include <cstdlib>

int PeriodTable::amiga(int n) {
    return static_cast<int>(std::pow(2.0, (132 - n) / 12.0) * 13.375);
}

int PeriodTable::notePeriod(int n, int finetune, bool linear) {
    if (linear) {
        return 7680 - 64 * n - finetune / 2;
    }
    const int p = amiga(n);
    if (finetune < 0 && n > 0) {
        return p + std::abs(finetune) * (amiga(n - 1) - p) / 128;
    }
    return p - finetune * (p - amiga(n + 1)) / 128;
}

int PeriodTable::frequency(int period, bool linear) {
    if (!linear) {
        return 14317056 / period;
    }
    // Far out of range periods (endless slides) must not overflow.
    const double f = std::pow(2.0, (4608.0 - period) / 768.0) * 8363.0;
    return f >= 2.0e9 ? 2000000000 : static_cast<int>(f);
}

std::int64_t PeriodTable::step(int frequency, int rate) {
    if (frequency < 100) {
        frequency = 100;
    }
    return (static_cast<std::int64_t>(frequency) << 32) / rate;
}
