#include "RadioPortDlg.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QComboBox>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <functional>

#include "CommandSet.h"
#include "DetectDlg.h"
#include "DeviceMachine.h"
#include "PortNaming.h"
#include "PortSettingsStore.h"
#include "PtyRadio.h"
#include "RadioFrame.h"
#include "RadioPortIds.h"
#include "RadioPortRig.h"
#include "RecordedMessageBoxes.h"
#include "SerialLinks.h"
#include "SimRadio.h"
#include "TestNamespaces.h"

namespace {

using namespace RadioPortId;

const QString kSucceeded = QString::fromUtf8("设置成功");
const QString kRefused = QString::fromUtf8("写设置失败");
const QString kCannotOpen = QString::fromUtf8("无法打开串口");

// A dialog shown without a modal loop, so that a test can work its controls.
struct ShownDialog {
    ShownDialog(const RadioLinks& links, PcPortSettings& settings)
        : dialog(links, settings, nullptr) {
        dialog.ShowModeless();
    }
    void Choose(int portIndex, int rateIndex, int parityIndex) {
        dialog.SetListSelection(kPortList, portIndex);
        dialog.SetListSelection(kRateList, rateIndex);
        dialog.SetListSelection(kParityList, parityIndex);
    }
    void Press(int id) { QTest::mouseClick(dialog.Item(id), Qt::LeftButton); }
    CRadioPortDlg dialog;
};

QStringList Items(const CDialog& dialog, int id) {
    auto* list = qobject_cast<QComboBox*>(dialog.Item(id));
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items.append(list->itemText(i));
    }
    return items;
}

QList<int> Selections(const CDialog& dialog) {
    return {dialog.GetListSelection(kPortList), dialog.GetListSelection(kRateList),
            dialog.GetListSelection(kParityList)};
}

QList<int> SelectionsForStore(const std::string& settingsFileContent) {
    CVirtualMachine machine;
    if (!settingsFileContent.empty()) {
        machine.home.WriteSettings(settingsFileContent);
    }
    PcPortSettings settings;
    CRadioPortDlg dialog(machine.links.Links(), settings, nullptr);
    dialog.ShowModeless();
    return Selections(dialog);
}

std::string StoredValues(int port, int baudRate, int parity) {
    return "[Version3.0/SystemParam]\nPc Com Port=" + std::to_string(port) +
           "\nPc Com Band=" + std::to_string(baudRate) +
           "\nPc Com Parity=" + std::to_string(parity) + "\n";
}

TEST(RadioPortDialog, ListsOfferTheirItemsAndStartAtTheStoredSettings) {
    PcPortSettings settings;
    CVirtualMachine machine;
    CRadioPortDlg dialog(machine.links.Links(), settings, nullptr);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("设置数传台串口参数"));
    EXPECT_EQ(Items(dialog, kPortList), (QStringList{"Port1", "Port2", "Port3", "Port4", "Port5",
                                                     "Port6", "Port7", "Port8", "Port9"}));
    EXPECT_EQ(Items(dialog, kRateList),
              (QStringList{"19200bps", "9600 bps", "4800 bps", "2400 bps"}));
    EXPECT_EQ(Items(dialog, kParityList),
              (QStringList{QString::fromUtf8("无"), QString::fromUtf8("奇校验"),
                           QString::fromUtf8("偶校验")}));

    EXPECT_EQ(SelectionsForStore(StoredValues(3, 19200, 2)), (QList<int>{2, 0, 2}));
    EXPECT_EQ(SelectionsForStore(StoredValues(9, 2400, 1)), (QList<int>{8, 3, 1}));
    EXPECT_EQ(SelectionsForStore(""), (QList<int>{0, 1, 0}));
    EXPECT_EQ(SelectionsForStore(StoredValues(17, 115200, 3)), (QList<int>{0, 1, 0}));
    // Ports 10 to 16 are valid but not offered: the port list starts unselected.
    EXPECT_EQ(SelectionsForStore(StoredValues(12, 4800, 0)), (QList<int>{-1, 2, 0}));
}

