// The radio-port dialog on whichever dialog backend the build has, against the simulated
// radio: OK tells the radio its new line and stores the PC's settings.
#include <gtest/gtest.h>

#include "DetectDlg.h"
#include "DialogDriver.h"
#include "LineSettingsTransaction.h"
#include "MessageBoxSeam.h"
#include "PortSettingsStore.h"
#include "RadioOnPort.h"
#include "RadioPortDlg.h"
#include "RadioPortIds.h"
#include "WireFrame.h"

namespace {

namespace Id = RadioPortId;

constexpr int kRateListFor4800 = 2;  // 19200, 9600, 4800, 2400

// Chooses 4800 bit/s with odd parity in the radio-port dialog and presses OK; the boxes shown.
std::vector<std::string> ConfirmFourEightHundredOdd(CRadioOnPort& radio) {
    std::vector<std::string> boxes;
    const MessageBoxHandler previous = SetMessageBoxHandler([&](const MessageBoxRequest& box) {
        boxes.push_back(box.text);
        return kIdOk;
    });
    PcPortSettings mainSettings;
    CRadioPortDlg dialog(radio.Links(), mainSettings, nullptr);
    dialog.ShowModeless();
    dialog.SetListSelection(Id::kRateList, kRateListFor4800);
    dialog.SetListSelection(Id::kParityList, kParityOdd);
    Click(dialog, kIdOk);
    SetMessageBoxHandler(previous);
    return boxes;
}

TEST(RadioPort, ConfirmChangesTheRadiosLineAndStoresTheSettings) {
    CRadioOnPort radio;
    EXPECT_EQ(ConfirmFourEightHundredOdd(radio), std::vector<std::string>{"设置成功"});
    EXPECT_EQ(radio.Frames(), std::vector<std::string>{"55 AA 1C 46 00 00 00 5A"});
    PcPortSettings stored;
    LoadPortSettings(stored);
    EXPECT_EQ(stored.m_nBaudRate, 4800);
    EXPECT_EQ(stored.m_nParity, kParityOdd);

    // The radio answers at its new line, and goes back to 9600 without parity.
    const RadioLinks links = radio.Links();
    ASSERT_TRUE(links.port.Open(1, 4800, kParityOdd));
    EXPECT_EQ(CLineSettingsTransaction(links.port, links.clock).Send(9600, kParityNone),
              ReplyVerdict::Accepted);
}

TEST(RadioPort, ASilentRadioIsReportedAndTheSettingsStayAsTheyWere) {
    CRadioOnPort radio(RadioManner::Silent);
    EXPECT_EQ(ConfirmFourEightHundredOdd(radio),
              std::vector<std::string>{"设置失败，原因读取超时２"});
    PcPortSettings stored;
    LoadPortSettings(stored);
    EXPECT_EQ(stored.m_nBaudRate, 9600);
    EXPECT_EQ(stored.m_nParity, kParityNone);
}

TEST(RadioPort, TheSearchFromPortOneFindsTheRadioAndStoresItsLine) {
    CRadioOnPort radio;
    std::vector<std::string> boxes;
    const MessageBoxHandler previous = SetMessageBoxHandler([&](const MessageBoxRequest& box) {
        boxes.push_back(box.text);
        return kIdOk;
    });
    PcPortSettings stored;
    ASSERT_TRUE(SavePortSettings(1, kParityEven, 19200));
    CDetectDlg search(1, radio.Links(), nullptr);
    EXPECT_EQ(search.DoModal(), kIdOk);
    SetMessageBoxHandler(previous);

    EXPECT_EQ(boxes, std::vector<std::string>{"检测成功"});
    // 19200 with each parity goes unanswered, 9600 without parity answers.
    EXPECT_EQ(radio.Frames(), std::vector<std::string>{WireFrame("0B 07 00 00 00")});
    LoadPortSettings(stored);
    EXPECT_EQ(stored.m_nPortNumber, 1);
    EXPECT_EQ(stored.m_nBaudRate, 9600);
    EXPECT_EQ(stored.m_nParity, kParityNone);
}

}  // namespace
