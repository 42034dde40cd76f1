#pragma once

#include <functional>
#include <string>

struct Ball;
struct CellBack;
class Field;

// Pieces of the board's drawing kept apart from the rules.
namespace FieldDrawing {

// Whether unfilled cells flash red after idleMs without a move: from 18 s
// for 2 s (201 ms on, 199 ms off), again every 20 s.
bool isBlinkOn(int idleMs);
// A level time as hours:minutes:seconds without leading zeros ("1:2:5").
std::string levelTime(int ms);

void forEachCellBack(const Field& field, const std::function<void(const CellBack&)>& visit);
void forEachBall(const Field& field, const std::function<void(const Ball&)>& visit);
// The dynamite filling with the chain and the moves still needed beside it.
void drawChainMeter(const Field& field);

} // namespace FieldDrawing