TEST(RadioPortDialog, ChecksTheWholeStoredNumbersWhereTheMainWindowKeepsBytes) {
    // 258 is port 2 and even parity to the main window's byte fields, out of range here.
    EXPECT_EQ(SelectionsForStore(StoredValues(258, 4800, 258)), (QList<int>{0, 2, 0}));
    EXPECT_EQ(SelectionsForStore("[Version3.0/SystemParam]\nPc Com Port=x\nPc Com Band=fast\n"
                                 "Pc Com Parity=-1\n"),
              (QList<int>{0, 1, 0}));
}

TEST(RadioPortDialog, ListsStartAtPortOne19200AndNoParityWhenTheStoreCannotBeOpened) {
    CVirtualMachine machine;
    std::filesystem::create_directories(machine.home.SettingsFile());
    PcPortSettings settings;
    CRadioPortDlg dialog(machine.links.Links(), settings, nullptr);
    dialog.ShowModeless();
    EXPECT_EQ(Selections(dialog), (QList<int>{0, 0, 0}));
}

// The one run over a pseudo-terminal on the program's real links.
TEST(RadioPortDialog, ConfirmSwitchesTheRadioAndStoresTheChosenSettings) {
    const CPtyRadio pty;
    ASSERT_TRUE(SavePortSettings(1, kParityNone, 9600));
    PcPortSettings mainSettings{1, 1200, kParityNone};
    CRecordedMessageBoxes boxes;
    CSerialPort port;

    ShownDialog shown(SerialLinks(port), mainSettings);
    shown.Choose(1, 0, 2);  // Port2, 19200, even
    shown.dialog.Item(kRateList)->setFocus();
    QTest::keyClick(&shown.dialog, Qt::Key_Return);  // Enter is "确  认"

    EXPECT_EQ(boxes.Texts(), QStringList{kSucceeded});
    EXPECT_EQ(boxes.Boxes()[0].owner, &shown.dialog);
    EXPECT_EQ(boxes.Boxes()[0].caption, ApplicationTitle());
    EXPECT_TRUE(shown.dialog.IsEnded());
    EXPECT_EQ(shown.dialog.result(), kIdOk);
    // The request went out on the stored port 1 at its stored settings.
    const std::vector<SimFrameRecord> frames = pty.radio.Frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(BuildRadioFrame(RadioLinePayload(19200, kParityEven)), frames[0].frame);
    EXPECT_EQ(pty.radio.State().baudRate, 19200);
    EXPECT_EQ(pty.radio.State().parity, kParityEven);
    EXPECT_EQ(Describe(StoredSettings()), Describe(2, 19200, kParityEven));
    EXPECT_EQ(Describe(mainSettings), Describe(2, 19200, kParityEven));
}

TEST(RadioPortDialog, APresentPortAboveNineFollowsPortNineAndIsTheOneUsed) {
    CVirtualMachine machine;
    CSimLink* radio = &machine.StartRadioOn(12, 9600, kParityNone);
    ASSERT_TRUE(SavePortSettings(12, kParityNone, 9600));
    PcPortSettings mainSettings;
    CRecordedMessageBoxes boxes;

    ShownDialog shown(machine.links.Links(), mainSettings);
    EXPECT_EQ(Items(shown.dialog, kPortList).mid(8), (QStringList{"Port9", "Port12"}));
    EXPECT_EQ(shown.dialog.GetListSelection(kPortList), 9);
    shown.dialog.SetListSelection(kRateList, 2);
    shown.Press(kIdOk);

    EXPECT_EQ(boxes.Texts(), QStringList{kSucceeded});
    EXPECT_EQ(radio->State().baudRate, 4800);
    EXPECT_EQ(Describe(StoredSettings()), Describe(12, 4800, kParityNone));
    EXPECT_EQ(Describe(mainSettings), Describe(12, 4800, kParityNone));
}

