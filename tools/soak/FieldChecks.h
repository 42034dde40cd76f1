#pragma once

#include <string>
#include <vector>

class Field;

namespace soak {

// What must hold of a field after every update, whatever was played: every
// ball lies on a cell and no two share one, a resting ball sits at its
// cell's centre, every next ball waits over a cell of its own, and every
// cell has a background of one of the four fills. Appends one line per
// broken rule.
void checkField(const Field& field, std::vector<std::string>& failures);

} // namespace soak
