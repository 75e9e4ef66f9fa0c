#pragma once

#include <QMdiArea>
#include <QPixmap>

// The MDI client area of the main window: tiles its background picture from the
// top-left corner; without a picture it paints as usual.
class BackgroundMdiArea : public QMdiArea
{
    Q_OBJECT
public:
    explicit BackgroundMdiArea(QWidget *parent = nullptr);

    // Loads the picture (hourglass while loading). An empty name clears it; a file that
    // cannot be read only beeps and keeps no picture. True when a picture was loaded.
    bool loadPicture(const QString &fileName);
    void setPicture(const QPixmap &picture);
    QPixmap picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};
