#pragma once

#include <array>
#include <vector>

// A key: a tonic and a mode, with its scale tones and the triads built on
// each degree. Notes are tracker note numbers (0 = C-0, 48 = C-4).
class Harmony {
public:
    enum class Mode { Major, Minor, Dorian, Mixolydian, HarmonicMinor, Lydian };

    Harmony(int tonic, Mode mode);

    int tonic() const { return tonic_; }
    Mode mode() const { return mode_; }
    // The note of a scale degree (0 = tonic; may be negative or beyond 6)
    // counted from the tonic in `octave` (4 = the octave of C-4).
    int degreeNote(int degree, int octave) const;
    bool inScale(int note) const;
    // Scale degree of a note in the scale (0..6), -1 otherwise.
    int degreeOf(int note) const;
    // The scale tone `steps` scale steps from `note` (itself snapped first).
    int stepFrom(int note, int steps) const;
    int snapToScale(int note) const;

    // Pitch classes (0..11) of the triad on a degree, root first.
    std::array<int, 3> triad(int degree) const;
    bool inChord(int note, int degree) const;
    // The chord tone of `degree` nearest to `note` (ties go up).
    int nearestChordTone(int note, int degree) const;
    // The tone of pitch class `pc` nearest to `note`.
    static int nearestOfClass(int note, int pc);
    // Arpeggio effect parameter of the triad: third and fifth above the root.
    int arpeggio(int degree) const;

private:
    int tonic_;
    Mode mode_;
    std::array<int, 7> steps_;
};
