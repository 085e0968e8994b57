// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessible>
#include <QWidget>

#include <string>

namespace pexaro {
struct GameView;
} // namespace pexaro

namespace pexaro::ui {

// The score panel's headings, as it shows them and as they are spoken.
inline constexpr QLatin1StringView kTurnsHeading("Turns:");
inline constexpr QLatin1StringView kMatchesHeading("Matches:");
inline constexpr QLatin1StringView kStatusHeading("Status:");

// A game text as one spoken line: its line breaks become spaces.
QString spokenLine(const std::string& text);
// A scored turn: the status as the panel shows it, then the counters as it
// heads them, "… Turns: 3, Matches: 1".
QString spokenResult(const GameView& view);

// Gives `control` the role `role` for screen readers, which then list of its
// controls all but those hidden with hideFromScreenReaders(). Call it before
// the control is named: Qt keeps the first accessible interface it makes.
void setScreenReaderRole(QWidget& control, QAccessible::Role role);
// Leaves `control` out of what a screen reader lists and reads of its parent,
// which needs a role given by setScreenReaderRole(): for decorations, and for
// headings that the control they head already speaks.
void hideFromScreenReaders(QWidget& control);

// Has a screen reader speak a message at once, wherever its focus is, and
// shows nothing: screen readers drop the renaming of a control that is not
// their focus, which is all a label's change would be. To a screen reader it
// is the window's status bar, holding the last message.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& message);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* message_ = nullptr;
};

} // namespace pexaro::ui
