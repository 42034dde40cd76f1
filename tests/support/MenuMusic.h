#pragma once

// Gives the settings' playlist an open music device (SDL's dummy driver) and
// module files from memory: every name reads as a silent song that lasts
// several seconds, so a started file keeps playing through a test.
#include "app/Program.h"
#include "audio/MusicPlaylist.h"
#include "persist/Settings.h"
#include "support/AudioDriver.h"
#include "xmwriter/XmWriter.h"

#include <string>
#include <vector>

class MenuMusic {
public:
    explicit MenuMusic(Settings& settings) {
        xm::Song song;
        song.channels = 1;
        song.patterns.emplace_back(64, 1);
        const std::vector<std::uint8_t> bytes = xm::XmWriter::write(song);
        MusicPlaylist::instance()->setFileReader([this, bytes](const std::string& name) {
            reads.push_back(name);
            return bytes;
        });
        Program::applySettings(settings);
    }

    AudioDriver driver = AudioDriver::dummy();
    std::vector<std::string> reads;
};
