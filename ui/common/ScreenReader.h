// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessible>
#include <QString>

class QWidget;

namespace pexaro::ui {

// The score panel's headings, as it shows them and as they are spoken.
inline constexpr QLatin1StringView kTurnsHeading("Turns:");
inline constexpr QLatin1StringView kMatchesHeading("Matches:");
inline constexpr QLatin1StringView kStatusHeading("Status:");

// Gives `control` the role `role` for screen readers, which then list of its
// controls all but those hidden with hideFromScreenReaders(). Call it before
// the control is named: Qt keeps the first accessible interface it makes.
void setScreenReaderRole(QWidget& control, QAccessible::Role role);
// Leaves `control` out of what a screen reader lists and reads of its parent,
// which needs a role given by setScreenReaderRole(): for decorations, and for
// headings that the control they head already speaks.
void hideFromScreenReaders(QWidget& control);

} // namespace pexaro::ui
