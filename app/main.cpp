// orvex: the desktop program.

#include "app/startup.h"

int main(int argc, char** argv) { return orvex::app::runProgram(argc, argv); }
