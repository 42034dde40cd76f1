#pragma once

#include "ui/Dialog.h"

#include <string>

class Button;
class EditBox;
class UiResources;

// Asks for the player's name when a finished game enters the high-score
// table. The box takes typing at once; Enter, Escape and OK all close it and
// the game stores whatever was typed.
class EnterNameDialog : public Dialog {
public:
    static constexpr int maxNameLength = 15;

    EnterNameDialog();
    ~EnterNameDialog() override;

    void onCommand(Widget* widget) override;
    void draw() override;

    // What the player typed.
    std::string name() const;
    EditBox* nameBox() const { return nameBox_; }
    Button* okButton() const { return okButton_; }

private:
    UiResources* resources_;
    Button* okButton_ = nullptr;
    EditBox* nameBox_ = nullptr;
    float fade_ = 0;
};
