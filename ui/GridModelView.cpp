// What a Qt view asks of the grid: the data rows, the header, the roles of a cell.
#include "ui/GridModel.h"
#include "ui/TextLimit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <algorithm>

namespace {
const QColor FixedCellBack(240, 240, 240);
} // namespace

int GridModel::widestScreenPx() {
    static const int widest = [] {
        int px = 3840;
        if (qGuiApp)
            for (const QScreen* screen : QGuiApplication::screens())
                px = std::max(px, screen->geometry().width());
        return px;
    }();
    return widest;
}

int GridModel::visibleTextLimit() {
    return widestScreenPx() / 2;
}

QString GridModel::visibleText(int row, int col) const {
    QString text = cellText(row, col);
    const int limit = visibleTextLimit();
    if (text.size() <= limit)
        return text;
    // Cut where a character as the user sees it ends (never inside a pair, a flag or before a mark).
    // Only a start of the text is examined, however long the cell: a character is at most two
    // units, so the slice holds more characters than the limit and its own end is never kept.
    return TextLimit::firstCharacters(text.left(2 * qsizetype(limit) + 2), limit);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(m_rows - firstModelRow(), 0);
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return QVariant();
    const int row = index.row() + firstModelRow();
    const int col = index.column();
    if (!inside(row, col))
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return visibleText(row, col);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(qtAlignment(row, col));
    case Qt::FontRole:
        if (cell(CellProp::FontBold, row, col).toBool()) {
            QFont bold = m_font;
            bold.setBold(true);
            return bold;
        }
        return QVariant();
    case Qt::ForegroundRole:
        return cell(CellProp::ForeColor, row, col);
    case Qt::BackgroundRole: {
        const QVariant back = cell(CellProp::BackColor, row, col);
        if (back.isValid())
            return back;
        return col < m_fixedCols || row < m_fixedRows ? QVariant(FixedCellBack) : QVariant();
    }
    default:
        return QVariant();
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + firstModelRow()) : QVariant();
    if (section < 0 || section >= m_cols)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole: {
        QStringList lines;
        for (int r = 0; r < m_fixedRows && r < m_rows; ++r)
            lines << visibleText(r, section);
        return lines.join(QLatin1Char('\n'));
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(qtAlignment(0, section));
    case Qt::FontRole:
        if (cell(CellProp::FontBold, 0, section).toBool()) {
            QFont bold = m_font;
            bold.setBold(true);
            return bold;
        }
        return QVariant();
    case Qt::ForegroundRole:
        return cell(CellProp::ForeColor, 0, section);
    default:
        return QVariant();
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
