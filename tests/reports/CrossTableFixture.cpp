#include "tests/reports/CrossTableFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

CrossTableFixture::CrossTableFixture() {
    db().ExecSQL(
        QStringLiteral("create table cross_rows (id integer primary key, x, xt, y, yt, z, zt, m1, m2, t)"));
    m_engine.setConnect(&db());
    m_engine.setGrid(&m_grid);
}

void CrossTableFixture::insert(const QList<QVariantList>& rows) {
    for (const QVariantList& r : rows)
        db().ExecSQL(QStringLiteral("insert into cross_rows (x, xt, y, yt, z, zt, m1, m2, t) "
                                    "values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     {r[0], r[0], r[1], r[1], r[2], r[2], r[3], r[4], r.value(5)});
}

void CrossTableFixture::insertExample() {
    insert({
        {"A", "p", "u", 1, 10, "a"},
        {"B", "p", "u", 2, 20, "b"},
        {"A", "q", "u", 3, 30, "c"},
        {"B", "q", "v", 4, 40, "d"},
        {"A", "p", "v", 5, 50, "e"},
        {"B", "q", "u", 6, QVariant(), "f"},
        {"A", "p", "u", 7, 70, "g"},
    });
}

void CrossTableFixture::configure(int type, const QString& measures) {
    m_engine.setCrossTableType(static_cast<qint16>(type));
    m_engine.setX轴字段(QStringLiteral("x"));
    m_engine.setX轴标题(QStringLiteral("xt"));
    m_engine.setY轴字段(QStringLiteral("y"));
    m_engine.setY轴标题(QStringLiteral("yt"));
    m_engine.setZ轴字段(QStringLiteral("z"));
    m_engine.setZ轴标题(QStringLiteral("zt"));
    m_engine.set计算字段(measures);
    m_engine.setSql(QStringLiteral("select * from cross_rows order by id"));
}

void CrossTableFixture::build() {
    QString title = QStringLiteral("报表");
    m_engine.ShowData(title);
}

namespace {
QString keyText(const QVariant& key) {
    if (!key.isValid())
        return QStringLiteral("-");
    if (key.typeId() == QMetaType::QString)
        return QLatin1Char('\'') + key.toString() + QLatin1Char('\'');
    return key.toString();
}
} // namespace

QString CrossTableFixture::render(const GridModel& g) {
    QString out = QStringLiteral("rows %1 cols %2 fixed %3x%4 height %5\n")
                      .arg(g.Rows())
                      .arg(g.Cols())
                      .arg(g.FixedRows())
                      .arg(g.FixedCols())
                      .arg(g.AllRowsHeight());
    for (int r = 0; r < g.Rows(); ++r) {
        QStringList cells{keyText(g.RowData(r))};
        for (int c = 0; c < g.Cols(); ++c) {
            const QRect block = g.mergedRange(r, c);
            if (block.topLeft() != QPoint(c, r)) {
                cells << QStringLiteral("~");
                continue;
            }
            QStringList marks;
            if (g.cell(GridModel::CellProp::FontBold, r, c).toBool())
                marks << QStringLiteral("b");
            const QVariant fore = g.cell(GridModel::CellProp::ForeColor, r, c);
            if (fore.isValid())
                marks << fore.value<QColor>().name();
            const QVariant align = g.cell(GridModel::CellProp::Alignment, r, c);
            if (align.isValid() && align.value<GridModel::Align>() == GridModel::Align::Center)
                marks << QStringLiteral("c");
            if (block.width() * block.height() > 1)
                marks << QStringLiteral("m%1x%2").arg(block.width()).arg(block.height());
            cells << g.TextMatrix(r, c) + (marks.isEmpty() ? QString() : "{" + marks.join(',') + "}");
        }
        out += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    QStringList colData{QStringLiteral("cols")};
    for (int c = 0; c < g.Cols(); ++c)
        colData << keyText(g.ColData(c));
    out += colData.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return out;
}

void expectGolden(const QString& name, const QString& text) {
    const QString path =
        QFileInfo(QString::fromUtf8(__FILE__)).dir().filePath(QStringLiteral("golden/%1.txt").arg(name));
    if (qEnvironmentVariableIntValue("CRM_UPDATE_GOLDEN") == 1) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(text.toUtf8());
        return;
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "missing golden file " << path.toStdString();
    EXPECT_EQ(QString::fromUtf8(file.readAll()).toStdString(), text.toStdString()) << name.toStdString();
}
