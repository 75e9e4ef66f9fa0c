#pragma once

class Database;
class Messages;
class Parameters;
class PrintContext;
class QWidget;

// "&Receptie" / "&Listeaza" of the entry window: the portrait preset and its message,
// the print dialog, then the reception note of document `contor` to the preview or the
// printer. The caller saves the header first. False when cancelled or nothing printed.
bool printReceptionNote(QWidget *parent, Database &db, Parameters &parameters, PrintContext &print,
                        Messages &messages, double contor);
