#include "RadioPortInvocation.h"

#include <gtest/gtest.h>

#include <QTest>
#include <array>
#include <chrono>

#include "CommandSet.h"
#include "PortSettingsStore.h"
#include "RadioFrame.h"
#include "RadioPortDlg.h"
#include "RadioPortIds.h"
#include "RadioPortRig.h"
#include "RecordedMessageBoxes.h"
#include "TestNamespaces.h"

namespace {

// The main window stands in as a plain dialog of any template.
constexpr int kAnyTemplate = 100;

// The main window's side: its port open on COM1 with the stored settings, as after
// start-up, and the radio on COM1, in virtual time.
struct MainWindowRig {
    MainWindowRig() : radio(&machine.StartRadioOn(1, 9600, kParityNone)) {
        SavePortSettings(1, kParityNone, 9600);
        LoadPortSettings(settings);
        port.Open(settings.m_nPortNumber, settings.m_nBaudRate, settings.m_nParity);
    }

    // Runs the invocation; the dialog gets the given list positions and the button pressed.
    RadioPortOutcome Run(int portIndex, int rateIndex, int parityIndex, int button) {
        CScopedModalHandler handler([&](CDialog& dialog) {
            dialog.ShowModeless();
            dialog.SetListSelection(RadioPortId::kPortList, portIndex);
            dialog.SetListSelection(RadioPortId::kRateList, rateIndex);
            dialog.SetListSelection(RadioPortId::kParityList, parityIndex);
            QTest::mouseClick(dialog.Item(button), Qt::LeftButton);
            return dialog.result();
        });
        return RunRadioPortDialog(machine.links.Links(), settings, &window);
    }

    // Whether the radio acknowledges a connect sent on the main window's port.
    bool RadioAnswersConnect() {
        SendRadioFrame(port, machine.links.clock, ConnectPayload(settings));
        machine.links.clock.Sleep(std::chrono::milliseconds(100));
        std::array<std::uint8_t, 16> reply{};
        return IsAckReply(port.Read(reply.data(), static_cast<int>(reply.size())), reply.data());
    }

    CVirtualMachine machine;
    CSimLink* radio;
    IPcPort& port = machine.links.ports.MainPort();
    PcPortSettings settings;
    CDialog window{kAnyTemplate};
    CRecordedMessageBoxes boxes;
};

TEST(RadioPortInvocation, ConfirmReopensThePortAtTheNewSettingsForTheConnect) {
    MainWindowRig rig;

    EXPECT_EQ(rig.Run(0, 0, 2, kIdOk), RadioPortOutcome::Reopened);

    EXPECT_EQ(rig.boxes.Texts(), QStringList{QString::fromUtf8("设置成功")});
    EXPECT_EQ(Describe(rig.settings), Describe(1, 19200, kParityEven));
    ASSERT_TRUE(rig.port.IsOpen());
    EXPECT_TRUE(rig.RadioAnswersConnect());
}

TEST(RadioPortInvocation, CancelReopensThePortWithTheStoredSettingsAndSendsNothing) {
    MainWindowRig rig;
    rig.settings.m_nBaudRate = 4800;  // the copy is reloaded from the store

    EXPECT_EQ(rig.Run(1, 0, 2, kIdCancel), RadioPortOutcome::Cancelled);

    EXPECT_TRUE(rig.boxes.Texts().isEmpty());
    EXPECT_TRUE(rig.radio->Frames().empty());
    EXPECT_EQ(Describe(rig.settings), Describe(1, 9600, kParityNone));
    ASSERT_TRUE(rig.port.IsOpen());
    EXPECT_TRUE(rig.RadioAnswersConnect());
}

TEST(RadioPortInvocation, APortThatDoesNotReopenIsReportedInEnglish) {
    MainWindowRig rig;
    CTempDir devices;
    rig.machine.home.MapPort(2, devices.File("no-port-2"));

    // The radio agrees; the new port 2 is stored but cannot be opened.
    EXPECT_EQ(rig.Run(1, 1, 0, kIdOk), RadioPortOutcome::OpenFailed);

    EXPECT_EQ(rig.boxes.Texts(),
              (QStringList{QString::fromUtf8("设置成功"),
                           QString::fromUtf8("Open Com port failed, use another port please!\n"
                                             "Port2 (%1)：设备不存在（未连接或已拔出）")
                               .arg(QString::fromStdString(devices.File("no-port-2")))}));
    EXPECT_EQ(rig.boxes.Boxes().last().owner, &rig.window);
    EXPECT_FALSE(rig.port.IsOpen());
}

TEST(RadioPortInvocation, AfterTheDeviceWentAwayAndCameBackConfirmTalksToItAgain) {
    MainWindowRig rig;
    rig.machine.links.ports.Vanish(1);
    EXPECT_EQ(rig.port.PendingInput(), 0);
    ASSERT_TRUE(rig.port.Failure());
    EXPECT_EQ(rig.port.Failure()->kind, PortFailure::Kind::Vanished);

    // Plugged in again, it is the same port with a new device behind it.
    rig.radio = &rig.machine.StartRadioOn(1, 9600, kParityNone);

    EXPECT_EQ(rig.Run(0, 1, 0, kIdOk), RadioPortOutcome::Reopened);
    EXPECT_EQ(rig.boxes.Texts(), QStringList{QString::fromUtf8("设置成功")});
    EXPECT_TRUE(rig.RadioAnswersConnect());
}

}  // namespace
