#pragma once

#include "board/BoardSprites.h"
#include "board/EffectLayer.h"
#include "persist/ResourceManager.h"
#include "support/GlScreen.h"

#include <string>
#include <utility>

// The board's drawing tests: a real screen, a resource manager of the test's
// own and a fresh effect layer, all undone afterwards along with whatever the
// test put into the board's pictures. resources stays null when the screen
// could not be had, and a derived SetUp stops there.
class BoardScreen : public GlScreen {
protected:
    explicit BoardScreen(std::string packName) : packName_(std::move(packName)) {}

    void SetUp() override {
        GlScreen::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        EffectLayer::destroy();
        EffectLayer::create();
        resources = ResourceManager::create(packName_);
    }
    void TearDown() override {
        BoardSprites::reset();
        EffectLayer::destroy();
        ResourceManager::destroy(packName_);
        resources = nullptr;
    }

    ResourceManager* resources = nullptr;

private:
    std::string packName_;
};
