#pragma once

struct CrossTableState;

// The three-axis tables: X members across (a group of measure columns each), Y members down inside
// one block of rows per Z member. Type 3 adds subtotals along X and Y, type 6 only the subtotal row of
// each block, type 7 none.
class CrossTableThreeAxes {
public:
    enum class Totals { XY, YOnly, None };
    static void build(CrossTableState& state, Totals totals);
};
