// The process entry point.
#include "game/system/startup.h"

int main(int argc, char** argv) { return WinMain(argc, argv); }
