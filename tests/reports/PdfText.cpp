#include "tests/reports/PdfText.h"
#include "reports/PrintSettings.h"

#include <QFontDatabase>
#include <QHash>
#include <QProcess>
#include <QRawFont>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString ucs4(char32_t c) {
    return QString::fromUcs4(&c, 1);
}

// Radical -> the ideograph drawn with the same glyph in the font that prints Chinese.
const QHash<char32_t, char32_t>& radicalIdeographs() {
    static const QHash<char32_t, char32_t> map = [] {
        QHash<char32_t, char32_t> result;
        QFont font(PrintSettings::chineseFamily());
        font.setPixelSize(20);
        const QRawFont raw = QRawFont::fromFont(font, QFontDatabase::SimplifiedChinese);
        const auto glyph = [&raw](char32_t c) {
            const QList<quint32> glyphs = raw.glyphIndexesForString(ucs4(c));
            return glyphs.isEmpty() ? 0u : glyphs.first();
        };
        QHash<quint32, char32_t> radicalOfGlyph;
        for (char32_t c = 0x2E80; c <= 0x2FDF; ++c)
            if (const quint32 g = glyph(c))
                radicalOfGlyph.insert(g, c);
        for (char32_t c = 0x4E00; c <= 0x9FFF; ++c) {
            const auto found = radicalOfGlyph.constFind(glyph(c));
            if (found != radicalOfGlyph.constEnd() && !result.contains(*found))
                result.insert(*found, c);
        }
        return result;
    }();
    return map;
}

QString readable(const QString& text) {
    QString folded;
    folded.reserve(text.size());
    for (const char32_t c : text.toUcs4())
        folded += ucs4(radicalIdeographs().value(c, c));
    return folded.normalized(QString::NormalizationForm_KC);
}

} // namespace

QString pdfToolOutput(const QString& tool, const QStringList& arguments) {
    QProcess run;
    run.start(tool, arguments);
    if (!run.waitForFinished(30000)) {
        run.kill();
        run.waitForFinished(1000);
        ADD_FAILURE() << tool.toStdString()
                      << " did not end within 30 s: " << run.errorString().toStdString();
        return QString();
    }
    if (run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString() << " failed: " << run.readAllStandardError().toStdString();
        return QString();
    }
    return QString::fromUtf8(run.readAllStandardOutput());
}

QString pdfText(const QString& file, int page) {
    QStringList args{"-layout"};
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    return readable(pdfToolOutput("pdftotext", args << file << "-"));
}

QString pdfExactText(const QString& file) {
    return pdfToolOutput("pdftotext", {file, "-"});
}

bool pdfShows(const QString& text, const QString& expected) {
    return text.contains(readable(expected));
}

int pdfPages(const QString& file) {
    for (const QString& line : pdfToolOutput("pdfinfo", {file}).split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

QImage pdfPageImage(const QString& file, int page, int dpi) {
    QTemporaryDir dir;
    const QString base = dir.filePath("page");
    pdfToolOutput("pdftoppm", {"-png", "-singlefile", "-r", QString::number(dpi), "-f", QString::number(page),
                               "-l", QString::number(page), file, base});
    return QImage(base + ".png");
}
