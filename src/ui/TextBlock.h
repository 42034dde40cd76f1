#pragma once

#include <cstddef>
#include <string>
#include <vector>

class Font;

// A block of text word-wrapped to a width in pixels and drawn a window of
// lines at a time, one line every font size down.
class TextBlock {
public:
    // The font measures and draws (not owned; none measures every word as 0
    // and draws nothing).
    TextBlock(const Font* font, float width, float fontSize, int visibleLines, int scrollStep);

    // Wraps the bytes into lines as wide as they are drawn, below the block's
    // width unless one word is wider: blanks and carriage returns end words, a
    // carriage return also ends the line, line feeds are dropped. A word is
    // never split: one wider than the block gets a line of its own.
    void setText(const char* bytes, std::size_t length);
    void setText(const std::string& text) { setText(text.data(), text.size()); }
    // The shown lines with their baselines at y, y + fontSize, ..., depth 10.
    void draw(float x, float y, float r, float g, float b, float a) const;

    // The lines draw shows: from firstLine, at most visibleLines of them.
    std::vector<std::string> shownLines() const;

    const std::vector<std::string>& lines() const { return lines_; }
    float width() const { return width_; }
    float fontSize() const { return fontSize_; }
    int firstLine() const { return firstLine_; }
    int visibleLines() const { return visibleLines_; }
    int scrollStep() const { return scrollStep_; }

private:
    float measure(const std::string& text) const;

    std::vector<std::string> lines_;
    const Font* font_;
    float width_;
    float fontSize_;
    int firstLine_ = 0;
    int visibleLines_;
    int scrollStep_;
};
