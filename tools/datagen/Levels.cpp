#include "DataTree.h"
#include "Generators.h"
#include "LevelDesign.h"

#include <cstdio>

void addLevels(DataTree& tree) {
    for (const LevelPlan& level : LevelDesign::all()) {
        char name[32];
        std::snprintf(name, sizeof name, "levels/level%03d.txt", level.number);
        tree.addPacked(name, level.fileText());
    }
}
