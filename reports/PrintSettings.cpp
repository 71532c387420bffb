#include "reports/PrintSettings.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QRawFont>
#include <QSet>

namespace {

bool drawsChinese(const QString& family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese);
}

QString characterRange(char32_t first, char32_t last) {
    QList<char32_t> all;
    for (char32_t c = first; c <= last; ++c)
        all.append(c);
    return QString::fromUcs4(all.constData(), all.size());
}

// Whether the family draws a radical (the Kangxi and supplementary radical blocks) and an ideograph
// with one glyph. A PDF's text names each glyph by the lowest character the font maps to it: text
// printed in such a font reads back with radicals where ideographs were printed ("户" as "⼾"), and
// cannot be searched or copied.
bool sharesRadicalGlyphs(const QString& family) {
    static QHash<QString, bool> known;
    if (const auto found = known.constFind(family); found != known.constEnd())
        return *found;
    QFont font(family);
    font.setPixelSize(20);
    const QRawFont raw = QRawFont::fromFont(font, QFontDatabase::SimplifiedChinese);
    QSet<quint32> radicals;
    for (const quint32 glyph : raw.glyphIndexesForString(characterRange(0x2E80, 0x2FDF)))
        if (glyph != 0)
            radicals.insert(glyph);
    bool shares = false;
    if (!radicals.isEmpty())
        for (const quint32 glyph : raw.glyphIndexesForString(characterRange(0x4E00, 0x9FFF)))
            if (radicals.contains(glyph)) {
                shares = true;
                break;
            }
    known.insert(family, shares);
    return shares;
}

// A family that prints Chinese so that the PDF's text holds the characters printed.
bool printsChineseText(const QString& family) {
    return drawsChinese(family) && !sharesRadicalGlyphs(family);
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
        const QStringList preferred = {QStringLiteral("WenQuanYi Micro Hei"),
                                       QStringLiteral("Microsoft YaHei"),
                                       QStringLiteral("SimSun"),
                                       QStringLiteral("宋体"),
                                       QStringLiteral("Noto Sans CJK SC"),
                                       QStringLiteral("Source Han Sans SC"),
                                       QStringLiteral("WenQuanYi Zen Hei")};
        QStringList candidates;
        for (const QString& name : preferred)
            if (installed.contains(name, Qt::CaseInsensitive))
                candidates.append(name);
        for (const QString& name : installed)
            if (!candidates.contains(name, Qt::CaseInsensitive) && !name.contains(QStringLiteral("Mono")))
                candidates.append(name);
        // Any family draws the characters; the first whose PDF text reads them back is the one.
        for (const QString& name : candidates)
            if (!sharesRadicalGlyphs(name))
                return name;
        return candidates.value(0);
    }();
    return family;
}

QFont PrintSettings::printable(const QFont& font) {
    if (printsChineseText(QFontInfo(font).family()))
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
