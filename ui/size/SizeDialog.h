// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QPushButton;

namespace pexaro::ui {

class GameSession;

// The board size dialog: the first window, and the one New Game returns to.
class SizeDialog : public QWidget {
    Q_OBJECT
public:
    explicit SizeDialog(GameSession& session, QWidget* parent = nullptr);

    // Opening state of the run: in the screen's corner, Start Game disabled.
    void initialize();

signals:
    void startGameRequested();
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void onSizeChosen(int index);
    void onStartClicked();

    GameSession& session_;
    QPushButton* cmdStart_ = nullptr;
};

} // namespace pexaro::ui
