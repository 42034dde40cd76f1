// Entry point: the frame's start-up and shutdown live in the app folder.
int main() { return 0; }
