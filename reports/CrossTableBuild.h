#pragma once
#include "core/WaitCursor.h"
#include "reports/CrossTableState.h"

#include <QList>
#include <QString>
#include <optional>

class GridModel;

// The steps every table build shares: the grid reset, the query, the empty result, repainting off
// while the table is filled, the reading of key, title and measure columns. Lives for one build;
// repainting comes back on however the build ends.
//
// The table of the last build stands until the new rows are read: the grid, the results, the axis
// members and the sums. A read that the user stops (ReadCancelled, thrown on) leaves all of it as it
// was; so while the rows are read, the last table and the new rows are held at once.
class CrossTableBuild {
public:
    explicit CrossTableBuild(CrossTableState& state);
    ~CrossTableBuild();
    CrossTableBuild(const CrossTableBuild&) = delete;
    CrossTableBuild& operator=(const CrossTableBuild&) = delete;

    GridModel& grid() { return *m_state.grid; }
    // The table emptied (cells, formats, keys, merging) and sized rows x cols. Tables whose header
    // cells merge draw their fixed rows as cells; the others keep them as the column header, which
    // stays in view while the rows scroll. Done once the rows are read (or when the build ends
    // without reading).
    enum class Header { Cells, ColumnHeader };
    void resetGrid(int rows, int cols, Header header);
    // Runs Sql on Connect. False when the result has no record: the grid is then 0 x 0 and the member
    // lists, the sum table and Data are cleared, so nothing stale is charted.
    bool run();
    const Recordset& data() const { return *m_state.results.first(); }
    int records() const { return data().RecordCount(); }
    // The index of a result column, or CrossTableError naming it.
    int column(const QString& name) const;
    int column(const Recordset& rs, const QString& name) const;
    QList<int> columns(const QStringList& names) const;
    // A key or title: Null reads as the empty text.
    CrossValue keyAt(int record, int column) const;
    CrossValue valueAt(int record, int column) const { return CrossValue::fromCell(cell(record, column)); }
    Recordset::CellView cell(int record, int column) const { return data().View(record, column); }
    // A record's member of an axis: looked up by its key, appended with the record's title when new.
    // Answers the member's index.
    int collect(AxisMemberList& members, int record, int keyColumn, int titleColumn) const;
    void redrawOff();
    void redrawOn();

private:
    struct Reset {
        int rows;
        int cols;
        Header header;
    };
    void applyReset();
    // Once the new rows are read (or could not be): the last build's table goes, and the reset is done.
    void letGoOfEarlier();
    // The last build's members, set aside until the new rows are in.
    void swapMembers();

    CrossTableState& m_state;
    WaitCursor m_waitCursor;
    std::optional<Reset> m_reset;
    AxisMemberList m_xEarlier, m_yEarlier, m_zEarlier;
    bool m_earlierAside = false;
    bool m_cancelled = false;
    bool m_redrawOff = false;
};
