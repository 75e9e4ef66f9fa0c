#include "app/forms/MainPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

// Every picture is drawn on a 64 x 64 canvas and scaled by the painter.
using Drawing = std::function<void(QPainter &)>;

QPixmap render(int size, const Drawing &draw)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    draw(p);
    return pixmap;
}

QIcon icon(const Drawing &draw)
{
    QIcon result;
    for (int size : {16, 24, 32, 48, 64})
        result.addPixmap(render(size, draw));
    return result;
}

const QColor Outline(40, 48, 60);

void sheet(QPainter &p, const QRectF &r)
{
    QPainterPath path;
    const qreal fold = 12;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(220, 228, 238));
    p.setPen(QPen(Outline, 2.0));
    p.setBrush(g);
    p.drawPath(path);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(190, 200, 214));
    p.drawPath(corner);
    p.setPen(QPen(QColor(120, 135, 155), 2.0));
    for (qreal y = r.top() + 20; y < r.bottom() - 6; y += 8)
        p.drawLine(QPointF(r.left() + 7, y), QPointF(r.right() - 7, y));
}

void arrow(QPainter &p, const QPointF &from, const QPointF &to, const QColor &color)
{
    const QLineF line(from, to);
    const QLineF unit = line.unitVector();
    const QPointF d(unit.dx(), unit.dy());
    const QPointF n(-d.y(), d.x());
    const qreal head = 17, shaft = 9, width = 22;
    const QPointF neck = to - d * head;
    QPolygonF shape;
    shape << from + n * shaft / 2 << neck + n * shaft / 2 << neck + n * width / 2 << to
          << neck - n * width / 2 << neck - n * shaft / 2 << from - n * shaft / 2;
    p.setPen(QPen(color.darker(150), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(color);
    p.drawPolygon(shape);
}

void person(QPainter &p, const QPointF &at, qreal scale, const QColor &color)
{
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.setPen(QPen(color.darker(160), 2.0));
    QLinearGradient g(0, -20, 0, 30);
    g.setColorAt(0, color.lighter(130));
    g.setColorAt(1, color);
    p.setBrush(g);
    QPainterPath body;
    body.moveTo(-17, 30);
    body.cubicTo(-17, 8, -10, 4, 0, 4);
    body.cubicTo(10, 4, 17, 8, 17, 30);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(250, 218, 185));
    p.setPen(QPen(QColor(150, 110, 80), 2.0));
    p.drawEllipse(QPointF(0, -8), 10, 10);
    p.restore();
}

void box(QPainter &p, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(232, 188, 120));
    g.setColorAt(1, QColor(196, 142, 72));
    p.setPen(QPen(QColor(110, 72, 30), 2.0));
    p.setBrush(g);
    p.drawRoundedRect(r, 2, 2);
    p.setPen(QPen(QColor(150, 100, 45), 3.0));
    p.drawLine(QPointF(r.center().x(), r.top() + 1), QPointF(r.center().x(), r.top() + r.height() * 0.45));
}

} // namespace

QIcon MainPictures::documentIn()
{
    return icon([](QPainter &p) {
        sheet(p, QRectF(18, 4, 40, 54));
        arrow(p, QPointF(2, 40), QPointF(34, 40), QColor(60, 170, 80));
    });
}

QIcon MainPictures::documentOut()
{
    return icon([](QPainter &p) {
        sheet(p, QRectF(6, 4, 40, 54));
        arrow(p, QPointF(28, 40), QPointF(62, 40), QColor(225, 95, 60));
    });
}

QIcon MainPictures::suppliers()
{
    return icon([](QPainter &p) {
        QLinearGradient cargo(0, 14, 0, 44);
        cargo.setColorAt(0, QColor(90, 150, 225));
        cargo.setColorAt(1, QColor(40, 95, 170));
        p.setPen(QPen(Outline, 2.0));
        p.setBrush(cargo);
        p.drawRoundedRect(QRectF(3, 14, 36, 30), 2, 2);
        QPainterPath cab;
        cab.moveTo(41, 22);
        cab.lineTo(52, 22);
        cab.lineTo(61, 33);
        cab.lineTo(61, 44);
        cab.lineTo(41, 44);
        cab.closeSubpath();
        p.setBrush(QColor(235, 240, 246));
        p.drawPath(cab);
        p.setBrush(QColor(150, 200, 240));
        QPainterPath window;
        window.moveTo(45, 26);
        window.lineTo(51, 26);
        window.lineTo(56, 33);
        window.lineTo(45, 33);
        window.closeSubpath();
        p.drawPath(window);
        p.setBrush(QColor(55, 60, 68));
        for (qreal x : {14.0, 50.0})
            p.drawEllipse(QPointF(x, 47), 7, 7);
        p.setBrush(QColor(200, 205, 212));
        for (qreal x : {14.0, 50.0})
            p.drawEllipse(QPointF(x, 47), 2.5, 2.5);
    });
}

