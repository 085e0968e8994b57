// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/Announcer.h"

#include "common/ScreenReader.h"

#include <QAccessible>

namespace pexaro::ui {

Announcer::Announcer(QWidget* parent)
    : QWidget(parent)
{
    setScreenReaderRole(*this, QAccessible::StatusBar);
    setObjectName(QStringLiteral("announcer"));
    setAccessibleName(QStringLiteral("Game status"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0); // nothing to see
    message_ = new QWidget(this);
    // A notification in a status bar is spoken without the word "notification".
    setScreenReaderRole(*message_, QAccessible::Notification);
    message_->setGeometry(0, 0, 0, 0);
    message_->hide();
}

void Announcer::announce(const QString& message)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(window(), message);
    QAccessible::updateAccessibility(&event);
#else
    // Before Qt 6.8 a notification coming into view is what every screen
    // reader speaks, named with its message.
    message_->hide();
    message_->setAccessibleName(message);
    message_->show();
#endif
}

// Else the last message would come into view, and be spoken, with the window.
void Announcer::hideEvent(QHideEvent* event)
{
    message_->hide();
    QWidget::hideEvent(event);
}

} // namespace pexaro::ui
