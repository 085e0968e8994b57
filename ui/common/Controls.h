// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QKeySequence>
#include <QPixmap>
#include <QShortcut>
#include <QString>
#include <QWidget>

namespace pexaro::ui {

// Element `index` of a control array is named "name(index)", e.g. "imgCard(12)".
QString elementName(const QString& arrayName, int index);

// A font given in points at 96 dots per inch, held in pixels so that text
// keeps its place among controls laid out in pixels whatever the screen's DPI.
QFont controlFont(const QString& family, double points, bool bold, bool underline = false);

// A compiled-in picture read in its own `format` and nothing else: left to
// guess, Qt would load every image format plugin to ask each one.
QPixmap readPicture(const QString& resource, const char* format);

// The program icon, for the dialog and the board window.
QIcon programIcon();

// A solid background of `colour` behind the control.
void setBackground(QWidget& control, const QColor& colour);
void setTextColour(QWidget& control, const QColor& colour);

// The contrast of two colours as WCAG measures it: 1 (none) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// ENTER unless Ctrl or Alt is held: Return or Enter, alone or with Shift or
// Meta. Qt's shortcuts match the keypad's Enter as Enter.
QList<QKeySequence> enterKeys();
// Ends the program at once, from the menu and where no menu is.
inline constexpr QKeyCombination kExitKey(Qt::CTRL | Qt::Key_X);

// Keys that reach `slot` while `widget` itself has the keyboard focus.
template<typename Receiver, typename Slot>
void takeKeys(QWidget& widget, const QList<QKeySequence>& keys, const Receiver* receiver, Slot slot)
{
    auto* shortcut = new QShortcut(&widget);
    shortcut->setKeys(keys);
    shortcut->setContext(Qt::WidgetShortcut);
    QObject::connect(shortcut, &QShortcut::activated, receiver, slot);
}

// A straight line of `width` pixels from (x1, y1) to (x2, y2), given in twips;
// horizontal or vertical only, centred on its coordinates.
QWidget* addLine(QWidget& parent, const QString& name, int x1, int y1, int x2, int y2, int width,
    const QColor& colour);

} // namespace pexaro::ui
