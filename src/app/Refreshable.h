#pragma once

// A child window that re-reads the tables it shows when the main window's refresh timer
// ticks, so that work saved on other workstations appears.
class Refreshable
{
public:
    virtual ~Refreshable() = default;
    // Re-read the data, unless the user is editing a record.
    virtual void refreshData() = 0;
};
