#pragma once

#include "Picture.h"

#include <string>
#include <utility>
#include <vector>

// One PNG showing every picture of the game, each labelled with its file
// name, for reviewing the art at a glance.
Picture contactSheet(const std::vector<std::pair<std::string, Picture>>& pictures);
