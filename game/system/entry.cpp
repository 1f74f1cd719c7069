// The process entry point.
#include "support/startup.h"

int main(int argc, char** argv) { return WinMain(argc, argv); }
