#pragma once

struct CrossTableState;

// The tables with members down one axis: type 1 (one row per X member, one column per measure) and
// type 5 (the same without totals, an empty last row, rows titled "小计" in the data highlighted).
class CrossTableOneAxis {
public:
    static void showDataOne(CrossTableState& state);
    static void showDataTwoNoTotalXY(CrossTableState& state);
};
