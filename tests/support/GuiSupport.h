// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Game.h"
#include "app/Program.h"
#include "common/GameSession.h"

#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

namespace pexaro::test {

// A text as a label shows it: each CR LF one LF.
inline QString onLabel(const std::string& text)
{
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Closes every modal message box with its OK button, as a player would, and
// remembers what each one said.
class MessageBoxCloser : public QObject {
public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        int buttons;
        bool okButtonHasIcon;
    };

    MessageBoxCloser()
    {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &MessageBoxCloser::closeOpenBox);
        timer_.start();
    }

    const std::vector<Seen>& seen() const { return seen_; }

private:
    void closeOpenBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        seen_.push_back({box->windowTitle(), box->text(), box->icon(),
            static_cast<int>(box->buttons().size()), ok && !ok->icon().isNull()});
        if (ok)
            ok->click();
        else
            box->reject();
    }

    QTimer timer_;
    std::vector<Seen> seen_;
};

// A whole program whose deals come from a fixed seed instead of the clock.
inline std::unique_ptr<ui::Program> seededProgram(float seed = 1234.5f)
{
    return std::make_unique<ui::Program>(
        std::make_unique<Game>(std::make_unique<StdRandomSource>(), [seed] { return seed; }));
}

} // namespace pexaro::test
