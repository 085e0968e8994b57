// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The three windows as they are before any game code runs: every control's
// place, caption, font, colours and starting state, the menu tree and the
// timers. Geometry is written in twips, as the windows are designed.

#include "ExpectedTexts.h"
#include "Game.h"
#include "GridTable.h"
#include "GuiSupport.h"
#include "PlaySupport.h"
#include "Player.h"
#include "board/BoardWindow.h"
#include "info/ScorePanel.h"
#include "size/SizeDialog.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <cmath>

using namespace pexaro;

namespace {

constexpr int pixels(int twips)
{
    return twips / 15;
}

QRect twipsRect(int left, int top, int width, int height)
{
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

// A line of `width` pixels is drawn centred on its coordinates.
QRect lineRect(int x1, int y1, int x2, int y2, int width)
{
    if (y1 == y2)
        return {pixels(x1), pixels(y1) - width / 2, pixels(x2 - x1), width};
    return {pixels(x1) - width / 2, pixels(y1), width, pixels(y2 - y1)};
}

QString element(const char* array, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

// The windows straight after construction, before any load handler runs.
// No test that holds them runs the event loop, so their timers never tick.
struct DesignTimeWindows {
    std::unique_ptr<ui::Program> program = test::seededProgram();
    ui::SizeDialog sizeDialog {program->session()};
    ui::BoardWindow boardWindow {program->session()};
    ui::ScorePanel scorePanel {program->session()};

    QWidget& window(const QString& name)
    {
        if (name == QLatin1String("frmBoardSize"))
            return sizeDialog;
        if (name == QLatin1String("frmPexaro"))
            return boardWindow;
        return scorePanel;
    }

    QWidget* control(const QString& windowName, const QString& name)
    {
        QWidget& owner = window(windowName);
        return name == windowName ? &owner : owner.findChild<QWidget*>(name);
    }
};

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 255, 0);

// A dark desktop's palette, as KDE's Breeze Dark gives it: pale text on a
// dark base.
QPalette breezeDark()
{
    QPalette palette(QColor(49, 54, 59), QColor(32, 35, 38));
    palette.setColor(QPalette::WindowText, QColor(252, 252, 252));
    palette.setColor(QPalette::Base, QColor(20, 22, 24));
    return palette;
}

// Two pixels a player tells apart at a glance: far apart in grey level.
bool standApart(QRgb a, QRgb b)
{
    return std::abs(qGray(a) - qGray(b)) >= 100;
}

} // namespace

class WindowDefinitions : public QObject {
    Q_OBJECT

private slots:
    // --- Controls -------------------------------------------------------

    void controlsLieWhereTheyAreDesigned_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("geometry");

        auto row = [](const char* window, const char* control, QRect geometry) {
            QTest::addRow("%s", control)
                << QString::fromLatin1(window) << QString::fromLatin1(control) << geometry;
        };
        row("frmBoardSize", "lblBoardSize", twipsRect(600, 120, 3375, 855));
        row("frmBoardSize", "Line1", lineRect(240, 1080, 4320, 1080, 8));
        row("frmBoardSize", "lblSizeBack", twipsRect(240, 1440, 4095, 735));
        for (int i = 0; i < 4; ++i) {
            const QByteArray name = element("optBoardSize", i).toLatin1();
            row("frmBoardSize", name.constData(), twipsRect(600 + 960 * i, 1560, 615, 495));
        }
        row("frmBoardSize", "cmdStart", twipsRect(1650, 2280, 1275, 495));

