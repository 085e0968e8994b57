// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/ScreenReader.h"

#include <QAccessibleWidget>
#include <QWidget>

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

} // namespace pexaro::ui
