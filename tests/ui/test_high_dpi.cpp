// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Screenshots of the windows on a dense screen: run with QT_SCALE_FACTOR set
// (the suite runs it at 2 and at 1.25).
#include "GuiSupport.h"
#include "ImageSupport.h"
#include "PlaySupport.h"
#include "ProgramTest.h"

#include <QAbstractButton>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <utility>

using namespace pexaro;

namespace {

double scaleFactor()
{
    return qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
}

QImage readImage(const QString& name)
{
    return QImage(name).convertToFormat(QImage::Format_RGB32);
}

QImage svgAt(const QString& resource, QSize pixels)
{
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QSvgRenderer renderer(resource);
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// The device pixels of `logical` (in the window's coordinates) in a
// screenshot, shrunk by two pixels on each side to keep clear of the edges,
// which fall between device pixels at a fractional factor.
QRect deviceInside(const QRect& logical, double factor)
{
    const QRect device(QPoint(static_cast<int>(std::ceil(logical.left() * factor)),
                           static_cast<int>(std::ceil(logical.top() * factor))),
        QPoint(static_cast<int>(std::floor((logical.right() + 1) * factor)) - 1,
            static_cast<int>(std::floor((logical.bottom() + 1) * factor)) - 1));
    return device.adjusted(2, 2, -2, -2);
}

// The least grey distance between `shown` and the region `part` of
// `reference` moved by up to two pixels: at a fractional factor, where a
// picture lands can differ by a pixel, which is no matter of sharpness.
double bestDistance(const QImage& shown, const QImage& reference, const QRect& part)
{
    double best = 255;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            best = std::min(
                best, test::greyDistance(shown, reference.copy(part.translated(dx, dy))));
    return best;
}

// A screenshot region against references drawn at the screen's own
// resolution and blown up from the normal one.
void expectSharp(const QImage& shown, const QImage& sharp, const QImage& blownUp, const QRect& part)
{
    const double fromSharp = bestDistance(shown, sharp, part);
    const double fromBlownUp = bestDistance(shown, blownUp, part);
    QVERIFY2(fromSharp < 1.5, qPrintable(QString::number(fromSharp)));
    QVERIFY2(fromBlownUp > 2 * fromSharp + 0.3,
        qPrintable(QStringLiteral("%1 vs sharp %2").arg(fromBlownUp).arg(fromSharp)));
}

// The first and last pixel columns holding a dark caption's ink on a
// button's coloured face, or -1 and -1.
std::pair<int, int> inkColumns(const QImage& image)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGreen(image.pixel(x, y)) < 80 && qRed(image.pixel(x, y)) < 80) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
    return {first, last};
}

} // namespace

class HighDpi : public test::ProgramTest {
    Q_OBJECT

private slots:
    void windowsRunAtTheScaleFactor()
    {
        QVERIFY(scaleFactor() > 1.0);
        QVERIFY(test::openAndStart(*program, 2));
        QCOMPARE(program->boardWindow().devicePixelRatioF(), scaleFactor());
        QCOMPARE(program->scorePanel().devicePixelRatioF(), scaleFactor());
    }

