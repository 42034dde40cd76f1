#pragma once

// Ids of the sound effects the board plays (registered by the game's
// resources with the sound manager).
namespace SoundIds {
constexpr int glassBreaks = 101;
constexpr int waterDrop = 103;
constexpr int bowl = 105;
} // namespace SoundIds
