// The grid as tab-separated text, and that text written into a file.
#include "core/Recordset.h"
#include "ui/GridModel.h"
#include "ui/Utf8Units.h"

#include <QFile>
#include <charconv>

namespace {
QString quotedForTabText(const QString& text) {
    if (!text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Whether UTF-8 bytes stand in tab-separated text as they are: a string holds them unchanged, and
// they hold no tab, line break or double quote.
bool plainField(QByteArrayView utf8) {
    bool plain = true;
    return forEachUtf16Unit(utf8,
                            [&](char16_t unit) {
                                plain =
                                    plain && unit != u'\t' && unit != u'\n' && unit != u'\r' && unit != u'"';
                            }) &&
           plain;
}
} // namespace

void GridModel::appendTabTextLine(int row, QByteArray& utf8) const {
    using Kind = Recordset::CellView::Kind;
    for (int c = 0; c < m_cols; ++c) {
        if (c > 0)
            utf8 += '\t';
        // A cell still shown from the result is written from its value as read, without a string
        // in between, where that gives the same bytes.
        if (m_source && m_cells.at(row, c).isNull() && !showsRowNumber(row, c)) {
            const int record = m_sourceRow.value(row, -1);
            const int field = m_sourceField.value(c, -1);
            if (record >= 0 && field >= 0) {
                const Recordset::CellView cell = m_source->View(record, field);
                if (cell.kind == Kind::Null)
                    continue;
                if (cell.kind == Kind::Integer) {
                    char digits[24];
                    const auto written = std::to_chars(digits, digits + sizeof digits, cell.integer);
                    utf8.append(digits, written.ptr - digits);
                    continue;
                }
                if (cell.kind == Kind::Text && plainField(cell.bytes)) {
                    utf8.append(cell.bytes);
                    continue;
                }
            }
        }
        utf8 += quotedForTabText(cellText(row, c)).toUtf8();
    }
    utf8 += "\r\n";
}

QString GridModel::tabTextLine(int row) const {
    QByteArray line;
    appendTabTextLine(row, line);
    return QString::fromUtf8(line);
}

QByteArray GridModel::tabTextUtf8(bool withFixedRows) const {
    QByteArray text;
    for (int r = withFixedRows ? 0 : m_fixedRows; r < m_rows; ++r)
        appendTabTextLine(r, text);
    return text;
}

QString GridModel::tabText(bool withFixedRows) const {
    return QString::fromUtf8(tabTextUtf8(withFixedRows));
}

bool GridModel::SaveGrid(const QString& fileName, bool withFixedRows) const {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = tabTextUtf8(withFixedRows);
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}
