#pragma once

// Helpers shared by the fuzz targets.
#include <cstddef>
#include <cstdint>
#include <string>

class Field;

namespace FuzzSupport {

// Writes the bytes to a file of this name in a folder of the process's own
// and answers its path, for loaders that only read from the disk.
std::string scratchFile(const std::string& name, const std::uint8_t* data, std::size_t size);

// Decodes a picture through Image as a texture would, and stops the run
// when what comes out does not hold the pixels its size announces.
void checkPicture(const std::string& fileName, const std::uint8_t* data, std::size_t size);

// The process-wide objects the board rules reach for: a fresh effect layer
// for every input, and the silent sound manager.
void prepareBoard();

// Runs the field's updates until it is in play, then plays up to `moves`
// moves chosen from the bytes (a ball and a target cell each), updating after
// every move until it settles. Every loop is bounded, whatever the field does.
void play(Field& field, const std::uint8_t* choices, std::size_t size, int moves);

} // namespace FuzzSupport
