// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/ScreenReader.h"

#include "Game.h"

#include <QAccessibleWidget>

namespace pexaro::ui {

namespace {

constexpr char kRoleProperty[] = "pexaroScreenReaderRole";
constexpr char kHiddenProperty[] = "pexaroHiddenFromScreenReaders";

// A control with a role of our choosing, whose child controls are listed but
// for those hidden from screen readers.
class ChosenRoleAccessible : public QAccessibleWidget {
public:
    ChosenRoleAccessible(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role)
    {
    }

    int childCount() const override { return static_cast<int>(listed().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = listed();
        if (index < 0 || index >= children.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(children.at(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child || !child->object() || !child->object()->isWidgetType())
            return -1;
        return static_cast<int>(listed().indexOf(static_cast<QWidget*>(child->object())));
    }

private:
    // As Qt lists a widget's children, less the hidden ones.
    QList<QWidget*> listed() const
    {
        QList<QWidget*> children;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface* face = QAccessibleWidget::child(i);
            QObject* object = face ? face->object() : nullptr;
            if (object && object->isWidgetType() && !object->property(kHiddenProperty).toBool())
                children.append(static_cast<QWidget*>(object));
        }
        return children;
    }
};

QAccessibleInterface* chosenRoleAccessible(const QString&, QObject* object)
{
    const QVariant role = object->property(kRoleProperty);
    if (!role.isValid() || !object->isWidgetType())
        return nullptr;
    return new ChosenRoleAccessible(
        static_cast<QWidget*>(object), static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

QString spokenLine(const std::string& text)
{
    return QString::fromStdString(text).simplified();
}

QString spokenResult(const GameView& view)
{
    return QStringLiteral("%1 %2 %3, %4 %5")
        .arg(spokenLine(view.statusText), kTurnsHeading, QString::fromStdString(view.turnsCaption),
            kMatchesHeading, QString::fromStdString(view.matchesCaption));
}

void setScreenReaderRole(QWidget& control, QAccessible::Role role)
{
    static const bool factoryInstalled = (QAccessible::installFactory(chosenRoleAccessible), true);
    Q_UNUSED(factoryInstalled)
    control.setProperty(kRoleProperty, static_cast<int>(role));
}

void hideFromScreenReaders(QWidget& control)
{
    control.setProperty(kHiddenProperty, true);
}

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
