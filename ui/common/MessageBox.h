// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

namespace pexaro::ui {

// A modal box with one OK button and no icon; returns when it is closed.
void showMessage(QWidget* parent, const QString& text, const QString& title);

} // namespace pexaro::ui
