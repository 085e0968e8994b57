// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/Artwork.h"

#include <array>
#include <cmath>

#include <QPainter>
#include <QSvgRenderer>

namespace pexaro::ui {

namespace {

QString resourceOf(int drawing)
{
    if (drawing == Artwork::kBack)
        return QStringLiteral(":/back.svg");
    return QStringLiteral(":/faces/face%1.svg").arg(drawing, 2, 10, QLatin1Char('0'));
}

} // namespace

Artwork::Artwork() = default;
Artwork::~Artwork() = default;

const QPixmap& Artwork::pixmap(int drawing, QSize size, qreal ratio)
{
    const auto key = std::make_tuple(drawing, size.width(), size.height(), ratio);
    auto found = cache_.find(key);
    if (found != cache_.end())
        return found->second;

    // Whole device pixels, rounded up: at a fractional ratio a rounded-down
    // picture would leave the card's last pixel row and column unpainted.
    QPixmap picture(static_cast<int>(std::ceil(size.width() * ratio)),
        static_cast<int>(std::ceil(size.height() * ratio)));
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    // Parsed for this one rendering and let go: the 33 parsed drawings would
    // hold about a megabyte for the rare change of card size or pixel ratio.
    QSvgRenderer renderer(resourceOf(drawing));
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(QPointF(0, 0), picture.deviceIndependentSize()));
    painter.end();
    return cache_.emplace(key, picture).first->second;
}

QString Artwork::drawingName(int drawing)
{
    static constexpr std::array<const char*, kDrawings> names {"sun", "fish", "house", "pine tree",
        "key", "umbrella", "anchor", "heart", "star", "crescent moon", "car", "sailboat", "bell",
        "leaf", "mushroom", "mug", "apple", "lightning bolt", "cat", "bird", "rocket", "flower",
        "hammer", "musical notes", "rain cloud", "crown", "snail", "cactus", "kite", "hourglass",
        "butterfly", "glasses"};
    return QString::fromLatin1(names.at(static_cast<std::size_t>(drawing)));
}

} // namespace pexaro::ui
