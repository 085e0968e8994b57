#include "FrmBoardSize.h"
#include "FrmPexaro.h"
#include "FrmStats.h"
#include "GuiSupport.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace pexaro;

class HandOver : public QObject {
    Q_OBJECT

private slots:
    void init() { program = test::seededProgram(); }
    void cleanup() { program.reset(); }

    void onlyTheDialogOpensAndStartWaitsForASize()
    {
        program->start();
        QVERIFY(program->frmBoardSize().isVisible());
        QVERIFY(!program->hasBoardWindow());
        QVERIFY(!program->hasStatsWindow());
        auto* start = program->frmBoardSize().findChild<QPushButton*>("cmdStart");
        QVERIFY(start && !start->isEnabled());
        QTest::keyClick(&program->frmBoardSize(), Qt::Key_Return);
        QVERIFY(!program->hasBoardWindow());
    }

    void startGameShowsBothWindowsAndRunsTheStartUpTwice()
    {
        program->start();
        auto& dialog = program->frmBoardSize();
        auto* six = dialog.findChild<QRadioButton*>("optBoardSize(2)");
        auto* two = dialog.findChild<QRadioButton*>("optBoardSize(0)");
        QTest::mouseClick(six, Qt::LeftButton);
        QTest::mouseClick(two, Qt::LeftButton);
        QVERIFY(!program->hasBoardWindow());
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QVERIFY(program->frmPexaro().isVisible());
        QVERIFY(program->frmStats().isVisible());
        QCOMPARE(program->frmPexaro().formLoadRuns(), 2);
        QCOMPARE(program->game().state().gCards, 2);
    }

private:
    std::unique_ptr<ui::Program> program;
};

QTEST_MAIN(HandOver)
#include "test_handover.moc"
