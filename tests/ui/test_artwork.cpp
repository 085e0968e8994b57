// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The pictures as the player sees them: card faces and backs drawn by the
// board window's own image controls, and the score panel's background.

#include "GuiSupport.h"
#include "ImageSupport.h"
#include "board/Artwork.h"
#include "board/BoardWindow.h"
#include "info/ScorePanel.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include <cmath>
#include <cstdlib>

using namespace pexaro;

namespace {

// A card at 96 dots per inch: 885 x 855 twips for a face, 855 x 855 for a back.
const QSize kFaceSize(59, 57);
const QSize kBackSize(57, 57);

QString element(const char* array, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

// The board window straight after construction: every face shows, each at
// its own element's place; no event loop runs while it is held.
struct DesignTimeBoard {
    std::unique_ptr<ui::Program> program = test::seededProgram();
    ui::BoardWindow boardWindow {program->session()};

    QImage grab(const char* array, int index)
    {
        auto* image = boardWindow.findChild<QWidget*>(element(array, index));
        Q_ASSERT(image);
        return image->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

// The resource drawn alone, stretched over `size` on a transparent ground.
QImage drawingOnTransparent(const QString& resource, QSize size)
{
    QSvgRenderer renderer(resource);
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

} // namespace

class CardArtwork : public QObject {
    Q_OBJECT

private slots:
    void bothCardsOfAPairShowTheSameFace_data()
    {
        QTest::addColumn<int>("value");
        for (int v = 0; v < 32; ++v)
            QTest::addRow("imgFlip(%d) and imgFlip(%d)", v, v + 32) << v;
    }

    void bothCardsOfAPairShowTheSameFace()
    {
        QFETCH(int, value);
        DesignTimeBoard board;
        const QImage face = board.grab("imgFlip", value);
        QCOMPARE(face.size(), kFaceSize);
        QCOMPARE(board.grab("imgFlip", value + 32), face);
    }

    void everyTwoDrawingsDifferClearly()
    {
        // Well under today's closest pair (about 29 grey levels) and far above
        // rendering noise: flags copies and near-copies, leaves room for new art.
        const double threshold = 8.0;
        DesignTimeBoard board;
        std::vector<QImage> faces;
        for (int v = 0; v < 32; ++v)
            faces.push_back(board.grab("imgFlip", v));
        QStringList tooAlike;
        for (int a = 0; a < 32; ++a)
            for (int b = a + 1; b < 32; ++b)
                if (const double d = test::greyDistance(faces[a], faces[b]); d <= threshold)
                    tooAlike << QStringLiteral("%1~%2 (%3)").arg(a).arg(b).arg(d, 0, 'f', 1);
        QVERIFY2(tooAlike.isEmpty(), qPrintable(tooAlike.join(QStringLiteral(", "))));
    }

    void allBacksAreTheSamePicture()
    {
        DesignTimeBoard board;
        const QImage first = board.grab("imgCard", 0);
        QCOMPARE(first.size(), kBackSize);
        QVERIFY2(
            first.pixel(0, 0) != first.pixel(28, 28) || first.pixel(28, 28) != qRgb(255, 255, 255),
            "the back is drawn");
        for (int i = 1; i < 64; ++i)
            QVERIFY2(board.grab("imgCard", i) == first, qPrintable(element("imgCard", i)));
    }

    // Drawing 9 is nearly four times as wide as it is high; kept proportions
    // would leave bands above and below it.
    void theWideDrawingFillsItsWholeCard()
    {
        const QImage alone = drawingOnTransparent(QStringLiteral(":/faces/face09.svg"), kFaceSize);
        for (int x = 0; x < kFaceSize.width(); ++x) {
            QCOMPARE(qAlpha(alone.pixel(x, 0)), 255);
            QCOMPARE(qAlpha(alone.pixel(x, kFaceSize.height() - 1)), 255);
        }
        for (int y = 0; y < kFaceSize.height(); ++y) {
            QCOMPARE(qAlpha(alone.pixel(0, y)), 255);
            QCOMPARE(qAlpha(alone.pixel(kFaceSize.width() - 1, y)), 255);
        }

        DesignTimeBoard board;
        const QImage face = board.grab("imgFlip", 9);
        QCOMPARE(face.size(), kFaceSize);
        // What the control shows is the drawing stretched over the whole card.
        QImage onWhite(kFaceSize, QImage::Format_RGB32);
        onWhite.fill(Qt::white);
        QPainter(&onWhite).drawImage(0, 0, alone);
        QVERIFY2(
            test::greyDistance(face, onWhite) < 1.0, "face 9 is the drawing stretched to the card");

        // Its picture (anything unlike the corner's ground) reaches into all four margins.
        const QRgb ground = face.pixel(0, 0);
        int left = face.width(), right = -1, top = face.height(), bottom = -1;
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 0; x < face.width(); ++x) {
                if (std::abs(qGray(face.pixel(x, y)) - qGray(ground)) < 40)
                    continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        QVERIFY2(left <= 4 && right >= face.width() - 5, "spans the card's width");
        QVERIFY2(top <= 4 && bottom >= face.height() - 5, "spans the card's height");
    }

    void cardsAreSharpOnDoubleDensityScreens_data()
    {
        QTest::addColumn<int>("drawing");
        QTest::addColumn<QSize>("size");
        QTest::addRow("back") << int(ui::Artwork::kBack) << kBackSize;
        for (int d = 0; d < 32; ++d)
            QTest::addRow("face %d", d) << d << kFaceSize;
    }

    // Drawn afresh at twice the pixels, not a blown-up copy of the normal one.
    void cardsAreSharpOnDoubleDensityScreens()
    {
        QFETCH(int, drawing);
        QFETCH(QSize, size);
        ui::Artwork artwork;
        const QPixmap dense = artwork.pixmap(drawing, size, 2.0);
        QCOMPARE(dense.devicePixelRatio(), 2.0);
        QCOMPARE(dense.size(), size * 2);
        QCOMPARE(dense.deviceIndependentSize().toSize(), size);

        const QImage sharp = artwork.pixmap(drawing, size * 2, 1.0).toImage();
        const QImage blownUp
            = artwork.pixmap(drawing, size, 1.0)
                  .toImage()
                  .scaled(size * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage shown = dense.toImage();
        const double fromSharp = test::greyDistance(shown, sharp);
        const double fromBlownUp = test::greyDistance(shown, blownUp);
        QVERIFY2(fromSharp < 0.5, qPrintable(QString::number(fromSharp)));
        QVERIFY2(fromBlownUp > 4 * fromSharp + 0.5,
            qPrintable(QStringLiteral("%1 vs %2").arg(fromBlownUp).arg(fromSharp)));
    }

    // --- The score panel's background ----------------------------------

    void panelShowsTheLeftOfTheBackgroundUnscaled()
    {
        const QImage picture = QImage(QStringLiteral(":/panel-background.jpg"))
                                   .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(picture.size(), QSize(420, 280));
        auto program = test::seededProgram();
        ui::ScorePanel panel(program->session());
        const QImage shown = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(273, 281));
        // Right of the counters, between the title and the status box: only picture.
        const QRect open(112, 44, 156, 120);
        QCOMPARE(shown.copy(open), picture.copy(open));
        // The picture's first columns sit at the window's own left edge, inside the frame line.
        const QRect leftStrip(2, 44, 4, 10);
        QCOMPARE(shown.copy(leftStrip), picture.copy(leftStrip));
    }

    void labelsWithoutBackgroundShowThePictureThrough_data()
    {
        QTest::addColumn<QString>("label");
        for (const char* name : {"lblStats", "lblLabel1", "lblLabel2", "lblLabel3"})
            QTest::addRow("%s", name) << QString::fromLatin1(name);
    }

    void labelsWithoutBackgroundShowThePictureThrough()
    {
        QFETCH(QString, label);
        const QImage picture = QImage(QStringLiteral(":/panel-background.jpg"))
                                   .convertToFormat(QImage::Format_RGB32);
        auto program = test::seededProgram();
        ui::ScorePanel panel(program->session());
        auto* control = panel.findChild<QLabel*>(label);
        QVERIFY(control);
        const QImage shown = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect area = control->geometry();
        int same = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                same += shown.pixel(x, y) == picture.pixel(x, y);
        // The caption covers the rest; an opaque label would leave none of the picture.
        QVERIFY2(same * 2 > area.width() * area.height(), qPrintable(QString::number(same)));
    }
};

QTEST_MAIN(CardArtwork)
#include "test_artwork.moc"