        row("frmStats", "lblStats", twipsRect(60, 120, 3975, 495));
        row("frmStats", "lblLabel1", twipsRect(180, 840, 1095, 255));
        row("frmStats", "lblTurns", twipsRect(120, 1140, 1200, 300));
        row("frmStats", "lblLabel2", twipsRect(180, 1740, 1455, 255));
        row("frmStats", "lblMatches", twipsRect(120, 2040, 1200, 300));
        row("frmStats", "lblStatus", twipsRect(1320, 2520, 2655, 1575));
        row("frmStats", "lblLabel3", twipsRect(510, 2760, 720, 255));
        row("frmStats", "cmdNext", twipsRect(180, 3240, 975, 615));
        QTest::addRow("frmStats Line1")
            << QStringLiteral("frmStats") << QStringLiteral("Line1") << lineRect(0, 0, 0, 4200, 4);
        QTest::addRow("frmStats Line2") << QStringLiteral("frmStats") << QStringLiteral("Line2")
                                        << lineRect(4080, 0, 4080, 4200, 2);
        QTest::addRow("frmStats Line3") << QStringLiteral("frmStats") << QStringLiteral("Line3")
                                        << lineRect(0, 4200, 4080, 4200, 2);
        QTest::addRow("frmStats Line4")
            << QStringLiteral("frmStats") << QStringLiteral("Line4") << lineRect(0, 0, 4080, 0, 4);

        for (int row8 = 0; row8 < 8; ++row8) {
            for (int column = 0; column < 8; ++column) {
                const int i = test::kPositionAt[row8][column];
                const int left = 120 + 840 * column;
                const int top = 120 + 840 * row8;
                const QByteArray back = element("imgCard", i).toLatin1();
                const QByteArray face = element("imgFlip", i).toLatin1();
                row("frmPexaro", back.constData(), twipsRect(left, top, 855, 855));
                row("frmPexaro", face.constData(), twipsRect(left, top, 885, 855));
            }
        }
    }

