#pragma once

// A screen that writes every call the frame makes on it into a shared journal.
#include "ui/Dialog.h"

#include <string>
#include <vector>

using Journal = std::vector<std::string>;

template <typename Base> class Recording : public Base {
public:
    Recording(Journal& journal, std::string name) : journal_(journal), name_(std::move(name)) {}

    std::vector<float> updates;
    int draws = 0;

    bool onMouseMove(int x, int y, unsigned flags) override {
        note("move", x, y, flags);
        return Base::onMouseMove(x, y, flags);
    }
    bool onLButtonDown(int x, int y, unsigned flags) override {
        note("ldown", x, y, flags);
        return Base::onLButtonDown(x, y, flags);
    }
    bool onLButtonUp(int x, int y, unsigned flags) override {
        note("lup", x, y, flags);
        return Base::onLButtonUp(x, y, flags);
    }
    bool onRButtonDown(int x, int y, unsigned flags) override {
        note("rdown", x, y, flags);
        return Base::onRButtonDown(x, y, flags);
    }
    bool onRButtonUp(int x, int y, unsigned flags) override {
        note("rup", x, y, flags);
        return Base::onRButtonUp(x, y, flags);
    }
    void onKeyDown(int key) override {
        journal_.push_back(name_ + ".key " + std::to_string(key));
        Base::onKeyDown(key);
    }
    void onChar(unsigned short code, int repeat) override {
        journal_.push_back(name_ + ".char " + std::to_string(code) + " x" + std::to_string(repeat));
        Base::onChar(code, repeat);
    }
    void onCommand(Widget* widget) override { Window::onCommand(widget); }
    void update(float ms) override {
        updates.push_back(ms);
        journal_.push_back(name_ + ".update");
        Base::update(ms);
    }
    void draw() override {
        ++draws;
        journal_.push_back(name_ + ".draw");
    }
    void activate() override {
        journal_.push_back(name_ + ".activate");
        Base::activate();
    }
    void onDialogClosed(int result, Window* dialog) override {
        journal_.push_back(name_ + ".dialogClosed " + std::to_string(result) + " " +
                           nameOf(dialog));
    }
    void onWindowClosed(Window* window) override {
        journal_.push_back(name_ + ".windowClosed " + nameOf(window));
    }
    void onCloseRequest() override { journal_.push_back(name_ + ".closeRequest"); }

    const std::string& name() const { return name_; }

private:
    void note(const char* what, int x, int y, unsigned flags) {
        journal_.push_back(name_ + "." + what + " " + std::to_string(x) + "," + std::to_string(y) +
                           " " + std::to_string(flags));
    }
    static std::string nameOf(Window* w) {
        if (auto* r = dynamic_cast<Recording<Window>*>(w)) {
            return r->name();
        }
        if (auto* r = dynamic_cast<Recording<Dialog>*>(w)) {
            return r->name();
        }
        return "?";
    }

    Journal& journal_;
    std::string name_;
};

using RecordingWindow = Recording<Window>;
using RecordingDialog = Recording<Dialog>;
