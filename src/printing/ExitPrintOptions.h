#pragma once

#include <QString>

// The choices of the print-options dialog of exit documents ("Listeaza..."). The exit
// window keeps one between prints; the dialog reads and updates it.
struct ExitPrintOptions
{
    bool movementNote = false;  // "Bon de miscare"
    bool scrappingList = false; // "&Casare"
    bool explanation = false;   // the movement note prints the document's explanation
    bool comment = false;       // the scrapping list prints the closing text at its end
    bool description = false;   // shown in the dialog only
    QString closingText;        // the memo, as confirmed

    bool anyPrintout() const { return movementNote || scrappingList; }
};
