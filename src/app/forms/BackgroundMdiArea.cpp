#include "app/forms/BackgroundMdiArea.h"

#include "app/BackgroundTiling.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>

BackgroundMdiArea::BackgroundMdiArea(QWidget *parent) : QMdiArea(parent) {}

bool BackgroundMdiArea::loadPicture(const QString &fileName)
{
    m_picture = QPixmap();
    if (fileName.isEmpty()) {
        viewport()->update();
        return false;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool loaded = m_picture.load(fileName);
    QGuiApplication::restoreOverrideCursor();
    if (!loaded) {
        m_picture = QPixmap();
        QApplication::beep();
    }
    viewport()->update();
    return loaded;
}

void BackgroundMdiArea::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    viewport()->update();
}

void BackgroundMdiArea::paintEvent(QPaintEvent *event)
{
    if (m_picture.isNull()) {
        QMdiArea::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    const QSize tile = m_picture.deviceIndependentSize().toSize();
    for (const QPoint &at : BackgroundTiling::tilePositions(tile, viewport()->size())) {
        const QRect target(at, tile);
        if (target.intersects(dirty))
            painter.drawPixmap(at, m_picture);
    }
}
