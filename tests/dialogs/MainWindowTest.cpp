// The main window on whichever dialog backend the build has, against the simulated radio.
#include <gtest/gtest.h>

#include <memory>

#include "DialogDriver.h"
#include "MessageBoxSeam.h"
#include "RadioOnPort1.h"
#include "SetupDlg.h"
#include "SetupDlgIds.h"

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
        window = std::make_unique<CSetupDlg>();
        window->ShowModeless();
        ASSERT_TRUE(RunUntil([this] { return Result() == kQueried; })) << Result();
    }
    void TearDown() override { SetMessageBoxHandler(m_previousBoxes); }

    std::string Result() const { return window->GetText(Id::kResultField); }
    bool FramesArrived(std::size_t count) {
        return RunUntil([this, count] { return radio.Frames().size() >= count; });
    }

    CRadioOnPort1 radio;
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

TEST_F(MainWindow, TheAniTypedIsSentAndAcknowledged) {
    Type(*window, Id::kAni, "1193046");
    Click(*window, Id::kAniOk);
    ASSERT_TRUE(FramesArrived(3));
    EXPECT_EQ(radio.Frames()[2], "55 AA 02 56 34 12 00 72");
    EXPECT_TRUE(RunUntil([this] { return Result() == "设置ANI成功"; })) << Result();
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindow, AChannelTotalOutOfRangeIsRefusedAndNothingIsSent) {
    Type(*window, Id::kChannelTotal, "101");
    Click(*window, Id::kChannelTotalOk);
    EXPECT_EQ(boxes, std::vector<std::string>{"信道总数必须是1-100"});
    RunUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_EQ(radio.Frames().size(), 2u);
}

TEST_F(MainWindow, TheQueryButtonAsksAgain) {
    Click(*window, Id::kQuery);
    ASSERT_TRUE(FramesArrived(3));
    EXPECT_EQ(radio.Frames()[2], kQueryFrame);
}

}  // namespace
