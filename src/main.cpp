// The game's entry point: the arguments, then the folders, then the game.
#include "app/CommandLine.h"
#include "app/Program.h"
#include "platform/GameFolders.h"

int main(int argc, char** argv) {
    if (int exitCode = CommandLine::handle(argc, argv); exitCode >= 0) {
        return exitCode;
    }
    platform::GameFolders folders;
    folders.enter(platform::GameFolders::choose(platform::GameFolders::current()));
    Program program;
    return program.run();
}
