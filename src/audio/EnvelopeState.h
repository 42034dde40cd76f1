#pragma once

struct Envelope;

// Where a channel stands in one envelope. The value is kept in 16.16 fixed
// point; the position counts ticks.
struct EnvelopeState {
    int position = 0;
    int point = 0;
    int value = 0;
    int slope = 0;
    bool finished = false;

    void reset(int y);
    // One tick of the envelope.
    void step(const Envelope& envelope, bool keyOff);
    // Moves to tick x of the envelope (effect L).
    void jumpTo(const Envelope& envelope, int x);
    int output() const;
};