QIcon MainPictures::classification()
{
    return icon([](QPainter &p) {
        QPainterPath tag;
        tag.moveTo(30, 6);
        tag.lineTo(56, 6);
        tag.lineTo(56, 32);
        tag.lineTo(28, 60);
        tag.lineTo(2, 34);
        tag.closeSubpath();
        QLinearGradient g(2, 6, 56, 60);
        g.setColorAt(0, QColor(250, 210, 90));
        g.setColorAt(1, QColor(225, 160, 30));
        p.setPen(QPen(QColor(130, 90, 10), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(g);
        p.drawPath(tag);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(46, 16), 4.5, 4.5);
        p.setPen(QPen(QColor(120, 80, 10), 3.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(17, 35), QPointF(33, 19));
        p.drawLine(QPointF(23, 41), QPointF(39, 25));
        p.drawLine(QPointF(29, 47), QPointF(39, 37));
    });
}

QIcon MainPictures::managementUnits()
{
    return icon([](QPainter &p) {
        p.setPen(QPen(Outline, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QLinearGradient wall(0, 24, 0, 60);
        wall.setColorAt(0, QColor(236, 236, 228));
        wall.setColorAt(1, QColor(200, 198, 186));
        p.setBrush(wall);
        p.drawRect(QRectF(8, 26, 48, 32));
        QPolygonF roof;
        roof << QPointF(3, 28) << QPointF(32, 6) << QPointF(61, 28);
        p.setBrush(QColor(200, 70, 55));
        p.drawPolygon(roof);
        p.setBrush(QColor(120, 130, 145));
        p.drawRect(QRectF(22, 36, 20, 22));
        p.setPen(QPen(QColor(80, 88, 100), 1.5));
        for (qreal y = 40; y < 58; y += 4)
            p.drawLine(QPointF(23, y), QPointF(41, y));
    });
}

QIcon MainPictures::custodians()
{
    return icon([](QPainter &p) {
        person(p, QPointF(42, 26), 0.85, QColor(120, 120, 200));
        person(p, QPointF(25, 30), 1.0, QColor(60, 130, 200));
    });
}

QIcon MainPictures::stocks()
{
    return icon([](QPainter &p) {
        box(p, QRectF(4, 34, 27, 24));
        box(p, QRectF(33, 34, 27, 24));
        box(p, QRectF(18, 8, 27, 24));
    });
}

QPixmap MainPictures::panelPicture(int height)
{
    const qreal ratio = 3.2;
    const int width = qRound(height * ratio);
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal s = height / 64.0;
    p.scale(s, s);
    // A column of ledger sheets as the mark, the name beside it.
    const QColor accent(255, 200, 80);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        p.setBrush(QColor(255, 255, 255, 90 + 55 * i));
        p.drawRoundedRect(QRectF(8 + 5 * i, 10 + 5 * i, 30, 38), 3, 3);
    }
    p.setPen(QPen(QColor(44, 74, 110), 4.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 28), QPointF(42, 28));
    p.drawLine(QPointF(33, 28), QPointF(33, 48));
    p.setPen(QPen(accent, 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 54), QPointF(42, 54));
    QFont name(QStringLiteral("Liberation Sans"));
    name.setPixelSize(24);
    name.setBold(true);
    p.setFont(name);
    p.setPen(Qt::white);
    p.drawText(QRectF(54, 8, width / s - 58, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Tessaro"));
    QFont tagline(QStringLiteral("Liberation Sans"));
    tagline.setPixelSize(11);
    p.setFont(tagline);
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(QRectF(55, 36, width / s - 58, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Evidenta mijloacelor fixe"));
    return pixmap;
}

QIcon MainPictures::windowIcon()
{
    return icon([](QPainter &p) {
        QLinearGradient g(0, 0, 0, 64);
        g.setColorAt(0, QColor(52, 98, 160));
        g.setColorAt(1, QColor(24, 52, 96));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(14, 14, 36, 9));
        p.drawRect(QRectF(27.5, 23, 9, 28));
        p.setBrush(QColor(255, 200, 80));
        p.drawRect(QRectF(14, 47, 36, 5));
    });
}
