#include "DataTree.h"
#include "Generators.h"
#include "SoundDesign.h"
#include "WaveFile.h"

void addSounds(DataTree& tree) {
    for (const auto& effect : SoundDesign::all()) {
        tree.addLoose(effect.file, WaveFile::encode(effect.samples, SoundDesign::rate));
    }
}
