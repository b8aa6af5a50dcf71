// The main window on whichever dialog backend the build has, against the simulated radio.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DialogDriver.h"
#include "MessageBoxSeam.h"
#include "PortSettingsStore.h"
#include "RadioOnPort.h"
#include "RadioPortDlg.h"
#include "RadioPortIds.h"
#include "SetupDlg.h"
#include "SetupDlgIds.h"
#include "WireFrame.h"

namespace {

namespace Id = SetupId;

const char* const kQueried = "成功获取设备信息";
const char* const kConnectFrame = "55 AA 0B 07 00 00 00 0C";
const char* const kQueryFrame = "55 AA CC 00 00 00 00 CC";

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousBoxes = SetMessageBoxHandler([this](const MessageBoxRequest& box) {
            boxes.push_back(box.text);
            return kIdOk;
        });
        window = std::make_unique<CSetupDlg>(radio.Links());
        window->ShowModeless();
        ASSERT_TRUE(RunUntil([this] { return Result() == kQueried; })) << Result();
    }
    void TearDown() override { SetMessageBoxHandler(m_previousBoxes); }

    std::string Result() const { return window->GetText(Id::kResultField); }
    bool FramesArrived(std::size_t count) {
        return RunUntil([this, count] { return radio.Frames().size() >= count; });
    }

    CRadioOnPort radio;
    std::unique_ptr<CSetupDlg> window;
    std::vector<std::string> boxes;

private:
    MessageBoxHandler m_previousBoxes;
};

TEST_F(MainWindow, ConnectsAndQueriesAtStartUpAndShowsTheParameters) {
    EXPECT_EQ(radio.Frames(), (std::vector<std::string>{kConnectFrame, kQueryFrame}));
    EXPECT_EQ(window->GetText(Id::kRxFrequency), "2290000");
    EXPECT_EQ(window->GetText(Id::kAni), "1");
    EXPECT_EQ(window->GetText(Id::kChannelTotal), "100");
    EXPECT_EQ(window->GetText(Id::kPortField), "串口1 9600bps 无校验");
    EXPECT_TRUE(window->IsChecked(Id::kDataMode));
}

TEST_F(MainWindow, AChannelTotalOutOfRangeIsRefusedAndNothingIsSent) {
    Type(*window, Id::kChannelTotal, "101");
    Click(*window, Id::kChannelTotalOk);
    EXPECT_EQ(boxes, std::vector<std::string>{"信道总数必须是1-100"});
    RunUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_EQ(radio.Frames().size(), 2u);
}

// What a person does before pressing one button, what reaches the radio, what the window
// then says. The operations run one after the other in one window.
struct Operation {
    std::vector<std::pair<int, const char*>> typed;
    std::vector<int> clicked;                   // choices that send nothing of their own
    std::vector<std::pair<int, bool>> dragged;  // sliders dragged to their right or left end
    int button;
    std::vector<const char*> payloads;
    const char* result;
};

