// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "size/SizeDialog.h"

#include "common/Controls.h"
#include "common/GameSession.h"
#include "common/ScreenReader.h"
#include "common/Twips.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace pexaro::ui {

SizeDialog::SizeDialog(GameSession& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint)
    , session_(session)
{
    // A dialog to a screen reader, which then reads its heading as it opens.
    setScreenReaderRole(*this, QAccessible::Dialog);
    setObjectName(QStringLiteral("frmBoardSize"));
    setWindowTitle(QStringLiteral("Pexaro--Board Size Selection"));
    setWindowIcon(programIcon());
    setFixedSize(twipsSize(4590, 2925));
    setBackground(*this, Qt::white);
    createControls();
}

void SizeDialog::createControls()
{
    const QFont times = controlFont(QStringLiteral("Times New Roman"), 18, true);

    auto* prompt = new QLabel(QStringLiteral("Select a Board Size: (Rows/Columns)"), this);
    prompt->setObjectName(QStringLiteral("lblBoardSize"));
    prompt->setGeometry(twipsRect(600, 120, 3375, 855));
    prompt->setFont(times);
    prompt->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    prompt->setWordWrap(true);
    setTextColour(*prompt, Qt::black);

    addLine(*this, QStringLiteral("Line1"), 240, 1080, 4320, 1080, 8, QColor(255, 0, 0));

    auto* strip = new QLabel(this);
    strip->setObjectName(QStringLiteral("lblSizeBack"));
    strip->setGeometry(twipsRect(240, 1440, 4095, 735));
    setBackground(*strip, QColor(0, 0, 255));
    strip->setAccessibleName(QStringLiteral("Board sizes"));

    auto* sizes = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* option = new QRadioButton(QString::number((i + 1) * 2), this);
        option->setObjectName(elementName(QStringLiteral("optBoardSize"), i));
        option->setGeometry(twipsRect(600 + 960 * i, 1560, 615, 495));
        option->setFont(times);
        // Says what the bare digit means; the caption stays first in the name.
        option->setAccessibleName(QStringLiteral("%1 rows by %1 columns").arg(option->text()));
        setBackground(*option, QColor(0, 0, 255));
        setTextColour(*option, Qt::black);
        // White circles with black dots on the blue strip, whatever the
        // desktop's scheme: a dark one's base colour hardly shows on blue.
        QPalette circles = option->palette();
        circles.setColor(QPalette::Base, Qt::white);
        circles.setColor(QPalette::Text, Qt::black);
        option->setPalette(circles);
        sizes->addButton(option, i);
    }
    connect(sizes, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked)
            onSizeChosen(index);
    });

    cmdStart_ = new QPushButton(QStringLiteral("Start Game"), this);
    cmdStart_->setObjectName(QStringLiteral("cmdStart"));
    cmdStart_->setGeometry(twipsRect(1650, 2280, 1275, 495));
    cmdStart_->setFont(controlFont(QStringLiteral("Arial"), 9.75, true));
    setBackground(*cmdStart_, QColor(0, 255, 0));
    setTextColour(*cmdStart_, Qt::black);
    connect(cmdStart_, &QPushButton::clicked, this, &SizeDialog::onStartClicked);

    setTabOrder(cmdStart_, sizes->button(0)); // the sizes follow in the order made

    // ENTER alone starts a game once a size is chosen, whichever control has
    // the focus; the keypad's Enter matches Enter.
    auto* startKey = new QShortcut(this);
    startKey->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    connect(startKey, &QShortcut::activated, this, [this] {
        if (cmdStart_->isEnabled())
            onStartClicked();
    });
    connect(new QShortcut(kExitKey, this), &QShortcut::activated, this, &SizeDialog::exitRequested);
}

void SizeDialog::initialize()
{
    const QScreen* where = screen();
    const QPoint origin = where ? where->geometry().topLeft() : QPoint();
    move(origin + QPoint(px(105), px(105)));
    cmdStart_->setEnabled(false);
}

void SizeDialog::onSizeChosen(int index)
{
    session_.chooseBoardSize((index + 1) * 2);
    cmdStart_->setEnabled(true);
}

void SizeDialog::onStartClicked()
{
    hide();
    emit startGameRequested();
}

void SizeDialog::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit exitRequested();
}

} // namespace pexaro::ui
