// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The idle baseline: one empty window and two timers that tick every
// millisecond and do nothing, as the game's two timers do when no one plays.
// With the argument "text" the window shows one line of text, so that the
// font machinery is loaded as well.
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <cstring>
#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool text = argc > 1 && std::strcmp(argv[1], "text") == 0;
    std::unique_ptr<QWidget> window = text
        ? std::make_unique<QLabel>(QStringLiteral("Select a Board Size: (Rows/Columns)"))
        : std::make_unique<QWidget>();
    window->setWindowTitle(QStringLiteral("bare idle"));
    window->resize(306, 195);
    window->show();
    QTimer first;
    QTimer second;
    for (QTimer* timer : {&first, &second}) {
        timer->setInterval(1);
        QObject::connect(timer, &QTimer::timeout, [] {});
        timer->start();
    }
    return QApplication::exec();
}