const Operation kOperations[] = {
    {{{Id::kAni, "1193046"}}, {}, {}, Id::kAniOk, {"02 56 34 12 00"}, "设置ANI成功"},
    {{{Id::kRxFrequency, "1"}}, {}, {}, Id::kRxFrequencyOk, {"04 00 18 90 00"}, "设置接收频率成功"},
    {{{Id::kCurrentChannel, "05"}, {Id::kTxFrequency, "6"}},
     {},
     {},
     Id::kTxFrequencyOk,
     {"05 04 BB 80 00"},
     "设置发射频率成功"},
    {{{Id::kTxTimeLimit, "255"}},
     {},
     {},
     Id::kTxTimeLimitOk,
     {"06 FF 00 00 00"},
     "设置发射时限成功"},
    {{{Id::kCurrentChannel, "050"}},
     {},
     {},
     Id::kCurrentChannelOk,
     {"07 31 00 00 00", "CC 00 00 00 00"},
     kQueried},
    {{{Id::kChannelTotal, "60"}},
     {},
     {},
     Id::kChannelTotalOk,
     {"03 3C 00 00 00"},
     "设置信道总数成功"},
    {{{Id::kAni, "4660"},
      {Id::kCurrentChannel, "60"},
      {Id::kRxFrequency, "4000000"},
      {Id::kTxFrequency, "4100000"}},
     {},
     {},
     Id::kSetDevice,
     {"02 34 12 00 00", "03 3C 00 00 00", "04 3B 76 50 00", "05 3B 80 20 00"},
     "设置设备成功"},
    // Levels 8, 8, 1 and 16, companding, pre-emphasis, no error correction, no encryption.
    {{},
     {Id::kCompander, Id::kPreEmphasis},
     {{Id::kRxVoiceGain, true}, {Id::kTxChannelGain, false}, {Id::kTxVoiceGain, true}},
     Id::kConfirmAudio,
     {"11 0F F7 0F E7"},
     "操作成功"},
    {{}, {}, {}, Id::kAddressingOn, {"18 00 00 00 00"}, "操作成功"},
    {{}, {}, {}, Id::kNonTransparent, {"15 0F 00 00 00"}, "操作成功"},
    {{}, {}, {}, Id::kEccOn, {"0A 01 00 00 00"}, "操作成功"},
    {{}, {}, {}, Id::kEncryptionOn, {"13 01 00 00 00"}, "操作成功"},
    {{}, {}, {}, Id::kRelayOn, {"1C 01 00 00 00"}, "操作成功"},
    {{}, {}, {}, Id::kRxEndRelay, {"1C 01 01 00 00"}, "操作成功"},
    {{}, {Id::kVoiceMode}, {}, Id::kWorkModeOk, {"08 00 00 00 00"}, "成功设置为语音模式"},
    {{}, {}, {}, Id::kQuery, {"CC 00 00 00 00"}, kQueried},
};

TEST_F(MainWindow, EveryOperationButtonSendsItsRequestsAndShowsTheOutcome) {
    std::size_t sent = radio.Frames().size();
    for (const Operation& operation : kOperations) {
        SCOPED_TRACE(operation.button);
        for (const auto& [id, text] : operation.typed) {
            Type(*window, id, text);
        }
        for (const int id : operation.clicked) {
            Click(*window, id);
        }
        for (const auto& [id, rightEnd] : operation.dragged) {
            DragSliderToEnd(*window, id, rightEnd);
        }
        window->SetText(Id::kResultField, "");
        Click(*window, operation.button);

        std::vector<std::string> expected;
        for (const char* payload : operation.payloads) {
            expected.push_back(WireFrame(payload));
        }
        EXPECT_TRUE(RunUntil([&] { return Result() == operation.result; })) << Result();
        const std::vector<std::string> frames = radio.Frames();
        EXPECT_EQ(std::vector<std::string>(frames.begin() + static_cast<std::ptrdiff_t>(sent),
                                           frames.end()),
                  expected);
        sent = frames.size();
    }
    EXPECT_TRUE(boxes.empty());
}

// A USB adapter's port above 9: offered after Port9, and the window talks to its radio.
TEST(PortAboveNine, IsListedAfterPortNineAndTheMainWindowTalksToItsRadio) {
    CRadioOnPort radio(RadioManner::Answering, 12);
    ASSERT_TRUE(SavePortSettings(12, kParityNone, 9600));
    {
        PcPortSettings settings;
        CRadioPortDlg dialog(radio.Links(), settings, nullptr);
        dialog.ShowModeless();
        const std::vector<std::string> items = ListItems(dialog, RadioPortId::kPortList);
        ASSERT_EQ(items.size(), 10u);
        EXPECT_EQ(items[8], "Port9");
        EXPECT_EQ(items[9], "Port12");
        EXPECT_EQ(dialog.GetListSelection(RadioPortId::kPortList), 9);
    }
    CSetupDlg window(radio.Links());
    window.ShowModeless();
    ASSERT_TRUE(RunUntil([&] { return window.GetText(Id::kResultField) == kQueried; }))
        << window.GetText(Id::kResultField);
    EXPECT_EQ(radio.Frames(), (std::vector<std::string>{kConnectFrame, kQueryFrame}));
    EXPECT_EQ(window.GetText(Id::kPortField), "串口12 9600bps 无校验");
}

}  // namespace
