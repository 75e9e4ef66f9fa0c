#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the main window, drawn at run time so that they stay sharp at any
// scale and need no image files.
namespace MainPictures {
QIcon documentIn();
QIcon documentOut();
QIcon suppliers();
QIcon classification();
QIcon managementUnits();
QIcon custodians();
QIcon stocks();
// The emblem at the right of the button bar.
QPixmap panelPicture(int height);
QIcon windowIcon();
} // namespace MainPictures
