#include "DetectDlg.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QThread>

#include "PortSettingsStore.h"
#include "RadioPortIds.h"
#include "RadioPortRig.h"
#include "RecordedMessageBoxes.h"
#include "TestNamespaces.h"

namespace {

const QString kFound = QString::fromUtf8("检测成功");
const QString kNotFound = QString::fromUtf8("无法和设备取得联系，无法更改通信模式");

// The dialog's modal run with its progress texts and message boxes recorded.
struct DetectRun {
    int result = 0;
    QStringList progress;
    QStringList boxes;
    bool boxOwnedByDialog = true;
    bool focusOnSinkAtResult = false;
};

DetectRun RunDetection(CVirtualLinks& links, int startPort,
                       const std::function<void(CDetectDlg&)>& beforeRun = {}) {
    DetectRun run;
    CRecordedMessageBoxes boxes;
    CProgressLog progress;
    CDetectDlg dialog(startPort, links.Links(), nullptr);
    boxes.onBox = [&](const MessageBoxRequest& box) {
        run.boxOwnedByDialog = run.boxOwnedByDialog && box.owner == &dialog;
        run.focusOnSinkAtResult = dialog.focusWidget() == dialog.Item(DetectId::kFocusSink);
    };
    progress.Watch(dialog);
    if (beforeRun) {
        beforeRun(dialog);
    }
    run.result = dialog.DoModal();
    run.progress = progress.texts;
    run.boxes = boxes.Texts();
    return run;
}

// Which ports are searched in which order and what a probe accepts is the search's own
// test; here the dialog shows and stores what it found.
TEST(DetectDialog, FindsTheRadioOnPortTwoAfterProbingEveryCombinationOnPortOne) {
    CVirtualMachine machine;
    SimFaults silent;
    silent.silent = true;
    machine.StartRadioOn(1, 9600, kParityNone).SetFaults(silent);
    CSimLink& radio = machine.StartRadioOn(2, 9600, kParityOdd);

    const DetectRun run = RunDetection(machine.links, 1);

    QStringList expected = PortPassTexts(1);
    expected << ProgressText(2, 19200, 0) << ProgressText(2, 19200, 1) << ProgressText(2, 19200, 2)
             << ProgressText(2, 9600, 0) << ProgressText(2, 9600, 1);
    EXPECT_EQ(run.progress, expected);
    EXPECT_EQ(run.boxes, QStringList{kFound});
    EXPECT_TRUE(run.boxOwnedByDialog);
    EXPECT_TRUE(run.focusOnSinkAtResult);
    EXPECT_EQ(run.result, kIdOk);
    EXPECT_EQ(Describe(StoredSettings()), Describe(2, 9600, kParityOdd));
    EXPECT_EQ(radio.Frames().size(), 1u);
}

TEST(DetectDialog, WithoutAnAnswerStoresTheDefaults) {
    CVirtualMachine machine;
    ASSERT_TRUE(SavePortSettings(7, kParityEven, 4800));

    const DetectRun run = RunDetection(machine.links, 1);

    EXPECT_EQ(run.progress, PortPassTexts(1) + PortPassTexts(2));
    EXPECT_EQ(run.boxes, QStringList{kNotFound});
    EXPECT_TRUE(run.boxOwnedByDialog);
    EXPECT_EQ(run.result, kIdCancel);
    EXPECT_EQ(Describe(StoredSettings()), Describe(1, 9600, kParityNone));
}

TEST(DetectDialog, EscDuringTheSearchWaitsForItsEndAndClosesWithoutAResultBox) {
    CVirtualMachine machine;
    CSimLink& radio = machine.StartRadioOn(1, 19200, kParityEven);

    const DetectRun run = RunDetection(machine.links, 1, [](CDetectDlg& dialog) {
        QObject::connect(qobject_cast<QLineEdit*>(dialog.Item(DetectId::kProgress)),
                         &QLineEdit::textChanged, &dialog, [&dialog] {
                             if (!dialog.IsEnded()) {
                                 QTest::keyClick(&dialog, Qt::Key_Escape);
                             }
                         });
    });

    // The window froze at the first combination; the search went on to its end.
    EXPECT_EQ(run.progress, QStringList{ProgressText(1, 19200, 0)});
    EXPECT_TRUE(run.boxes.isEmpty());
    EXPECT_EQ(run.result, kIdCancel);
    EXPECT_EQ(radio.Frames().size(), 1u);
    EXPECT_EQ(Describe(StoredSettings()), Describe(1, 19200, kParityEven));
}

TEST(DetectDialog, AFailedStoreIsShownOnTheGuiThreadAheadOfTheResult) {
    CVirtualMachine machine;
    QList<QThread*> reportingThreads;
    const auto previous = SetPortSettingsFailureReporter([&reportingThreads] {
        reportingThreads.append(QThread::currentThread());
        ShowMessageBox(nullptr, "Open Reg Error!");
    });

    CRecordedMessageBoxes boxesAfterTheRun;
    DetectRun run;
    {
        CFileSizeLimit storeCannotWrite;
        run = RunDetection(machine.links, 1);
        // Once the search is over, failures reach the store's own reporter again.
        EXPECT_FALSE(SavePortSettings(1, kParityNone, 9600));
    }

    EXPECT_EQ(run.boxes, (QStringList{QStringLiteral("Open Reg Error!"), kNotFound}));
    EXPECT_EQ(run.result, kIdCancel);
    EXPECT_EQ(reportingThreads, (QList<QThread*>{qApp->thread(), qApp->thread()}));
    EXPECT_EQ(boxesAfterTheRun.Texts(), QStringList{QStringLiteral("Open Reg Error!")});
    SetPortSettingsFailureReporter(previous);
}

}  // namespace
