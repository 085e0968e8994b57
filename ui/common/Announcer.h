// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace pexaro::ui {

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
