#pragma once
#include <QImage>
#include <QString>
#include <QStringList>

// The text of a printed PDF file as pdftotext reads it, page `page` (from 1) or all pages (0), in
// compatibility form. A PDF names each glyph by the lowest code point that the font maps to it; for
// glyphs a Chinese ideograph shares with a radical, that is the radical, so the text reads radicals
// where ideographs were printed. They are read back as the ideographs.
QString pdfText(const QString& file, int page = 0);

// Whether the PDF text shows `expected` (compared in the same form).
bool pdfShows(const QString& text, const QString& expected);

// The text exactly as pdftotext reads it (no folding), all pages, without layout.
QString pdfExactText(const QString& file);

// What a PDF tool of poppler (pdftotext, pdfinfo, pdffonts, pdftoppm) writes for `arguments`. A tool that
// does not end within 30 s, or fails, fails the test with its name and what it said, and gives no output.
QString pdfToolOutput(const QString& tool, const QStringList& arguments);

// The number of pages of a PDF file (-1 when it cannot be read).
int pdfPages(const QString& file);

// Page `page` (from 1) of a PDF file as pdftoppm renders it at `dpi` dots per inch.
QImage pdfPageImage(const QString& file, int page, int dpi);
