#pragma once

#include <QString>

class Database;
class Messages;
class Parameters;
class PrintContext;
class QWidget;
struct ExitPrintOptions;

// "&Listeaza" of the exit window, after it has saved the header: the print-options
// dialog "Listeaza..." (options are the window's own, kept between prints), then for the
// movement note and for the list of scrapped assets in turn, when chosen: the landscape
// preset, the print dialog and, when confirmed, the printout to the preview or the
// printer. Returns how many printouts went out (0 when cancelled or nothing chosen).
int printExitDocument(QWidget *parent, Database &db, Parameters &parameters, PrintContext &print,
                      Messages &messages, ExitPrintOptions &options, double contor, const QString &documentType);

// One printout each: the preset, the print dialog, the printout. False when cancelled,
// when the document is gone or when its data cannot be read (the error is shown).
bool printMovementNote(QWidget *parent, Database &db, Parameters &parameters, PrintContext &print,
                       Messages &messages, double contor, bool explanation);
bool printScrappingList(QWidget *parent, Database &db, Parameters &parameters, PrintContext &print,
                        Messages &messages, double contor, bool comment, const QString &closingText);
