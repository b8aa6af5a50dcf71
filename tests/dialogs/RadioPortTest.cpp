// The radio-port dialog on whichever dialog backend the build has, against the simulated
// radio: OK tells the radio its new line and stores the PC's settings.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "LineSettingsTransaction.h"
#include "MessageBoxSeam.h"
#include "PortSettingsStore.h"
#include "RadioOnPort1.h"
#include "RadioPortDlg.h"
#include "RadioPortIds.h"
#include "SerialPort.h"
#include "SteadyClock.h"

namespace {

namespace Id = RadioPortId;

constexpr int kRateListFor4800 = 2;  // 19200, 9600, 4800, 2400

TEST(RadioPort, ConfirmChangesTheRadiosLineAndStoresTheSettings) {
    CRadioOnPort1 radio;
    std::vector<std::string> boxes;
    const MessageBoxHandler previous = SetMessageBoxHandler([&](const MessageBoxRequest& box) {
        boxes.push_back(box.text);
        return kIdOk;
    });
    PcPortSettings mainSettings;
    CRadioPortDlg dialog(mainSettings, nullptr);
    dialog.ShowModeless();
    dialog.SetListSelection(Id::kRateList, kRateListFor4800);
    dialog.SetListSelection(Id::kParityList, kParityOdd);
    Click(dialog, kIdOk);
    SetMessageBoxHandler(previous);

    EXPECT_EQ(boxes, std::vector<std::string>{"设置成功"});
    EXPECT_EQ(radio.Frames(), std::vector<std::string>{"55 AA 1C 46 00 00 00 5A"});
    PcPortSettings stored;
    LoadPortSettings(stored);
    EXPECT_EQ(stored.m_nBaudRate, 4800);
    EXPECT_EQ(stored.m_nParity, kParityOdd);

    // The radio answers at its new line, and goes back to 9600 without parity.
    CSerialPort port;
    ASSERT_TRUE(port.Open(1, 4800, kParityOdd));
    EXPECT_EQ(CLineSettingsTransaction(port, SteadyClock()).Send(9600, kParityNone),
              ReplyVerdict::Accepted);
}

}  // namespace