// What counts as a refusal is the line-settings judge's own test; success and silence
// are the shared dialog tests'.
TEST(RadioPortDialog, ARefusalIsReportedAndNothingStored) {
    CVirtualMachine machine;
    CSimLink& radio = machine.StartRadioOn(1, 9600, kParityNone);
    ASSERT_TRUE(SavePortSettings(1, kParityNone, 9600));
    SimFaults refusing;
    refusing.replyFor[Cmd::kRelayOrLine] = {0x55, 0xAA, 0xFF};
    radio.SetFaults(refusing);
    PcPortSettings mainSettings{3, 1200, kParityEven};
    CRecordedMessageBoxes boxes;

    ShownDialog shown(machine.links.Links(), mainSettings);
    shown.Choose(0, 0, 1);
    shown.Press(kIdOk);

    EXPECT_EQ(boxes.Texts(), QStringList{kRefused});
    EXPECT_EQ(shown.dialog.result(), kIdOk);
    EXPECT_EQ(radio.Frames().size(), 1u);
    EXPECT_EQ(Describe(StoredSettings()), Describe(1, 9600, kParityNone));
    EXPECT_EQ(Describe(mainSettings), Describe(1, 9600, kParityNone));
    EXPECT_FALSE(machine.links.ports.MainPort().IsOpen());
}

TEST(RadioPortDialog, ConfirmOnAPortInUseSaysItCannotOpenIt) {
    CVirtualMachine machine;
    CSimLink* radio = &machine.StartRadioOn(1, 9600, kParityNone);
    ASSERT_TRUE(SavePortSettings(1, kParityNone, 9600));
    machine.links.ports.FailOpen(
        1,
        PortFailure{
            PortFailure::Kind::InUse, PortDevicePath(1), PortHolder{getpid(), "radiosetup"}, {}});
    PcPortSettings mainSettings;
    CRecordedMessageBoxes boxes;

    ShownDialog shown(machine.links.Links(), mainSettings);
    shown.Choose(0, 0, 0);
    shown.Press(kIdOk);

    // The first line as it always was, the port and who holds it below.
    ASSERT_EQ(boxes.Texts().size(), 1);
    const QString text = boxes.Texts()[0];
    EXPECT_TRUE(text.startsWith(kCannotOpen + "\nPort1 (" +
                                QString::fromStdString(PortDevicePath(1)) +
                                QString::fromUtf8(")：")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QString::fromUtf8("（进程 %1）占用").arg(getpid())))
        << text.toStdString();
    EXPECT_EQ(shown.dialog.result(), kIdOk);
    EXPECT_TRUE(radio->Frames().empty());
    EXPECT_EQ(Describe(StoredSettings()), Describe(1, 9600, kParityNone));
    EXPECT_EQ(Describe(mainSettings), Describe(1, 9600, kParityNone));
}

TEST(RadioPortDialog, CancelEscAndTheCloseBoxSendAndStoreNothing) {
    CVirtualMachine machine;
    CSimLink* radio = &machine.StartRadioOn(1, 9600, kParityNone);
    ASSERT_TRUE(SavePortSettings(1, kParityNone, 9600));
    const std::string storedBefore = machine.home.ReadSettings();
    CRecordedMessageBoxes boxes;
    const std::function<void(ShownDialog&)> endings[] = {
        [](ShownDialog& shown) { shown.Press(kIdCancel); },
        [](ShownDialog& shown) { QTest::keyClick(&shown.dialog, Qt::Key_Escape); },
        [](ShownDialog& shown) { shown.dialog.close(); },
    };
    for (const auto& end : endings) {
        PcPortSettings mainSettings;
        ShownDialog shown(machine.links.Links(), mainSettings);
        shown.Choose(1, 0, 2);
        end(shown);
        EXPECT_TRUE(shown.dialog.IsEnded());
        EXPECT_EQ(shown.dialog.result(), kIdCancel);
    }
    EXPECT_TRUE(boxes.Texts().isEmpty());
    EXPECT_TRUE(radio->Frames().empty());
    EXPECT_EQ(machine.home.ReadSettings(), storedBefore);
}

