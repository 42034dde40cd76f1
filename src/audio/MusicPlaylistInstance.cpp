#include "audio/MusicPlaylist.h"

namespace {
MusicPlaylist* playlist = nullptr;
}

MusicPlaylist* MusicPlaylist::instance() {
    if (playlist == nullptr) {
        playlist = new MusicPlaylist;
    }
    return playlist;
}

void MusicPlaylist::destroy() {
    delete playlist;
    playlist = nullptr;
}
