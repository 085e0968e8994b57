// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/Artwork.h"

#include <array>
#include <cmath>

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

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

// The name travels with its drawing, as the drawing's title, so that the two
// cannot drift apart; each is read once, when first needed.
QString Artwork::drawingName(int drawing)
{
    static std::array<QString, kDrawings> names;
    QString& name = names.at(static_cast<std::size_t>(drawing));
    if (!name.isEmpty())
        return name;
    QFile file(resourceOf(drawing));
    if (file.open(QIODevice::ReadOnly)) {
        QXmlStreamReader svg(&file);
        while (name.isEmpty() && svg.readNextStartElement()) {
            if (svg.name() == QLatin1String("title"))
                name = svg.readElementText();
            else if (svg.name() != QLatin1String("svg"))
                svg.skipCurrentElement();
        }
    }
    return name;
}

} // namespace pexaro::ui