// Presses "自动检测" with the given port selected; the search dialog runs for real,
// the second radio-port dialog is looked at and cancelled.
struct AutoDetectRun {
    QStringList progress;
    QStringList boxes;
    QStringList secondDialogShows;
    int result = 0;
};

AutoDetectRun PressAutoDetect(const RadioLinks& links, int portIndex) {
    AutoDetectRun run;
    CRecordedMessageBoxes boxes;
    CProgressLog progress;
    CScopedModalHandler handler([&](CDialog& nested) {
        if (auto* detect = dynamic_cast<CDetectDlg*>(&nested)) {
            progress.Watch(*detect);
            return detect->RunModalLoop();
        }
        nested.ShowModeless();
        run.secondDialogShows = ShownSelections(nested);
        nested.EndDialog(kIdCancel);
        return kIdCancel;
    });
    PcPortSettings mainSettings;
    ShownDialog shown(links, mainSettings);
    shown.dialog.SetListSelection(kPortList, portIndex);
    shown.Press(kAutoDetect);
    run.progress = progress.texts;
    run.boxes = boxes.Texts();
    run.result = shown.dialog.result();
    return run;
}

TEST(RadioPortDialog, AutoDetectThatFindsNothingOffersPortOne9600NoParity) {
    CVirtualMachine machine;
    ASSERT_TRUE(SavePortSettings(3, kParityEven, 19200));

    // With Port3 selected the search starts there, and above port 2 it covers that port alone.
    const AutoDetectRun run = PressAutoDetect(machine.links.Links(), 2);

    EXPECT_EQ(run.progress, PortPassTexts(3));
    EXPECT_EQ(run.boxes, QStringList{QString::fromUtf8("无法和设备取得联系，无法更改通信模式")});
    EXPECT_EQ(run.secondDialogShows, (QStringList{"Port1", "9600 bps", QString::fromUtf8("无")}));
    EXPECT_EQ(run.result, kIdOk);
}

TEST(RadioPortDialog, AutoDetectFromPortOneOffersWhatTheSearchFound) {
    CVirtualMachine machine;
    machine.StartRadioOn(2, 4800, kParityEven);

    const AutoDetectRun run = PressAutoDetect(machine.links.Links(), 0);

    EXPECT_EQ(run.progress.size(), 12 + 9);
    EXPECT_EQ(run.progress.last(), ProgressText(2, 4800, kParityEven));
    EXPECT_EQ(run.boxes, QStringList{QString::fromUtf8("检测成功")});
    EXPECT_EQ(run.secondDialogShows,
              (QStringList{"Port2", "4800 bps", QString::fromUtf8("偶校验")}));
    EXPECT_EQ(run.result, kIdOk);
}

TEST(RadioPortDialog, TheSearchFindsARadioOnAnAdapterThatNoSettingsFileNamed) {
    CScopedSettingsHome home;
    home.WriteSettings("[Version3.0/SystemParam]\nPc Com Port=1\n");
    CDeviceMachine laptop;
    SimRadioState atFullSpeed;
    atFullSpeed.baudRate = 19200;
    CSimRadio radio(atFullSpeed);
    ASSERT_TRUE(radio.Start());
    laptop.PlugUsb("ttyUSB0", radio.SlavePath(), {"FTDI", "FT232R USB UART", "A50285BI"});

    // The dialog numbers the adapter as port 1 before its search starts there: the search's
    // one run over a pseudo-terminal on the program's real links.
    CSerialPort unused;
    const AutoDetectRun run = PressAutoDetect(SerialLinks(unused), 0);

    EXPECT_EQ(run.progress, QStringList{ProgressText(1, 19200, kParityNone)});
    EXPECT_EQ(run.boxes, QStringList{QString::fromUtf8("检测成功")});
    EXPECT_EQ(Describe(StoredSettings()), Describe(1, 19200, kParityNone));
}

}  // namespace
