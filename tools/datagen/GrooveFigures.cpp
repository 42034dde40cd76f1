#include "GrooveFigures.h"

const GrooveFigures& GrooveFigures::of(TuneStyle::Groove groove) {
    static const GrooveFigures table[] = {
        // Waltz
        {"R-------F---", "R-------F-T-", "x-----------", "----g---g---", "--x---x---x-"},
        // Pop
        {"R-.R-.O-R-.R-.F-", "R-.R-.O-R-.RO-A-", "x-----x-x-----x-", "----x-------x---",
         "x-x-x-x-x-x-x-o-"},
        // Drive
        {"R.R.R.R.R.R.R.A.", "R.RRR.R.R.RRO.A.", "x---x---x---x---", "----x-------x--g",
         "gxgxgxgxgxgxgxgo"},
        // Swing
        {"R---T---F---A---", "R---T---F-O-A---", "x---------x-----", "----x---g---x---",
         "x-x-x-x-x-x-x-x-"},
        // HalfTime
        {"R-------.-R-O---", "R-----.RO-.-R-A-", "x---------x--x--", "--------x-------",
         "x-x-x-x-x-x-x-o-"},
    };
    return table[static_cast<int>(groove)];
}