    void cardsAreDrawnAtTheScreensResolution()
    {
        QVERIFY(test::openAndStart(*program, 2));
        ui::BoardWindow& board = program->boardWindow();
        const int value = program->game().state().cardValue[0];
        test::clickCard(*program, 0);
        const double factor = scaleFactor();
        const QImage screenshot = board.grab().toImage().convertToFormat(QImage::Format_RGB32);

        const auto check = [&](QWidget* control, const QString& resource) {
            const QRect logical(control->mapTo(&board, QPoint(0, 0)), control->size());
            const QRect inside = deviceInside(logical, factor);
            // The card's own pixels start where its logical corner falls.
            const QPoint corner(static_cast<int>(std::floor(logical.left() * factor)),
                static_cast<int>(std::floor(logical.top() * factor)));
            const QRect part = inside.translated(-corner);
            const QSize whole(static_cast<int>(std::ceil(logical.width() * factor)),
                static_cast<int>(std::ceil(logical.height() * factor)));
            const QImage sharp = svgAt(resource, whole);
            const QImage blownUp
                = svgAt(resource, logical.size())
                      .scaled(whole, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            expectSharp(screenshot.copy(inside), sharp, blownUp, part);
        };
        STEP(check(test::face(board, value),
            QStringLiteral(":/faces/face%1.svg").arg(value % 32, 2, 10, QLatin1Char('0'))));
        STEP(check(test::card(board, 3), QStringLiteral(":/back.svg")));
    }

    void iconHasAnImageForTheDensity()
    {
        program->start();
        for (QWidget* window : {static_cast<QWidget*>(&program->sizeDialog()),
                 static_cast<QWidget*>(&program->boardWindow())}) {
            const QList<QSize> sizes = window->windowIcon().availableSizes();
            QVERIFY(!sizes.isEmpty());
            int largest = 0;
            for (const QSize& size : sizes)
                largest = std::max(largest, size.width());
            // Title bars and task bars ask for 16 and 32 logical pixels.
            QVERIFY2(
                largest >= std::ceil(32 * scaleFactor()), qPrintable(QString::number(largest)));
        }
    }

    void panelBackgroundIsDrawnAtTheScreensResolution()
    {
        QVERIFY(test::openAndStart(*program, 2));
        ui::ScorePanel& panel = program->scorePanel();
        const double factor = scaleFactor();
        const QImage screenshot = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
        // Right of the counters, between the title and the status box: only picture.
        const QRect open(112, 44, 156, 120);
        const QRect inside = deviceInside(open, factor);
        const QSize whole(static_cast<int>(std::lround(420 * factor)),
            static_cast<int>(std::lround(280 * factor)));
        const QImage sharp = readImage(QStringLiteral(":/panel-background@2x.jpg"))
                                 .scaled(whole, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage blownUp = readImage(QStringLiteral(":/panel-background.jpg"))
                                   .scaled(whole, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        expectSharp(screenshot.copy(inside), sharp, blownUp, inside);
    }

    void panelMeetsTheBoardWindowOnePixelRightOfIt()
    {
        QVERIFY(test::openAndStart(*program, 4));
        ui::BoardWindow& board = program->boardWindow();
        board.move(board.pos() + QPoint(37, 21));
        const auto docked = [&] {
            const QRect outer = board.frameGeometry();
            return program->scorePanel().pos() == QPoint(outer.right() + 2, outer.top());
        };
        QVERIFY(QTest::qWaitFor(docked));
    }

    void noTextIsClipped()
    {
        QVERIFY(test::openAndStart(*program, 8));
        // A scored pair: the panel is enabled and Next Turn shows its caption.
        test::clickCard(*program, 0);
        test::clickCard(*program, test::nonPartnerOf(program->game(), 0));
        const QList<QWidget*> windows {
            &program->sizeDialog(), &program->boardWindow(), &program->scorePanel()};
        int checked = 0;
        for (QWidget* window : windows) {
            for (QLabel* label : window->findChildren<QLabel*>()) {
                if (label->text().trimmed().isEmpty())
                    continue;
                QStringList texts {label->text()};
                if (label->objectName() == QLatin1String("lblStatus"))
                    texts = {test::shown::clickMessage, test::shown::secondCard, test::shown::match,
                        test::shown::noMatch, test::shown::win};
                for (const QString& text : texts) {
                    const QRect room = label->contentsRect();
                    const int flags
                        = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
                    const QRect needed = label->fontMetrics().boundingRect(room, flags, text);
                    QVERIFY2(room.contains(needed),
                        qPrintable(QStringLiteral("%1: needs %2x%3, has %4x%5")
                                       .arg(label->objectName())
                                       .arg(needed.width())
                                       .arg(needed.height())
                                       .arg(room.width())
                                       .arg(room.height())));
                    ++checked;
                }
            }
            for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
                if (button->text().isEmpty())
                    continue;
                if (qobject_cast<QPushButton*>(button)) {
                    // What the screen shows: the caption's ink keeps clear of the
                    // bevel and is as wide as in a button with room to spare.
                    const QImage shown = button->grab().toImage();
                    const QSize size = button->size();
                    button->resize(size + QSize(60, 0));
                    const auto [roomyFirst, roomyLast] = inkColumns(button->grab().toImage());
                    button->resize(size);
                    const auto [first, last] = inkColumns(shown);
                    const double factor = scaleFactor();
                    QVERIFY2(first > factor && last < shown.width() - 1 - factor
                            && last - first >= roomyLast - roomyFirst,
                        qPrintable(
                            QStringLiteral("%1: ink in columns %2..%3 of %4, %5 wide with room")
                                .arg(button->objectName())
                                .arg(first)
                                .arg(last)
                                .arg(shown.width())
                                .arg(roomyLast - roomyFirst + 1)));
                } else {
                    QVERIFY2(button->sizeHint().width() <= button->width(),
                        qPrintable(QStringLiteral("%1: needs %2, has %3")
                                       .arg(button->objectName())
                                       .arg(button->sizeHint().width())
                                       .arg(button->width())));
                }
                ++checked;
            }
        }
        QVERIFY(checked >= 15);
    }

private:
};

QTEST_MAIN(HighDpi)
#include "test_high_dpi.moc"
