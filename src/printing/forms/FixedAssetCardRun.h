#pragma once

#include "reports/FixedAssetCard.h"

#include <QString>
#include <QVector>

class Database;
class Messages;
class Parameters;
class PrintContext;
class QWidget;

// "&Fisa mijloc fix": the portrait preset, the print dialog, the card date (today
// proposed), then the cards of `lines`, a page each, to the preview or the printer. A
// line that cannot be found abandons the printout with the locating error. False when
// cancelled or nothing went out.
bool printFixedAssetCards(QWidget *parent, Database &db, const Parameters &parameters, PrintContext &print,
                          Messages &messages, const QVector<EntryLineKey> &lines);

// The current-stock window's card: the line of an inventory number as chosen there.
bool printFixedAssetCardOf(QWidget *parent, Database &db, const Parameters &parameters, PrintContext &print,
                           Messages &messages, const QString &article);
