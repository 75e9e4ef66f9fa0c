#pragma once

class DesktopServices;
class Messages;
class TMainForm;

// Gives the main window's menu entries the windows that are built so far; every other
// entry stays disabled.
void registerMainCommands(TMainForm &window, DesktopServices &services, Messages &messages);
