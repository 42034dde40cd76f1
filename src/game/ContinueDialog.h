#pragma once

#include "ui/Dialog.h"

class Button;

// Asked when a new game is wanted while one is suspended: continue it, start
// a new one, or neither. The main menu reads choice() once it has closed.
class ContinueDialog : public Dialog {
public:
    enum class Choice { Cancel = 0, Continue = 1, NewGame = 2 };

    static constexpr const char* layoutName = "mui/continue_dlg.txt";

    // The suspended game's level and score, shown in the box.
    ContinueDialog(int level, int score);
    ~ContinueDialog() override;

    void onCommand(Widget* widget) override;
    void draw() override;

    // Escape and Enter close the box with the choice still Cancel.
    Choice choice() const { return choice_; }
    int level() const { return level_; }
    int score() const { return score_; }
    Button* continueButton() const { return continueButton_; }
    Button* newButton() const { return newButton_; }
    Button* cancelButton() const { return cancelButton_; }

private:
    Choice choice_ = Choice::Cancel;
    Button* continueButton_;
    Button* newButton_;
    Button* cancelButton_;
    int level_;
    int score_;
    float fade_ = 0;
};
