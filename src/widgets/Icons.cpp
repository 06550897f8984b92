#include "widgets/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

#include <functional>

namespace Icons {

namespace {

// Every picture is drawn on a 32 x 32 canvas and scaled; strokes are kept
// heavy enough to read at 16 pixels.
using Painter = std::function<void(QPainter &)>;

QIcon render(const Painter &paint)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        for (qreal dpr : {1.0, 2.0}) {
            QPixmap pm(int(size * dpr), int(size * dpr));
            pm.fill(Qt::transparent);
            {
                QPainter p(&pm);
                p.setRenderHint(QPainter::Antialiasing);
                p.scale(size * dpr / 32.0, size * dpr / 32.0);
                paint(p);
            }
            pm.setDevicePixelRatio(dpr);
            icon.addPixmap(pm);
        }
    }
    return icon;
}

const QColor kInk(0x2b, 0x33, 0x3d);

// A clock face with its hands; the minute hand points at angle (degrees,
// clockwise from twelve).
void drawClock(QPainter &p, const QRectF &r, const QColor &rim, qreal minuteAngle, qreal hourAngle)
{
    const QPointF c = r.center();
    const qreal radius = r.width() / 2;
    p.setPen(QPen(rim, radius * 0.22));
    p.setBrush(QColor(0xfd, 0xfd, 0xf8));
    p.drawEllipse(c, radius * 0.88, radius * 0.88);

    // Marks at twelve, three, six and nine.
    p.setPen(QPen(kInk, radius * 0.12, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const qreal a = qDegreesToRadians(90.0 * i);
        p.drawLine(QPointF(c.x() + std::sin(a) * radius * 0.58, c.y() - std::cos(a) * radius * 0.58),
                   QPointF(c.x() + std::sin(a) * radius * 0.7, c.y() - std::cos(a) * radius * 0.7));
    }

    auto hand = [&](qreal degrees, qreal length, qreal width, const QColor &color) {
        const qreal a = qDegreesToRadians(degrees);
        p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, QPointF(c.x() + std::sin(a) * length, c.y() - std::cos(a) * length));
    };
    hand(hourAngle, radius * 0.38, radius * 0.17, kInk);
    hand(minuteAngle, radius * 0.62, radius * 0.13, kInk);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(c, radius * 0.1, radius * 0.1);
}

void drawCoin(QPainter &p, const QRectF &r)
{
    QRadialGradient g(r.center() - QPointF(r.width() * 0.15, r.height() * 0.15), r.width() * 0.7);
    g.setColorAt(0, QColor(0xff, 0xe7, 0x7a));
    g.setColorAt(1, QColor(0xd9, 0x9a, 0x16));
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x00), r.width() * 0.08));
    p.setBrush(g);
    p.drawEllipse(r);
    QFont f(QStringLiteral("Sans Serif"));
    f.setBold(true);
    f.setPixelSize(int(r.height() * 0.7));
    p.setFont(f);
    p.setPen(QColor(0x7a, 0x4d, 0x00));
    p.drawText(r, Qt::AlignCenter, QStringLiteral("$"));
}

} // namespace

void paintProgram(QPainter &p)
{
    drawCoin(p, QRectF(13, 13, 18, 18));
    drawClock(p, QRectF(1, 1, 22, 22), QColor(0x1f, 0x5f, 0xa8), 0, 300);
}

QIcon program()
{
    static const QIcon icon = render(paintProgram);
    return icon;
}

QIcon company()
{
    static const QIcon icon = render([](QPainter &p) {
        // A two-storey office with a lit window grid and a door.
        p.setPen(QPen(kInk, 2));
        p.setBrush(QColor(0x6f, 0x8f, 0xb8));
        p.drawRect(QRectF(6, 6, 20, 24));
        p.setBrush(QColor(0x44, 0x5e, 0x80));
        p.drawRect(QRectF(4, 3, 24, 4));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0xf2, 0xa8));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                p.drawRect(QRectF(9 + col * 5.5, 10 + row * 5, 3.5, 3));
        p.setBrush(kInk);
        p.drawRect(QRectF(13.5, 24, 5, 6));
    });
    return icon;
}

QIcon project()
{
    static const QIcon icon = render([](QPainter &p) {
        // A folder with its tab.
        QPainterPath back;
        back.moveTo(3, 8);
        back.lineTo(12, 8);
        back.lineTo(15, 11);
        back.lineTo(29, 11);
        back.lineTo(29, 27);
        back.lineTo(3, 27);
        back.closeSubpath();
        p.setPen(QPen(QColor(0x8a, 0x62, 0x10), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(0xe8, 0xb8, 0x3a));
        p.drawPath(back);
        QPainterPath front;
        front.moveTo(3, 27);
        front.lineTo(6, 15);
        front.lineTo(31, 15);
        front.lineTo(29, 27);
        front.closeSubpath();
        p.setBrush(QColor(0xf8, 0xd2, 0x5c));
        p.drawPath(front);
    });
    return icon;
}

QIcon charge()
{
    static const QIcon icon =
        render([](QPainter &p) { drawClock(p, QRectF(2, 2, 28, 28), QColor(0x5a, 0x66, 0x72), 60, 300); });
    return icon;
}

QIcon runningCharge(int frame)
{
    // The minute hand moves a quarter turn per frame; a green rim marks a
    // running charge.
    static const QIcon frames[4] = {
        render([](QPainter &p) { drawClock(p, QRectF(2, 2, 28, 28), QColor(0x1e, 0x9e, 0x4a), 0, 300); }),
        render([](QPainter &p) { drawClock(p, QRectF(2, 2, 28, 28), QColor(0x1e, 0x9e, 0x4a), 90, 300); }),
        render([](QPainter &p) { drawClock(p, QRectF(2, 2, 28, 28), QColor(0x1e, 0x9e, 0x4a), 180, 300); }),
        render([](QPainter &p) { drawClock(p, QRectF(2, 2, 28, 28), QColor(0x1e, 0x9e, 0x4a), 270, 300); }),
    };
    return frames[((frame % 4) + 4) % 4];
}

QIcon payment()
{
    static const QIcon icon = render([](QPainter &p) {
        // A banknote with a coin on it.
        p.setPen(QPen(QColor(0x1f, 0x5e, 0x2e), 2));
        p.setBrush(QColor(0x9c, 0xd6, 0x8f));
        p.drawRoundedRect(QRectF(1, 7, 26, 16), 2, 2);
        p.setPen(QPen(QColor(0x1f, 0x5e, 0x2e), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(14, 15), 4.5, 4.5);
        drawCoin(p, QRectF(15, 14, 16, 16));
    });
    return icon;
}

} // namespace Icons
