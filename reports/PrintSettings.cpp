#include "reports/PrintSettings.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace {

bool drawsChinese(const QString& family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese);
}

} // namespace

QFont PrintSettings::defaultFont(double points, bool bold) {
    QFont font;
    font.setPointSizeF(points);
    font.setBold(bold);
    return printable(font);
}

QString PrintSettings::chineseFamily() {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
        const QStringList preferred = {QStringLiteral("Noto Sans CJK SC"),
                                       QStringLiteral("Source Han Sans SC"),
                                       QStringLiteral("WenQuanYi Micro Hei"),
                                       QStringLiteral("Microsoft YaHei"),
                                       QStringLiteral("SimSun"),
                                       QStringLiteral("宋体")};
        for (const QString& name : preferred)
            if (installed.contains(name, Qt::CaseInsensitive))
                return name;
        return installed.value(0);
    }();
    return family;
}

QFont PrintSettings::printable(const QFont& font) {
    if (drawsChinese(QFontInfo(font).family()))
        return font;
    const QString family = chineseFamily();
    if (family.isEmpty())
        return font;
    QFont chinese = font;
    chinese.setFamily(family);
    return chinese;
}

QColor PrintSettings::color(quint32 bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

Qt::PenStyle PrintSettings::qtPenStyle() const {
    switch (penStyle) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

Qt::Alignment PrintSettings::qtTextAlign() const {
    switch (textAlign % 4) {
    case 1:
        return Qt::AlignRight;
    case 2:
        return Qt::AlignHCenter;
    case 3:
        return Qt::AlignJustify;
    default:
        return Qt::AlignLeft;
    }
}
