// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>
#include <QSize>

#include <map>
#include <tuple>

namespace pexaro::ui {

// The card pictures, each drawing rendered once per size and device pixel
// ratio and kept, so that painting a card is a pixmap copy.
class Artwork {
public:
    static constexpr int kBack = -1;
    static constexpr int kDrawings = 32;

    Artwork();
    ~Artwork();
    Artwork(const Artwork&) = delete;
    Artwork& operator=(const Artwork&) = delete;

    // `drawing` is 0..31 for a face or kBack; the drawing fills `size` exactly.
    const QPixmap& pixmap(int drawing, QSize size, qreal ratio);

    // What face drawing `drawing` (0..31) shows, in words, for screen readers.
    static QString drawingName(int drawing);

private:
    std::map<std::tuple<int, int, int, qreal>, QPixmap> cache_;
};

} // namespace pexaro::ui
