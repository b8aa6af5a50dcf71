#include "DetectDlg.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <utility>

#include "CommandSet.h"
#include "PortSettingsStore.h"
#include "PtyPair.h"
#include "RadioFrame.h"
#include "RadioPortIds.h"
#include "RadioPortRig.h"
#include "RecordedMessageBoxes.h"
#include "SerialPort.h"
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

DetectRun RunDetection(int startPort, const std::function<void(CDetectDlg&)>& beforeRun = {}) {
    DetectRun run;
    CRecordedMessageBoxes boxes;
    CProgressLog progress;
    CDetectDlg dialog(startPort, nullptr);
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

// A place that no device will ever appear at.
std::string AbsentDevice(const CTempDir& dir, int portNumber) {
    return dir.File("no-port-" + std::to_string(portNumber));
}

TEST(DetectDialog, FindsTheRadioOnPortTwoAfterProbingEveryCombinationOnPortOne) {
    CScopedSettingsHome home;
    CPtyPair quietPort;
    home.MapPort(1, quietPort.SlavePath());
    const auto radio = StartRadioOn(home, 2, 9600, kParityOdd);

    const DetectRun run = RunDetection(1);

    QStringList expected = PortPassTexts(1);
    expected << ProgressText(2, 19200, 0) << ProgressText(2, 19200, 1) << ProgressText(2, 19200, 2)
             << ProgressText(2, 9600, 0) << ProgressText(2, 9600, 1);
    EXPECT_EQ(run.progress, expected);
    EXPECT_EQ(run.boxes, QStringList{kFound});
    EXPECT_TRUE(run.boxOwnedByDialog);
    EXPECT_TRUE(run.focusOnSinkAtResult);
    EXPECT_EQ(run.result, kIdOk);
    EXPECT_EQ(Describe(StoredSettings()), Describe(2, 9600, kParityOdd));

    // Port one got one connect request per combination, each carrying its own line code.
    std::vector<std::uint8_t> expectedProbes;
    for (const int baudRate : {19200, 9600, 4800, 2400}) {
        for (const int parity : {kParityNone, kParityOdd, kParityEven}) {
            const RadioFrame frame =
                BuildRadioFrame({Cmd::kConnect, LineCode(baudRate, parity), 0, 0, 0});
            expectedProbes.insert(expectedProbes.end(), frame.begin(), frame.end());
        }
    }
    EXPECT_EQ(quietPort.ReadFromMaster(expectedProbes.size() + 1, std::chrono::milliseconds(200)),
              expectedProbes);
    const std::vector<SimFrameRecord> answered = radio->Frames();
    ASSERT_EQ(answered.size(), 1u);
    EXPECT_EQ(answered[0].frame[3], 0x47);
}

TEST(DetectDialog, SearchesPortsOneAndTwoOrAHigherStartPortAlone) {
    CTempDir devices;
    {
        CScopedSettingsHome home;
        CPtyPair port1;
        CPtyPair port2;
        home.MapPort(1, port1.SlavePath());
        home.MapPort(2, port2.SlavePath());
        home.MapPort(5, AbsentDevice(devices, 5));

        const DetectRun fromFive = RunDetection(5);

        EXPECT_EQ(fromFive.progress, PortPassTexts(5));
        EXPECT_EQ(fromFive.boxes, QStringList{kNotFound});
        // Any probe had its 300 ms wait behind it before the search ended: it is queued.
        EXPECT_TRUE(port1.ReadFromMaster(1, std::chrono::milliseconds(50)).empty());
        EXPECT_TRUE(port2.ReadFromMaster(1, std::chrono::milliseconds(50)).empty());
    }
    for (const int startPort : {0, 2}) {
        SCOPED_TRACE(startPort);
        CScopedSettingsHome home;
        home.MapPort(1, AbsentDevice(devices, 1));
        home.MapPort(2, AbsentDevice(devices, 2));
        EXPECT_EQ(RunDetection(startPort).progress, PortPassTexts(1) + PortPassTexts(2));
    }
}

TEST(DetectDialog, SkipsAbsentAndBusyPortsWithoutAProbeAndStoresTheDefaults) {
    CScopedSettingsHome home;
    CTempDir devices;
    CPtyPair busyPort;
    home.MapPort(1, busyPort.SlavePath());
    home.MapPort(2, AbsentDevice(devices, 2));
    ASSERT_TRUE(SavePortSettings(7, kParityEven, 4800));
    CSerialPort otherUser;
    ASSERT_TRUE(otherUser.Open(1, 9600, kParityNone));

    const DetectRun run = RunDetection(1);

    EXPECT_EQ(run.progress, PortPassTexts(1) + PortPassTexts(2));
    EXPECT_EQ(run.boxes, QStringList{kNotFound});
    EXPECT_TRUE(run.boxOwnedByDialog);
    EXPECT_EQ(run.result, kIdCancel);
    EXPECT_EQ(Describe(StoredSettings()), Describe(1, 9600, kParityNone));
    EXPECT_TRUE(busyPort.ReadFromMaster(1, std::chrono::milliseconds(50)).empty());
}

// The radio sits on port 1 at the first combination tried and answers the probe with
// the reply under test; port 2 does not exist.
struct ProbeReplyCase {
    const char* name;
    std::vector<std::uint8_t> reply;
    bool accepted;
};

void PrintTo(const ProbeReplyCase& tried, std::ostream* out) {
    *out << tried.name;
}

class DetectProbeReply : public ::testing::TestWithParam<ProbeReplyCase> {};

TEST_P(DetectProbeReply, OnlyAThreeByteAcknowledgementFindsTheRadio) {
    CScopedSettingsHome home;
    CTempDir devices;
    const auto radio = StartRadioOn(home, 1, 19200, kParityNone);
    home.MapPort(2, AbsentDevice(devices, 2));
    SimFaults faults;
    faults.replyFor[Cmd::kConnect] = GetParam().reply;
    radio->SetFaults(faults);

    const DetectRun run = RunDetection(1);

    ASSERT_GE(radio->Frames().size(), 1u);
    EXPECT_EQ(radio->Frames()[0].reply, GetParam().reply);
    if (GetParam().accepted) {
        EXPECT_EQ(run.progress, QStringList{ProgressText(1, 19200, 0)});
        EXPECT_EQ(run.boxes, QStringList{kFound});
        EXPECT_EQ(Describe(StoredSettings()), Describe(1, 19200, kParityNone));
    } else {
        EXPECT_EQ(run.progress, PortPassTexts(1) + PortPassTexts(2));
        EXPECT_EQ(run.boxes, QStringList{kNotFound});
        EXPECT_EQ(Describe(StoredSettings()), Describe(1, 9600, kParityNone));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, DetectProbeReply,
    ::testing::Values(ProbeReplyCase{"Status00", {0x55, 0xAA, 0x00}, true},
                      ProbeReplyCase{"Status11", {0x55, 0xAA, 0x11}, true},
                      ProbeReplyCase{"Status22", {0x55, 0xAA, 0x22}, true},
                      ProbeReplyCase{"FourBytes", {0x55, 0xAA, 0x00, 0x00}, false},
                      ProbeReplyCase{"TwoBytes", {0x55, 0xAA}, false},
                      ProbeReplyCase{"Refusal", {0x55, 0xAA, 0xFF}, false}),
    [](const ::testing::TestParamInfo<ProbeReplyCase>& tried) { return tried.param.name; });

// Each probe reads once, 300 ms after its request: an acknowledgement whose last two
// bytes follow 150 ms behind the first is whole by then, one 600 ms behind is not.
TEST(DetectDialog, AProbeTakesWhatHasArrived300MsAfterItsRequest) {
    for (const auto& [pauseMs, found] : {std::pair{150, true}, std::pair{600, false}}) {
        SCOPED_TRACE(pauseMs);
        CScopedSettingsHome home;
        const auto radio = StartRadioOn(home, 3, 19200, kParityNone);
        SimFaults faults;
        faults.splitAt = 1;
        faults.splitPauseMs = pauseMs;
        radio->SetFaults(faults);

        const DetectRun run = RunDetection(3);

        EXPECT_EQ(run.boxes, QStringList{found ? kFound : kNotFound});
        EXPECT_EQ(run.progress.size(), found ? 1 : 12);
    }
}

TEST(DetectDialog, EscDuringTheSearchWaitsForItsEndAndClosesWithoutAResultBox) {
    CScopedSettingsHome home;
    const auto radio = StartRadioOn(home, 1, 19200, kParityEven);

    const DetectRun run = RunDetection(1, [](CDetectDlg& dialog) {
        QObject::connect(qobject_cast<QLineEdit*>(dialog.Item(DetectId::kProgress)),
                         &QLineEdit::textChanged, &dialog, [&dialog] {
                             QTimer::singleShot(0, &dialog, [&dialog] {
                                 if (!dialog.IsEnded()) {
                                     QTest::keyClick(&dialog, Qt::Key_Escape);
                                 }
                             });
                         });
    });

    // The window froze at the first combination; the search went on to its end.
    EXPECT_EQ(run.progress, QStringList{ProgressText(1, 19200, 0)});
    EXPECT_TRUE(run.boxes.isEmpty());
    EXPECT_EQ(run.result, kIdCancel);
    EXPECT_EQ(radio->Frames().size(), 1u);
    EXPECT_EQ(Describe(StoredSettings()), Describe(1, 19200, kParityEven));
}

TEST(DetectDialog, AFailedStoreIsShownOnTheGuiThreadAheadOfTheResult) {
    CScopedSettingsHome home;
    CTempDir devices;
    home.MapPort(1, AbsentDevice(devices, 1));
    home.MapPort(2, AbsentDevice(devices, 2));
    QList<QThread*> reportingThreads;
    const auto previous = SetPortSettingsFailureReporter([&reportingThreads] {
        reportingThreads.append(QThread::currentThread());
        ShowMessageBox(nullptr, "Open Reg Error!");
    });

    CRecordedMessageBoxes boxesAfterTheRun;
    DetectRun run;
    {
        CFileSizeLimit storeCannotWrite;
        run = RunDetection(1);
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
