#pragma once
// The program's entry: makes the Qt application and runs the one application object.

namespace lw {

// desktopFileName names the program to the desktop (its application id).
int AfxWinMain(int argc, char** argv, const char* desktopFileName);

} // namespace lw
