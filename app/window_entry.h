#pragma once

// The window's entry point, supplied by platform/ when the GUI is built: shows the main
// window and runs the message loop; returns the exit status.
int RunMarionetWindow(int argc, char** argv);
