#pragma once
#include <QList>
#include <QRect>
#include <QSet>
#include <QString>
#include <functional>

// Which equal neighbouring cells of a grid merge into one block: runs along the rows marked for it
// first, then runs down the marked columns over the cells that no row run has taken. Blocks are
// given as x = column, y = row; only blocks of more than one cell are answered.
QList<QRect> mergedGridBlocks(int rows, int cols, const std::function<QString(int, int)>& text,
                              const QSet<int>& mergeRows, const QSet<int>& mergeCols);
