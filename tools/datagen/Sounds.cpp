#include "DataTree.h"
#include "Generators.h"

void addSounds(DataTree&) {}
