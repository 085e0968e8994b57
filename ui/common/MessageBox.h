#pragma once

#include <QString>

class QWidget;

namespace pexaro::ui {

// A modal box with one OK button and no icon; returns when it is closed.
void showMessage(QWidget* parent, const QString& text, const QString& title);

} // namespace pexaro::ui
