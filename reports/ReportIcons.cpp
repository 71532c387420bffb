#include "reports/ReportIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <functional>

namespace ReportIcons {

namespace {

const QColor Ink(40, 60, 110);
const QColor Paper(255, 255, 255);
const QColor Accent(40, 140, 60);

void page(QPainter& p, const QRectF& r) {
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(Paper);
    p.drawRect(r);
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2.5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void printer(QPainter& p) {
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(Paper);
    p.drawRect(QRectF(5, 2, 10, 6));
    p.setBrush(QColor(170, 180, 200));
    p.drawRoundedRect(QRectF(2, 7, 16, 7), 1.5, 1.5);
    p.setBrush(Paper);
    p.drawRect(QRectF(5, 12, 10, 6));
}

void arrow(QPainter& p, QPointF from, QPointF to) {
    p.setPen(QPen(Accent, 2));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot((to - from).x(), (to - from).y()));
    const QPointF n(-d.y(), d.x());
    QPainterPath head;
    head.moveTo(to + d * 2);
    head.lineTo(to - d * 3 + n * 3);
    head.lineTo(to - d * 3 - n * 3);
    head.closeSubpath();
    p.fillPath(head, Accent);
}

const QHash<QString, std::function<void(QPainter&)>>& painters() {
    static const QHash<QString, std::function<void(QPainter&)>> all = {
        {QStringLiteral("IMG_FILTER"),
         [](QPainter& p) {
             QPainterPath funnel;
             funnel.moveTo(2, 3);
             funnel.lineTo(18, 3);
             funnel.lineTo(12, 10);
             funnel.lineTo(12, 17);
             funnel.lineTo(8, 15);
             funnel.lineTo(8, 10);
             funnel.closeSubpath();
             p.setPen(QPen(Ink, 1.2));
             p.setBrush(QColor(240, 200, 60));
             p.drawPath(funnel);
         }},
        {QStringLiteral("IMG_REFRESH"),
         [](QPainter& p) {
             p.setPen(QPen(Accent, 2.2));
             p.drawArc(QRectF(3, 3, 14, 14), 60 * 16, 270 * 16);
             arrow(p, QPointF(15, 3), QPointF(16.5, 7));
         }},
        {QStringLiteral("IMG_EXCHANGE"),
         [](QPainter& p) {
             arrow(p, QPointF(3, 6), QPointF(15, 6));
             arrow(p, QPointF(17, 14), QPointF(5, 14));
         }},
        {QStringLiteral("IMG_PRINT"), [](QPainter& p) { printer(p); }},
        {QStringLiteral("IMG_PRINTSETUP"),
         [](QPainter& p) {
             printer(p);
             // A cog over the printer's corner: its settings.
             const QPointF centre(14.5, 14.5);
             p.setPen(QPen(QColor(190, 110, 40), 1.6));
             for (int tooth = 0; tooth < 8; ++tooth) {
                 const qreal angle = tooth * M_PI / 4;
                 const QPointF way(std::cos(angle), std::sin(angle));
                 p.drawLine(centre + way * 2.5, centre + way * 5);
             }
             p.setBrush(QColor(240, 170, 60));
             p.drawEllipse(centre, 3.3, 3.3);
             p.setBrush(Paper);
             p.drawEllipse(centre, 1.2, 1.2);
         }},
        {QStringLiteral("IMG_PREVIEW"),
         [](QPainter& p) {
             page(p, QRectF(2, 1.5, 11, 16));
             p.setPen(QPen(Ink, 2));
             p.setBrush(QColor(200, 230, 255));
             p.drawEllipse(QRectF(9, 8, 7, 7));
             p.drawLine(QPointF(15, 14), QPointF(18.5, 18));
         }},
        {QStringLiteral("IMG_SAVE"),
         [](QPainter& p) {
             p.setPen(QPen(Ink, 1.2));
             p.setBrush(QColor(70, 110, 190));
             p.drawRect(QRectF(2.5, 2.5, 15, 15));
             p.setBrush(Paper);
             p.drawRect(QRectF(5, 2.5, 10, 6));
             p.drawRect(QRectF(6, 12, 8, 5.5));
         }},
        {QStringLiteral("IMG_RESIZE"),
         [](QPainter& p) {
             p.setPen(QPen(Ink, 1.2));
             p.setBrush(Paper);
             p.drawRect(QRectF(2.5, 4.5, 15, 11));
             p.drawLine(QPointF(10, 4.5), QPointF(10, 15.5));
             arrow(p, QPointF(6, 10), QPointF(3.5, 10));
             arrow(p, QPointF(14, 10), QPointF(16.5, 10));
         }},
        {QStringLiteral("IMG_EXIT"),
         [](QPainter& p) {
             p.setPen(QPen(Ink, 1.2));
             p.setBrush(QColor(200, 160, 110));
             p.drawRect(QRectF(3, 2.5, 9, 15));
             arrow(p, QPointF(9, 10), QPointF(17, 10));
         }},
        {QStringLiteral("IMG_SETUP"),
         [](QPainter& p) {
             page(p, QRectF(3, 1.5, 12, 16));
             p.setPen(QPen(QColor(190, 60, 50), 1.5));
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(5, 4, 8, 11));
         }},
        {QStringLiteral("IMG_PAGES"),
         [](QPainter& p) {
             page(p, QRectF(1.5, 3, 8, 12));
             page(p, QRectF(10.5, 3, 8, 12));
         }},
        {QStringLiteral("IMG_PAGE"), [](QPainter& p) { page(p, QRectF(4, 1.5, 12, 17)); }},
        {QStringLiteral("IMG_PREV"), [](QPainter& p) { arrow(p, QPointF(16, 10), QPointF(5, 10)); }},
        {QStringLiteral("IMG_NEXT"), [](QPainter& p) { arrow(p, QPointF(4, 10), QPointF(15, 10)); }},
        {QStringLiteral("IMG_CHART"),
         [](QPainter& p) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(QColor(70, 130, 200));
             p.drawRect(QRectF(3, 10, 3.5, 7));
             p.setBrush(QColor(230, 150, 50));
             p.drawRect(QRectF(8.25, 5, 3.5, 12));
             p.setBrush(Accent);
             p.drawRect(QRectF(13.5, 8, 3.5, 9));
         }},
    };
    return all;
}

} // namespace

QIcon icon(const QString& key) {
    static QHash<QString, QIcon> made;
    const auto found = made.constFind(key);
    if (found != made.constEnd())
        return *found;
    const auto painter = painters().constFind(key);
    if (painter == painters().constEnd())
        return QIcon();
    QPixmap pixmap(40, 40);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(2, 2);
        (*painter)(p);
    }
    pixmap.setDevicePixelRatio(2);
    return made.insert(key, QIcon(pixmap)).value();
}

} // namespace ReportIcons
