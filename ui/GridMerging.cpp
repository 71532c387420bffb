#include "ui/GridMerging.h"

QList<QRect> mergedGridBlocks(int rowCount, int colCount, const std::function<QString(int, int)>& text,
                              const QSet<int>& rows, const QSet<int>& cols) {
    QList<QRect> blocks;
    QSet<quint64> taken;
    const auto key = [](int r, int c) { return (static_cast<quint64>(r) << 32) | static_cast<quint32>(c); };
    for (int r : rows) {
        if (r < 0 || r >= rowCount)
            continue;
        int c = 0;
        while (c < colCount) {
            int end = c;
            while (end + 1 < colCount && text(r, end + 1) == text(r, c))
                ++end;
            if (end > c) {
                blocks.append(QRect(c, r, end - c + 1, 1));
                for (int i = c; i <= end; ++i)
                    taken.insert(key(r, i));
            }
            c = end + 1;
        }
    }
    for (int c : cols) {
        if (c < 0 || c >= colCount)
            continue;
        int r = 0;
        while (r < rowCount) {
            if (taken.contains(key(r, c))) {
                ++r;
                continue;
            }
            int end = r;
            while (end + 1 < rowCount && !taken.contains(key(end + 1, c)) && text(end + 1, c) == text(r, c))
                ++end;
            if (end > r)
                blocks.append(QRect(c, r, 1, end - r + 1));
            r = end + 1;
        }
    }
    return blocks;
}
