// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace pexaro::ui {

// Window geometry is laid out in twips, 15 to the logical pixel.
inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips)
{
    return twips / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

constexpr QSize twipsSize(int width, int height)
{
    return {px(width), px(height)};
}

} // namespace pexaro::ui
