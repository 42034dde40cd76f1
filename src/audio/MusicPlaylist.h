#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class Module;
class ModulePlayer;

// The game's music: a list of module files played one after the other
// (wrapping, so a one-file list repeats), at the player's music volume. No
// thread: the screens call service() every frame, which keeps the player's
// ring topped up and starts the next file when a module has ended.
class MusicPlaylist {
public:
    // Reads a whole file by name; empty when it cannot be read.
    using FileReader = std::function<std::vector<std::uint8_t>(const std::string& name)>;

    static constexpr int maxVolume = 64;

    MusicPlaylist();
    ~MusicPlaylist();

    // The game's one playlist, made on first use.
    static MusicPlaylist* instance();
    static void destroy();
    MusicPlaylist(const MusicPlaylist&) = delete;
    MusicPlaylist& operator=(const MusicPlaylist&) = delete;

    // Opens the music device, making the game's module player over the
    // platform's music output when start-up has not made it.
    void init();
    // 0 switches the music off; raising it again plays the next file.
    // Above 64 counts as 64. Ignored while the device is not open.
    void setVolume(int volume);
    // Takes a new list; the module playing plays on.
    void setPlaylist(const std::vector<std::string>& files);
    void shuffle();
    void playNext();
    void stop();
    void service();
    bool isPlaying() const;

    int volume() const { return volume_; }
    bool isEnabled() const { return enabled_; }
    bool isDeviceOpen() const { return deviceOpen_; }
    const std::vector<std::string>& files() const { return files_; }
    // Index of the file playing or last tried; -1 before the first.
    int current() const { return current_; }

    // Where module files come from: the resource pack "main" unless replaced.
    void setFileReader(FileReader reader);

private:
    ModulePlayer* player() const;

    bool playing_ = false;
    std::vector<std::string> files_;
    Module* module_ = nullptr;
    int current_ = -1;
    int volume_ = 100;
    bool deviceOpen_ = false;
    bool enabled_ = true;
    FileReader reader_;
};
