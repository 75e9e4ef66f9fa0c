#pragma once

// Starts the windowed program: single-instance check, main window, message loop.
int runGui(int argc, char **argv);
