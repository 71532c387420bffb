#pragma once

struct CrossTableState;

// The two-axis tables: X members across (a group of measure columns each), Y members down, with a
// subtotal row, and in type 2 a group of subtotal columns; combination columns from a second result
// set when CombinationType is not 0.
class CrossTableTwoAxes {
public:
    static void showDataTwo(CrossTableState& state);
    static void showDataTwoNoTotalX(CrossTableState& state);

private:
    static void build(CrossTableState& state, bool subtotalColumns);
    static void addCombinationColumns(CrossTableState& state);
};