    void controlsLieWhereTheyAreDesigned()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QRect, geometry);
        DesignTimeWindows windows;
        QWidget* widget = windows.control(window, control);
        QVERIFY2(widget, qPrintable(control));
        QCOMPARE(widget->geometry(), geometry);
    }

    void controlsCarryTheirCaptions_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");

        auto row = [](const char* window, const QString& control, const QString& caption) {
            QTest::addRow("%s", qPrintable(control))
                << QString::fromLatin1(window) << control << caption;
        };
        row("frmBoardSize", "lblBoardSize", "Select a Board Size: (Rows/Columns)");
        row("frmBoardSize", "lblSizeBack", QString());
        row("frmBoardSize", "optBoardSize(0)", "2");
        row("frmBoardSize", "optBoardSize(1)", "4");
        row("frmBoardSize", "optBoardSize(2)", "6");
        row("frmBoardSize", "optBoardSize(3)", "8");
        row("frmBoardSize", "cmdStart", "Start Game");
        row("frmStats", "lblStats", "Game Information");
        row("frmStats", "lblLabel1", "Turns:");
        row("frmStats", "lblTurns", "0");
        row("frmStats", "lblLabel2", "Matches:");
        row("frmStats", "lblMatches", "0");
        row("frmStats", "lblStatus",
            QString(36, QLatin1Char(' ')) + test::onLabel(test::expected::clickMessage).trimmed());
        row("frmStats", "lblLabel3", "Status:");
        row("frmStats", "cmdNext", " &Next Turn");
    }

    void controlsCarryTheirCaptions()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, caption);
        DesignTimeWindows windows;
        QWidget* widget = windows.control(window, control);
        QVERIFY2(widget, qPrintable(control));
        if (auto* label = qobject_cast<QLabel*>(widget))
            QCOMPARE(label->text(), caption);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            QCOMPARE(button->text(), caption);
        else
            QFAIL("neither a label nor a button");
    }

    void controlsUseTheirFonts_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("underline");

        auto row = [](const char* window, const QString& control, const char* family, double points,
                       bool underline = false) {
            QTest::addRow("%s", qPrintable(control))
                << QString::fromLatin1(window) << control << QString::fromLatin1(family) << points
                << underline;
        };
        row("frmBoardSize", "lblBoardSize", "Times New Roman", 18);
        for (int i = 0; i < 4; ++i)
            row("frmBoardSize", element("optBoardSize", i), "Times New Roman", 18);
        row("frmBoardSize", "cmdStart", "Arial", 9.75);
        row("frmStats", "lblStats", "Times New Roman", 21.75, true);
        for (const char* name : {"lblLabel1", "lblTurns", "lblLabel2", "lblMatches", "lblStatus",
                 "lblLabel3", "cmdNext"})
            row("frmStats", QString::fromLatin1(name), "Arial", 9.75);
    }

    // Every font of the windows is bold; sizes are points at 96 dots per inch.
    void controlsUseTheirFonts()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, family);
        QFETCH(double, points);
        QFETCH(bool, underline);
        DesignTimeWindows windows;
        QWidget* widget = windows.control(window, control);
        QVERIFY2(widget, qPrintable(control));
        const QFont font = widget->font();
        QCOMPARE(font.family(), family);
        QCOMPARE(font.pixelSize(), static_cast<int>(std::lround(points * 96.0 / 72.0)));
        QVERIFY(font.bold());
        QCOMPARE(font.underline(), underline);
        QCOMPARE(QFontInfo(font).pixelSize(), font.pixelSize());
    }

    void fontsResolveToTheRealFaceOrItsMetricTwin_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("families");
        const QStringList serif {"Times New Roman", "Liberation Serif"};
        const QStringList sans {"Arial", "Liberation Sans"};
        QTest::addRow("lblBoardSize") << "frmBoardSize"
                                      << "lblBoardSize" << serif;
        QTest::addRow("lblStats") << "frmStats"
                                  << "lblStats" << serif;
        QTest::addRow("cmdStart") << "frmBoardSize"
                                  << "cmdStart" << sans;
        QTest::addRow("lblStatus") << "frmStats"
                                   << "lblStatus" << sans;
    }

    // A substitute with other metrics would push the captions out of their boxes.
    void fontsResolveToTheRealFaceOrItsMetricTwin()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QStringList, families);
        DesignTimeWindows windows;
        QWidget* widget = windows.control(window, control);
        QVERIFY2(widget, qPrintable(control));
        const QFontInfo resolved(widget->font());
        QVERIFY2(families.contains(resolved.family()), qPrintable(resolved.family()));
        QVERIFY(resolved.bold());
    }

    void controlsShowTheirColours_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("role");
        QTest::addColumn<QColor>("colour");

        auto row = [](const char* window, const QString& control, QPalette::ColorRole role,
                       const QColor& colour) {
            QTest::addRow("%s %s", qPrintable(control),
                role == QPalette::Window           ? "background"
                    : role == QPalette::Button     ? "face"
                    : role == QPalette::ButtonText ? "button text"
                                                   : "text")
                << QString::fromLatin1(window) << control << static_cast<int>(role) << colour;
        };
        row("frmBoardSize", "frmBoardSize", QPalette::Window, kWhite);
        row("frmBoardSize", "lblBoardSize", QPalette::WindowText, kBlack);
        row("frmBoardSize", "Line1", QPalette::Window, QColor(255, 0, 0));
        row("frmBoardSize", "lblSizeBack", QPalette::Window, kBlue);
        for (int i = 0; i < 4; ++i) {
            row("frmBoardSize", element("optBoardSize", i), QPalette::Window, kBlue);
            row("frmBoardSize", element("optBoardSize", i), QPalette::WindowText, kBlack);
        }
        row("frmBoardSize", "cmdStart", QPalette::Button, kGreen);

        row("frmPexaro", "board", QPalette::Window, kWhite);

        row("frmStats", "frmStats", QPalette::Window, kWhite);
        row("frmStats", "frmStats", QPalette::WindowText, QColor(128, 255, 255));
        row("frmStats", "lblStats", QPalette::WindowText, kBlack);
        row("frmStats", "lblLabel1", QPalette::WindowText, kBlue);
        row("frmStats", "lblTurns", QPalette::WindowText, kBlack);
        row("frmStats", "lblLabel2", QPalette::WindowText, kBlue);
        row("frmStats", "lblMatches", QPalette::WindowText, kBlack);
        row("frmStats", "lblStatus", QPalette::Window, kWhite);
        row("frmStats", "lblStatus", QPalette::WindowText, QColor(192, 0, 0));
        row("frmStats", "lblLabel3", QPalette::WindowText, kBlue);
        row("frmStats", "cmdNext", QPalette::Button, kGreen);
        // The frame lines take the desktop's window-text colour, not the panel's own.
        const QColor system = QApplication::palette().color(QPalette::WindowText);
        for (const char* line : {"Line1", "Line2", "Line3", "Line4"})
            row("frmStats", QString::fromLatin1(line), QPalette::Window, system);
    }

    void controlsShowTheirColours()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QColor, colour);
        DesignTimeWindows windows;
        QWidget* widget = windows.control(window, control);
        QVERIFY2(widget, qPrintable(control));
        QCOMPARE(widget->palette().color(QPalette::Active, static_cast<QPalette::ColorRole>(role)),
            colour);
    }

    // Under a dark desktop scheme the panel's frame took the desktop's pale
    // text colour on the pale picture, and the size options' circles its dark
    // base colour on the blue strip: the panel had no edge, the options no
    // circles. Measured from the pixels, each against what lies beside it.
    void aDarkDesktopSchemeKeepsThePanelsEdgeAndTheSizeCircles()
    {
        const QPalette desktop = QApplication::palette();
        const auto restore = qScopeGuard([&] { QApplication::setPalette(desktop); });
        QApplication::setPalette(breezeDark());
        DesignTimeWindows windows;

        const QImage panel = windows.scorePanel.grab().toImage();
        const int right = panel.width() - 1;
        const int bottom = panel.height() - 1;
        const QPoint middle(panel.width() / 2, panel.height() / 2);
        // Each edge's outer pixel at its middle, against the picture 4 pixels in.
        for (const auto& [edge, in] : {std::pair(QPoint(0, middle.y()), QPoint(4, 0)),
                 std::pair(QPoint(right, middle.y()), QPoint(-4, 0)),
                 std::pair(QPoint(middle.x(), 0), QPoint(0, 4)),
                 std::pair(QPoint(middle.x(), bottom), QPoint(0, -4))})
            QVERIFY2(standApart(panel.pixel(edge), panel.pixel(edge + in)),
                qPrintable(QDebug::toString(edge)));

        QWidget& dialog = windows.sizeDialog;
        const QImage shown = dialog.grab().toImage();
        const QPoint strip = dialog.findChild<QWidget*>(QStringLiteral("lblSizeBack"))->pos();
        for (int i = 0; i < 4; ++i) {
            auto* option = dialog.findChild<QRadioButton*>(element("optBoardSize", i));
            QStyleOptionButton look;
            look.initFrom(option);
            const QPoint circle = option->mapTo(&dialog,
                option->style()
                    ->subElementRect(QStyle::SE_RadioButtonIndicator, &look, option)
                    .center());
            QVERIFY2(standApart(shown.pixel(circle), shown.pixel(strip + QPoint(2, 2))),
                qPrintable(option->objectName()));
        }
    }

    // Start Game once looked the same enabled and disabled: its black caption
    // was set for every state, so the player could not see it was refused.
    void aDisabledStartGameLooksDisabled()
    {
        DesignTimeWindows windows;
        auto* start = windows.sizeDialog.findChild<QPushButton*>(QStringLiteral("cmdStart"));
        QVERIFY(start && start->isEnabled());
        const QImage enabled = start->grab().toImage();
        start->setEnabled(false);
        const QImage disabled = start->grab().toImage();
        QVERIFY(disabled != enabled);
        const QPalette palette = start->palette();
        QCOMPARE(palette.color(QPalette::Active, QPalette::ButtonText), kBlack);
        QVERIFY(qGray(palette.color(QPalette::Disabled, QPalette::ButtonText).rgb()) >= 96);
    }

    void labelsAreDrawnAsDesigned_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("opaque");
        QTest::addColumn<bool>("centred");
        QTest::addColumn<bool>("bordered");
        QTest::addColumn<bool>("wraps");

        auto row = [](const char* window, const char* control, bool opaque, bool centred,
                       bool bordered, bool wraps) {
            QTest::addRow("%s", control)
                << QString::fromLatin1(window) << QString::fromLatin1(control) << opaque << centred
                << bordered << wraps;
        };
        row("frmBoardSize", "lblBoardSize", false, true, false, true);
        row("frmBoardSize", "lblSizeBack", true, false, false, false);
        row("frmStats", "lblStats", false, true, false, false);
        row("frmStats", "lblLabel1", false, false, false, false);
        row("frmStats", "lblTurns", false, true, true, false);
        row("frmStats", "lblLabel2", false, false, false, false);
        row("frmStats", "lblMatches", false, true, true, false);
        row("frmStats", "lblStatus", true, true, true, true);
        row("frmStats", "lblLabel3", false, false, false, false);
    }

    void labelsAreDrawnAsDesigned()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(bool, opaque);
        QFETCH(bool, centred);
        QFETCH(bool, bordered);
        QFETCH(bool, wraps);
        DesignTimeWindows windows;
        auto* label = windows.window(window).findChild<QLabel*>(control);
        QVERIFY2(label, qPrintable(control));
        QCOMPARE(label->autoFillBackground(), opaque);
        QCOMPARE(label->alignment().testFlag(Qt::AlignHCenter), centred);
        QCOMPARE(label->frameShape() == QFrame::Box && label->lineWidth() == 1, bordered);
        QCOMPARE(label->wordWrap(), wraps);
    }

    void controlsStartShownEnabledAndFocusableAsDesigned_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("takesFocus");

        auto row = [](const char* window, const QString& control, bool shown, bool takesFocus) {
            QTest::addRow("%s", qPrintable(control))
                << QString::fromLatin1(window) << control << shown << takesFocus;
        };
        row("frmBoardSize", "lblBoardSize", true, false);
        row("frmBoardSize", "lblSizeBack", true, false);
        for (int i = 0; i < 4; ++i)
            row("frmBoardSize", element("optBoardSize", i), true, true);
        row("frmBoardSize", "cmdStart", true, true);
        for (const char* name : {"lblStats", "lblLabel1", "lblTurns", "lblLabel2", "lblMatches",
                 "lblStatus", "lblLabel3"})
            row("frmStats", QString::fromLatin1(name), true, false);
        row("frmStats", "cmdNext", false, true);
        for (int i = 0; i < 64; ++i) {
            row("frmPexaro", element("imgCard", i), false, false);
            row("frmPexaro", element("imgFlip", i), true, false);
        }
    }

    // Every control is enabled within its window; only the panel as a whole starts disabled.
    void controlsStartShownEnabledAndFocusableAsDesigned()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(bool, shown);
        QFETCH(bool, takesFocus);
        DesignTimeWindows windows;
        QWidget& owner = windows.window(window);
        QWidget* widget = owner.findChild<QWidget*>(control);
        QVERIFY2(widget, qPrintable(control));
        QCOMPARE(widget->isVisibleTo(&owner), shown);
        QVERIFY(widget->isEnabledTo(&owner));
        QCOMPARE(widget->focusPolicy() != Qt::NoFocus, takesFocus);
    }

    void noBoardSizeIsChosenAtFirst()
    {
        DesignTimeWindows windows;
        for (int i = 0; i < 4; ++i) {
            auto* option = windows.sizeDialog.findChild<QRadioButton*>(element("optBoardSize", i));
            QVERIFY(option);
            QVERIFY(!option->isChecked());
            QVERIFY(option->autoExclusive());
        }
    }

    void dialogTabsFromStartGameThroughTheFourSizes()
    {
        DesignTimeWindows windows;
        QWidget& dialog = windows.sizeDialog;
        auto* start = dialog.findChild<QWidget*>(QStringLiteral("cmdStart"));
        QVERIFY(start);
        QStringList order {start->objectName()};
        for (QWidget* next = start->nextInFocusChain(); next != start;
             next = next->nextInFocusChain()) {
            if (next != &dialog && (next->focusPolicy() & Qt::TabFocus))
                order << next->objectName();
        }
        QCOMPARE(order,
            QStringList({"cmdStart", "optBoardSize(0)", "optBoardSize(1)", "optBoardSize(2)",
                "optBoardSize(3)"}));
    }

    void facesLieInFrontOfBacks()
    {
        DesignTimeWindows windows;
        QWidget* board = windows.boardWindow.findChild<QWidget*>(QStringLiteral("board"));
        QVERIFY(board);
        // Later siblings are drawn over earlier ones.
        int lastBack = -1;
        int firstFace = board->children().size();
        for (int i = 0; i < 64; ++i) {
            auto* back = board->findChild<QWidget*>(element("imgCard", i));
            auto* face = board->findChild<QWidget*>(element("imgFlip", i));
            QVERIFY(back && face);
            lastBack = std::max(lastBack, static_cast<int>(board->children().indexOf(back)));
            firstFace = std::min(firstFace, static_cast<int>(board->children().indexOf(face)));
        }
        QVERIFY(lastBack < firstFace);
    }

    // --- Windows --------------------------------------------------------

    void windowsCarryTheirSettings_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("frameless");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("hasIcon");
        QTest::addRow("frmBoardSize") << "frmBoardSize"
                                      << "Pexaro--Board Size Selection" << false << true << true;
        QTest::addRow("frmPexaro") << "frmPexaro"
                                   << "Pexaro" << false << true << true;
        QTest::addRow("frmStats") << "frmStats"
                                  << "Game Statistics" << true << false << false;
    }

    void windowsCarryTheirSettings()
    {
        QFETCH(QString, window);
        QFETCH(QString, title);
        QFETCH(bool, frameless);
        QFETCH(bool, enabled);
        QFETCH(bool, hasIcon);
        DesignTimeWindows windows;
        QWidget& widget = windows.window(window);
        QCOMPARE(widget.objectName(), window);
        QVERIFY(widget.isWindow());
        QVERIFY(widget.isHidden());
        QCOMPARE(widget.windowTitle(), title);
        QCOMPARE(widget.windowFlags().testFlag(Qt::FramelessWindowHint), frameless);
        QCOMPARE(widget.isEnabled(), enabled);
        QCOMPARE(widget.testAttribute(Qt::WA_SetWindowIcon), hasIcon);
        // No window can be resized by dragging its border.
        QCOMPARE(widget.minimumSize(), widget.maximumSize());
    }

    void windowClientAreasHaveTheirDesignedSize()
    {
        DesignTimeWindows windows;
        QCOMPARE(windows.sizeDialog.size(), QSize(pixels(4590), pixels(2925)));
        QCOMPARE(windows.scorePanel.size(), QSize(pixels(4095), pixels(4215)));
        QMainWindow& board = windows.boardWindow;
        board.layout()->activate();
        QCOMPARE(board.centralWidget()->size(), QSize(pixels(6975), pixels(6945)));
    }

    void theIconIsAWhiteQuestionMarkOnAGreenDisc_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("side");
        QTest::addRow("frmBoardSize 16") << "frmBoardSize" << 16;
        QTest::addRow("frmBoardSize 32") << "frmBoardSize" << 32;
        QTest::addRow("frmPexaro 16") << "frmPexaro" << 16;
        QTest::addRow("frmPexaro 32") << "frmPexaro" << 32;
    }

    void theIconIsAWhiteQuestionMarkOnAGreenDisc()
    {
        QFETCH(QString, window);
        QFETCH(int, side);
        DesignTimeWindows windows;
        const QIcon icon = windows.window(window).windowIcon();
        QVERIFY(!icon.isNull());
        const QImage image
            = icon.pixmap(QSize(side, side), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(side, side));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0); // outside the disc
        QCOMPARE(qAlpha(image.pixel(side - 1, side - 1)), 0);
        int green = 0;
        int white = 0;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const QRgb pixel = image.pixel(x, y);
                green += pixel == qRgba(0, 128, 0, 255);
                white += pixel == qRgba(255, 255, 255, 255);
            }
        }
        QVERIFY2(green > side * side / 4, "the disc is dark green");
        QVERIFY2(white > 0, "the question mark is white");
    }

    // --- Menu -----------------------------------------------------------

    void menuItemsCarryCaptionsAndShortcuts_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QKeySequence>("shortcut");

        auto row = [](const char* item, const char* caption, const char* menu,
                       const QKeySequence& shortcut) {
            QTest::addRow("%s", item) << QString::fromLatin1(item) << QString::fromLatin1(caption)
                                      << QString::fromLatin1(menu) << shortcut;
        };
        row("mnuNewGame", "&New Game", "mnuFile", QKeySequence(Qt::CTRL | Qt::Key_N));
        row("mnuStat", "&Information Window", "mnuFile", QKeySequence(Qt::CTRL | Qt::Key_I));
        row("mnuExit", "E&xit", "mnuFile", QKeySequence(Qt::CTRL | Qt::Key_X));
        row("mnuRules", "&Rules of the Game", "mnuHelp", QKeySequence(Qt::CTRL | Qt::Key_R));
        row("mnuAbout", "&About Pexaro", "mnuHelp", QKeySequence(Qt::CTRL | Qt::Key_A));
        row("mnuNext", "&Next Turn", "menuBar", QKeySequence());
    }

    void menuItemsCarryCaptionsAndShortcuts()
    {
        QFETCH(QString, item);
        QFETCH(QString, caption);
        QFETCH(QString, menu);
        QFETCH(QKeySequence, shortcut);
        DesignTimeWindows windows;
        auto* action = windows.boardWindow.findChild<QAction*>(item);
        QVERIFY2(action, qPrintable(item));
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), shortcut);
        QCOMPARE(action->shortcuts().size(), shortcut.isEmpty() ? 0 : 1);
        QCOMPARE(action->shortcutContext(), Qt::WindowShortcut);
        // A hidden action counts as disabled; shown, every item is enabled.
        action->setVisible(true);
        QVERIFY(action->isEnabled());
        QVERIFY(!action->menu());
        QWidget* container = menu == QLatin1String("menuBar")
            ? static_cast<QWidget*>(windows.boardWindow.menuBar())
            : windows.boardWindow.findChild<QMenu*>(menu);
        QVERIFY(container);
        QVERIFY(container->actions().contains(action));
    }

    void menuBarHoldsFileHelpAndNextTurnInThatOrder()
    {
        DesignTimeWindows windows;
        QMenuBar* bar = windows.boardWindow.menuBar();
        auto* file = windows.boardWindow.findChild<QMenu*>(QStringLiteral("mnuFile"));
        auto* help = windows.boardWindow.findChild<QMenu*>(QStringLiteral("mnuHelp"));
        auto* next = windows.boardWindow.findChild<QAction*>(QStringLiteral("mnuNext"));
        QVERIFY(file && help && next);
        QCOMPARE(file->title(), QStringLiteral("&File"));
        QCOMPARE(help->title(), QStringLiteral("&Help"));
        QCOMPARE(bar->actions(), QList<QAction*>({file->menuAction(), help->menuAction(), next}));
        QVERIFY(file->menuAction()->isVisible());
        QVERIFY(help->menuAction()->isVisible());
        QVERIFY(!next->isVisible());
    }

    void fileMenuSeparatesExitFromTheOtherItems()
    {
        DesignTimeWindows windows;
        auto* file = windows.boardWindow.findChild<QMenu*>(QStringLiteral("mnuFile"));
        QVERIFY(file);
        const QList<QAction*> items = file->actions();
        QCOMPARE(items.size(), 4);
        QCOMPARE(items[0]->objectName(), QStringLiteral("mnuNewGame"));
        QCOMPARE(items[1]->objectName(), QStringLiteral("mnuStat"));
        QCOMPARE(items[2]->objectName(), QStringLiteral("mnuSep1"));
        QVERIFY(items[2]->isSeparator());
        QCOMPARE(items[3]->objectName(), QStringLiteral("mnuExit"));
        for (int i : {0, 1, 3})
            QVERIFY(!items[i]->isSeparator());

        auto* help = windows.boardWindow.findChild<QMenu*>(QStringLiteral("mnuHelp"));
        QVERIFY(help);
        QCOMPARE(help->actions().size(), 2);
        QCOMPARE(help->actions()[0]->objectName(), QStringLiteral("mnuRules"));
        QCOMPARE(help->actions()[1]->objectName(), QStringLiteral("mnuAbout"));
    }

    void informationWindowItemStartsChecked()
    {
        DesignTimeWindows windows;
        auto* stat = windows.boardWindow.findChild<QAction*>(QStringLiteral("mnuStat"));
        QVERIFY(stat);
        QVERIFY(stat->isCheckable());
        QVERIFY(stat->isChecked());
        for (const char* other : {"mnuNewGame", "mnuExit", "mnuRules", "mnuAbout", "mnuNext"}) {
            auto* action = windows.boardWindow.findChild<QAction*>(QString::fromLatin1(other));
            QVERIFY2(action && !action->isCheckable(), other);
        }
    }

    // Once the last pair is found Next Turn is hidden while the game still
    // waits: the only moment a stray Next Turn could wipe the win message.
    void hiddenNextTurnCommandReactsToNothing()
    {
        test::MessageBoxCloser closer;
        auto program = test::seededProgram();
        program->start();
        ui::SizeDialog& dialog = program->sizeDialog();
        QTest::mouseClick(
            dialog.findChild<QRadioButton*>(QStringLiteral("optBoardSize(0)")), Qt::LeftButton);
        QVERIFY(test::dialogIsActive(*program));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(test::boardHasTheFocus(*program));
        ui::BoardWindow& board = program->boardWindow();
        const Game& game = program->game();
        auto clickBack = [&board](int position) {
            QTest::mouseClick(
                board.findChild<QWidget*>(element("imgCard", position)), Qt::LeftButton);
        };
        while (!game.isWon()) {
            const int first = test::firstFaceDown(game);
            QVERIFY(first >= 0);
            clickBack(first);
            clickBack(test::partnerOf(game, first));
            if (!game.isWon())
                QTest::keyClick(&board, Qt::Key_Return);
        }
        QCOMPARE(closer.seen().size(), std::size_t {1});

        auto* next = board.findChild<QAction*>(QStringLiteral("mnuNext"));
        auto* status = program->scorePanel().findChild<QLabel*>(QStringLiteral("lblStatus"));
        QVERIFY(next && status);
        QVERIFY(!next->isVisible());
        const GameState before = game.state();
        const QString shown = status->text();

        next->trigger();
        QTest::keyClick(&board, Qt::Key_N, Qt::AltModifier);

        QCOMPARE(game.state(), before);
        QCOMPARE(status->text(), shown);
        QVERIFY(!next->isVisible());
    }

    // --- Timers ---------------------------------------------------------

    void timersTickEveryMillisecondOnceTheirWindowIsLoaded_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("timer");
        QTest::addRow("Timer1") << "frmPexaro"
                                << "Timer1";
        QTest::addRow("tmrTimer") << "frmStats"
                                  << "tmrTimer";
    }

    void timersTickEveryMillisecondOnceTheirWindowIsLoaded()
    {
        QFETCH(QString, window);
        QFETCH(QString, timer);
        auto program = test::seededProgram();
        program->session().chooseBoardSize(2);
        QWidget& owner = window == QLatin1String("frmPexaro")
            ? static_cast<QWidget&>(program->boardWindow())
            : static_cast<QWidget&>(program->scorePanel());
        QVERIFY(owner.isHidden()); // ticking does not wait for the window to show
        auto* clock = owner.findChild<QTimer*>(timer);
        QVERIFY(clock);
        QCOMPARE(clock->interval(), 1);
        QVERIFY(clock->isActive());
        QVERIFY(!clock->isSingleShot());
        QSignalSpy ticks(clock, &QTimer::timeout);
        QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= 3, 2000);
        QVERIFY(clock->isActive());
    }
};

QTEST_MAIN(WindowDefinitions)
#include "test_window_definitions.moc"
