#pragma once

// The game screen without a window: the generated data pack as "main", a
// frame that records what the screens ask of it, silent sound and music
// whose module reads are recorded, and helpers that end a level.
#include "LevelEnd.h"
#include "audio/CSoundManager.h"
#include "audio/ModulePlayer.h"
#include "audio/MusicPlaylist.h"
#include "board/BoardFill.h"
#include "board/BoardSprites.h"
#include "board/EffectLayer.h"
#include "board/Field.h"
#include "board/FieldTestAccess.h"
#include "game/FieldController.h"
#include "game/Game.h"
#include "game/GameResources.h"
#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"
#include "persist/Settings.h"
#include "platform/MessageBox.h"
#include "platform/Random.h"
#include "support/AudioDriver.h"
#include "ui/Frame.h"
#include "ui/ToolkitSupport.h"
#include "xmwriter/XmWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The toolkit's test frame, recording the stacks and the close requests.
class GameFrame : public FakeFrame {
public:
    void pushWindow(Window* w) override { windows.push_back(w); }
    void pushDialog(Window* d) override { dialogs.push_back(d); }
    void closeTop(bool) override { ++closes; }
    void postCloseMessage() override { ++closeMessages; }

    std::vector<Window*> windows;
    std::vector<Window*> dialogs;
    int closes = 0;
    int closeMessages = 0;
};

// A failed sound load must not wait for a click on a real message box.
struct SilentBox : platform::MessageBox {
    void show(const std::string&, const std::string&, platform::MessageIcon) override {}
};

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setMessageBox(&box);
        ResourceManager* pack = ResourceManager::create("main");
        pack->setPassword(PackFormat::gamePassword);
        pack->open(QUILLMERE_BINARY_DIR "/gamedata/data/data.pk");
        ASSERT_FALSE(pack->directory().empty()) << "the generated data is missing";
        CSoundManager::instance()->init();
        MusicPlaylist* music = MusicPlaylist::instance();
        music->setFileReader([this](const std::string& name) {
            tunes.push_back(name);
            return song;
        });
        music->init();
        FieldController::setSoundSink([this](int id) { sounds.push_back(id); });
        Random::seed(11);
    }
    void TearDown() override {
        FieldController::setSoundSink({});
        GameResources::destroy();
        EffectLayer::destroy();
        MusicPlaylist::destroy();
        ModulePlayer::destroy();
        CSoundManager::destroy();
        Settings::destroy();
        ResourceManager::destroy("main");
        platform::setMessageBox(nullptr);
    }

    // Runs game updates of dt until pred holds; false if it never does.
    template <typename Pred> static bool runUntil(Game& g, Pred pred, int limit = 20000) {
        return levelend::runUntil(g, pred, limit);
    }

    // Waits for the opening sweep, so the field takes moves.
    static bool waitForPlay(Game& g) { return levelend::waitForPlay(g); }

    // Every cell taken by a ball that makes no line: the level is lost.
    static void fillBoard(Field& f) { fillWithoutLines(f); }

    // Every cell back filled: the level is completed on the next update.
    static void fillBacks(Field& f) { levelend::fillBacks(f); }

    // Ends the level in play (won or lost), clicks the summary away and runs
    // until the game has moved on to its next field.
    bool finishLevel(Game& g, bool won) { return levelend::finish(g, won); }

    SilentBox box;
    AudioDriver driver = AudioDriver::none();
    GameFrame frame;
    std::vector<int> sounds;
    std::vector<std::string> tunes;
    std::vector<std::uint8_t> song = [] {
        xm::Song s;
        s.channels = 1;
        s.patterns.emplace_back(64, 1);
        return xm::XmWriter::write(s);
    }();
};
