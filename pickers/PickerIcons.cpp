#include "pickers/PickerIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

constexpr int Size = 16;

QIcon draw(const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    painter.end();
    return QIcon(pixmap);
}

void box(QPainter& painter) {
    painter.setPen(QPen(QColor(0x50, 0x60, 0x78), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(2.5, 2.5, 11, 11));
}

} // namespace

namespace PickerIcons {

QIcon root() {
    static const QIcon icon = draw([](QPainter& painter) {
        painter.setPen(QPen(QColor(0xa0, 0x78, 0x20), 1));
        painter.setBrush(QColor(0xf4, 0xc8, 0x50));
        QPainterPath folder;
        folder.moveTo(1.5, 4.5);
        folder.lineTo(6.5, 4.5);
        folder.lineTo(8, 6);
        folder.lineTo(14.5, 6);
        folder.lineTo(14.5, 13.5);
        folder.lineTo(1.5, 13.5);
        folder.closeSubpath();
        painter.drawPath(folder);
    });
    return icon;
}

QIcon report() {
    static const QIcon icon = draw([](QPainter& painter) {
        painter.setPen(QPen(QColor(0x50, 0x60, 0x78), 1));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(3.5, 1.5, 9, 13));
        painter.setPen(QPen(QColor(0x40, 0x70, 0xc0), 1));
        for (int y = 5; y <= 11; y += 3)
            painter.drawLine(QPointF(5.5, y + 0.5), QPointF(10.5, y + 0.5));
    });
    return icon;
}

QIcon unCheck() {
    static const QIcon icon = draw(box);
    return icon;
}

QIcon singleCheck() {
    static const QIcon icon = draw([](QPainter& painter) {
        box(painter);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x20, 0x60, 0xc0));
        painter.drawEllipse(QRectF(5, 5, 6, 6));
    });
    return icon;
}

QIcon multiCheck() {
    static const QIcon icon = draw([](QPainter& painter) {
        box(painter);
        painter.setPen(QPen(QColor(0x20, 0x60, 0xc0), 2));
        painter.drawPolyline(QPolygonF({QPointF(4.5, 8), QPointF(7, 10.5), QPointF(11.5, 5)}));
    });
    return icon;
}

} // namespace PickerIcons
