// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace pexaro {

struct GridPlace {
    int column; // 0..7, from the left
    int row; // 0..7, from the top
    friend bool operator==(GridPlace, GridPlace) = default;
};

// Place of board position 0..63 on the 8 x 8 grid. Positions fill nested
// squares, so positions 0..n*n-1 are exactly the top-left n x n block.
constexpr GridPlace gridPlace(int position)
{
    int ring = 0; // the ring growing the square from m x m to (m + 2) x (m + 2)
    while ((2 * ring + 2) * (2 * ring + 2) <= position)
        ++ring;
    const int m = 2 * ring;
    const int offset = position - m * m;
    if (offset < 2 * m) // the two new columns of rows 0..m-1
        return {m + offset % 2, offset / 2};
    const int inNewRows = offset - 2 * m; // the two new rows across all m + 2 columns
    return {inNewRows % (m + 2), m + inNewRows / (m + 2)};
}

// The board position at `place` (column and row 0..7): gridPlace's inverse.
constexpr int gridPosition(GridPlace place)
{
    const int m = (place.column > place.row ? place.column : place.row) / 2 * 2;
    if (place.row < m) // one of the two new columns
        return m * m + 2 * place.row + (place.column - m);
    return m * m + 2 * m + (place.row - m) * (m + 2) + place.column;
}

} // namespace pexaro
