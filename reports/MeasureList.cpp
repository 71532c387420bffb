#include "reports/MeasureList.h"
#include "core/BlankTrim.h"
#include "reports/CrossTableError.h"

MeasureList MeasureList::parse(const QString& measureText, bool trimNames) {
    if (measureText.isEmpty())
        throw CrossTableError(QStringLiteral("计算字段不能为空"));
    MeasureList list;
    for (const QString& item : measureText.split(QLatin1Char(','))) {
        const QStringList parts = item.split(QLatin1Char(':'));
        list.names << (trimNames ? trimBlanks(parts[0]) : parts[0]);
        list.captions << (parts.size() > 1 ? parts[1] : parts[0]);
    }
    return list;
}
