// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/MessageBox.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace pexaro::ui {

void showMessage(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setTextFormat(Qt::PlainText);
    // A box without an icon: some desktops' styles would put one on its button.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

} // namespace pexaro::ui
