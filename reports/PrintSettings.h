#pragma once
#include <QColor>
#include <QFont>
#include <QString>

// The settings of the printing control that shape a printed report. Sizes are in twips (1440 to an
// inch), colours as the old 32-bit numbers (blue, green, red from the high byte down). Settings that
// a Qt printer has no use for are kept as they were set, without effect.
struct PrintSettings {
    // Page texts, "left|centre|right"; a text without "|" stands in the centre. "%d" is the page number.
    QString header;
    QString footer;

    double marginLeft = 1080;
    double marginRight = 1080;
    double marginTop = 1440;
    double marginBottom = 1080;
    double marginHeader = 720;
    double marginFooter = 540;
    // Paper size; 0 keeps the printer's own.
    double paperWidth = 0;
    double paperHeight = 0;

    QFont font = defaultFont(10);
    quint32 textColor = 0x000000;
    int textAlign = 0; // 0 left, 1 right, 2 centre, 3 justified
    double spaceBefore = 0;
    double spaceAfter = 120;
    double indentLeft = 0;
    double lineSpacing = 100; // percent of the font's line

    QFont headerFont = defaultFont(14, true);
    quint32 headerColor = 0x000000;

    quint32 penColor = 0x000000;
    int penStyle = 0; // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none
    double penWidth = 0;
    double tablePen = 10; // width of the table's lines
    quint32 backColor = 0xFFFFFF;

    // Kept without effect.
    double pageWidth = 0;
    double pageHeight = 0;
    int pageBorder = 0;
    int tableBorder = 0;
    double tablePenLR = 0;
    double tablePenTB = 0;
    QString tableSep;
    QString polygon;
    QString polyline;

    static QFont defaultFont(double points, bool bold = false);
    // The font as it prints: its own family when that family draws Chinese, else a family that does.
    // A family without Chinese glyphs borrows them from another font whose ascent and size differ, so
    // that Chinese prints smaller and lower than the Latin text of the same line and overflows rows
    // measured with the first family. A family that draws a radical and its ideograph with one glyph
    // (Noto Sans CJK does) is replaced too: the PDF's text would read the radical.
    static QFont printable(const QFont& font);
    // The installed family that prints Chinese (with Latin letters of its own), one whose glyphs each
    // stand for one character where there is such a family; empty without any.
    static QString chineseFamily();
    static QColor color(quint32 bgr);
    Qt::PenStyle qtPenStyle() const;
    Qt::Alignment qtTextAlign() const;
};
