// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace pexaro::test {

// The board position of each place of the 8 x 8 grid, row by row, as the
// board layouts number them: nested squares from the top-left corner.
inline constexpr int kPositionAt[8][8] = {
    {0, 1, 4, 5, 16, 17, 36, 37},
    {2, 3, 6, 7, 18, 19, 38, 39},
    {8, 9, 10, 11, 20, 21, 40, 41},
    {12, 13, 14, 15, 22, 23, 42, 43},
    {24, 25, 26, 27, 28, 29, 44, 45},
    {30, 31, 32, 33, 34, 35, 46, 47},
    {48, 49, 50, 51, 52, 53, 54, 55},
    {56, 57, 58, 59, 60, 61, 62, 63},
};

} // namespace pexaro::test
