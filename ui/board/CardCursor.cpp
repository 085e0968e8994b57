// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/CardCursor.h"

#include "BoardLayout.h"
#include "common/Controls.h"
#include "common/ScreenReader.h"

#include <QPainter>

#include <algorithm>

namespace pexaro::ui {

CardCursor::CardCursor(QWidget* parent, QWidget& keyboard)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("cardCursor"));
    setAccessibleName(QStringLiteral("keyboard cursor"));
    hideFromScreenReaders(*this);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    takeKeys(keyboard, {Qt::Key_Left}, this, [this] { step(0, -1); });
    takeKeys(keyboard, {Qt::Key_Right}, this, [this] { step(0, 1); });
    takeKeys(keyboard, {Qt::Key_Up}, this, [this] { step(-1, 0); });
    takeKeys(keyboard, {Qt::Key_Down}, this, [this] { step(1, 0); });
    takeKeys(keyboard, {Qt::Key_Space}, this, [this] {
        if (side_ == 0)
            return;
        place(position_, true);
        emit chosen(position_);
    });
}

void CardCursor::reset(int side)
{
    side_ = side;
    place(0, false);
}

void CardCursor::place(int position, bool shown)
{
    position_ = position;
    setVisible(shown);
    emit moved();
}

void CardCursor::step(int rowStep, int columnStep)
{
    if (side_ == 0)
        return;
    const int last = side_ - 1;
    const GridPlace place = gridPlace(position_);
    this->place(gridPosition({std::clamp(place.column + columnStep, 0, last),
                    std::clamp(place.row + rowStep, 0, last)}),
        true);
    emit stepped();
}

void CardCursor::paintEvent(QPaintEvent*)
{
    constexpr int kWidth = 2; // logical pixels, so it stays as plain on dense screens
    constexpr int kInset = 2 + kWidth / 2; // the pen is centred on the rectangle
    const QRect frame = rect().adjusted(kInset, kInset, -kInset, -kInset);
    QPainter painter(this);
    painter.setPen(QPen(Qt::white, kWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawRect(frame);
    QPen dashes(Qt::black, kWidth, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    dashes.setDashPattern({2.0, 2.0}); // in pen widths: 4 pixels black, 4 white
    painter.setPen(dashes);
    painter.drawRect(frame);
}

} // namespace pexaro::ui
