// The grid as tab-separated text, and that text written into a file.
#include "ui/GridModel.h"

#include <QFile>

namespace {
QString quotedForTabText(const QString& text) {
    if (!text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
} // namespace

QString GridModel::tabTextLine(int row) const {
    QString line;
    for (int c = 0; c < m_cols; ++c) {
        if (c > 0)
            line += QLatin1Char('\t');
        line += quotedForTabText(cellText(row, c));
    }
    line += QLatin1String("\r\n");
    return line;
}

QString GridModel::tabText(bool withFixedRows) const {
    QString text;
    for (int r = withFixedRows ? 0 : m_fixedRows; r < m_rows; ++r)
        text += tabTextLine(r);
    return text;
}

bool GridModel::SaveGrid(const QString& fileName, bool withFixedRows) const {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = tabText(withFixedRows).toUtf8();
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}
