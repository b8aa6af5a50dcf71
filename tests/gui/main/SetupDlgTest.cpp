#include "SetupDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "AboutDlg.h"
#include "ModalSeam.h"
#include "RecordedMessageBoxes.h"
#include "SerialLinks.h"
#include "SimRadio.h"
#include "TestNamespaces.h"
#include "TestSupport.h"
#include "VirtualLinks.h"
#include "VirtualTimers.h"

namespace {

const QString kQueried = QString::fromUtf8("成功获取设备信息");
const QString kConnectFailed = QString::fromUtf8("设备连接失败");

// The main window started in virtual time, against a simulated radio as COM1 where the
// test starts one.
class MainWindow : public ::testing::Test {
protected:
    void StartRadio(const SimRadioState& state = SimRadioState()) {
        radio = &links.ports.AddRadio(1, state);
    }

    void Open() { Open(links.Links()); }
    void Open(const RadioLinks& radioLinks) {
        window = std::make_unique<CSetupDlg>(radioLinks);
        resultTexts = std::make_unique<QSignalSpy>(qobject_cast<QLineEdit*>(window->Item(1048)),
                                                   &QLineEdit::textChanged);
        window->ShowModeless();
    }

    QString Text(int id) const { return QString::fromStdString(window->GetText(id)); }

    // The window's one-second timer, which the clock test fires by hand.
    QTimer* ClockTimer() const {
        for (QTimer* timer : window->findChildren<QTimer*>()) {
            if (timer->interval() == 1000) {
                return timer;
            }
        }
        return nullptr;
    }

    // Runs the window in virtual time until the result field shows text, or the limit passes.
    bool WaitForResult(const QString& text, int limitMs = 8000) {
        return RunInVirtualTime(
            links.clock, [&] { return Text(1048) == text; }, std::chrono::milliseconds(limitMs));
    }

    QStringList ResultHistory() const {
        QStringList texts;
        for (const QList<QVariant>& change : *resultTexts) {
            texts.append(change.at(0).toString());
        }
        return texts;
    }

    CScopedSettingsHome home;
    CRecordedMessageBoxes boxes;
    CVirtualLinks links;
    CSimLink* radio = nullptr;
    CSerialPort realPort;  // for the run on the real links
    std::unique_ptr<CSetupDlg> window;
    std::unique_ptr<QSignalSpy> resultTexts;
};

// The one run over a pseudo-terminal on the program's real links: the window's waits
// are real.
TEST_F(MainWindow, StartUpConnectsQueriesAndShowsTheRadio) {
    SimRadioState state;
    state.ani = 56789;
    state.channelTotal = 40;
    state.currentChannel = 2;
    state.txWord[1] = SimRadioState::TxWordOf(4500000);
    state.rxWord[1] = SimRadioState::RxWordOf(4400000);
    state.txTimeLimit = 30;
    state.transparent = false;
    state.eccUsed = true;
    state.encryption = true;
    state.preEmphasis = true;
    state.rxChannelGain = 3;
    state.txVoiceGain = 12;
    state.addressing = 0x00;
    CSimRadio realRadio(state);
    ASSERT_TRUE(realRadio.Start());
    home.MapPort(1, realRadio.SlavePath());
    Open(SerialLinks(realPort));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Text(1048) == kQueried; }, 8000));

    EXPECT_EQ(ResultHistory(),
              (QStringList{QString::fromUtf8("正在执行"), QString::fromUtf8("设备连接成功"), "",
                           QString::fromUtf8("正在执行"), kQueried}));
    EXPECT_EQ(Text(1047), QString::fromUtf8("查询设备参数"));
    EXPECT_EQ(Text(1044), QString::fromUtf8("串口1 9600bps 无校验"));
    const auto frames = realRadio.Frames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].frame, (SimRequestFrame{0x55, 0xAA, 0x0B, 0x07, 0, 0, 0, 0x0C}));
    EXPECT_EQ(frames[1].frame, (SimRequestFrame{0x55, 0xAA, 0xCC, 0, 0, 0, 0, 0xCC}));

    EXPECT_EQ(Text(1019), "56789");
    EXPECT_EQ(Text(1021), "40");
    EXPECT_EQ(Text(1023), "2");
    EXPECT_EQ(Text(1025), "30");
    EXPECT_EQ(Text(1017), "4500000");
    EXPECT_EQ(Text(1014), "4400000");
    EXPECT_TRUE(window->IsChecked(1051));  // the block carries no mode: data mode
    EXPECT_FALSE(window->IsChecked(1052));
    EXPECT_TRUE(window->IsChecked(1039));  // addressing flag 0 shows "有效"
    EXPECT_FALSE(window->IsChecked(1040));
    EXPECT_TRUE(window->IsChecked(1035));
    EXPECT_FALSE(window->IsChecked(1034));
    EXPECT_TRUE(window->IsChecked(1038));  // relay shown off after a query
    EXPECT_TRUE(window->IsChecked(1043));
    EXPECT_FALSE(window->IsChecked(1042));
    EXPECT_TRUE(window->IsChecked(1050));
    EXPECT_TRUE(window->IsChecked(1033));
    EXPECT_FALSE(window->IsChecked(1032));
    EXPECT_EQ(window->GetSliderPos(1027), 3);
    EXPECT_EQ(Text(1056), "3");
    EXPECT_EQ(window->GetSliderPos(1030), 12);
    EXPECT_EQ(Text(1059), "12");
    EXPECT_TRUE(boxes.Boxes().isEmpty());
}

TEST_F(MainWindow, PortThatCannotBeOpenedStillConnectsAndFails) {
    home.MapPort(1, "/nonexistent/radio");
    Open();
    ASSERT_EQ(boxes.Boxes().size(), 1);
    EXPECT_EQ(boxes.Boxes()[0].text,
              std::string("Open Com port failed, use another port please!\n"
                          "Port1 (/nonexistent/radio)：设备不存在（未连接或已拔出）"));
    EXPECT_EQ(boxes.Boxes()[0].caption, ApplicationTitle());
    EXPECT_EQ(Text(1044), QString::fromUtf8("串口1 9600bps 无校验"));
    EXPECT_EQ(Text(1047), QString::fromUtf8("连接数传电台"));
    EXPECT_EQ(Text(1048), QString::fromUtf8("正在执行"));
    ASSERT_TRUE(WaitForResult(kConnectFailed));
    EXPECT_EQ(Text(1014), "0000000");
    EXPECT_EQ(Text(1017), "0000000");
    EXPECT_EQ(Text(1021), "100");
}

TEST_F(MainWindow, UnreadableSettingsKeepTheConstructionValues) {
    std::filesystem::create_directories(home.SettingsFile());  // a folder where the file should be
    Open();
    EXPECT_EQ(Text(1044), QString::fromUtf8("串口1 1200bps 无校验"));
}

TEST_F(MainWindow, StoredParityAndRateShowInThePortField) {
    home.WriteSettings(
        "[Version3.0/SystemParam]\nPc Com Port=3\nPc Com Band=19200\nPc Com Parity=2\n");
    Open();
    EXPECT_EQ(Text(1044), QString::fromUtf8("串口3 19200bps 偶校验"));
}

TEST_F(MainWindow, SilentRadioAtStartUpBlanksTheFields) {
    StartRadio();
    SimFaults silent;
    silent.silent = true;
    radio->SetFaults(silent);
    Open();
    ASSERT_TRUE(WaitForResult(kConnectFailed));
    EXPECT_EQ(Text(1014), "0000000");
    EXPECT_EQ(Text(1017), "0000000");
}

TEST_F(MainWindow, RadioUnpluggedWhileRunningTimesOutTheNextOperation) {
    home.MapPort(1, "/dev/serial/by-id/usb-radio");
    StartRadio();
    Open();
    ASSERT_TRUE(WaitForResult(kQueried));
    links.ports.Vanish(1);
    window->Engine().StartQuery();
    // The usual failure, and that the device went away.
    ASSERT_TRUE(WaitForResult(
        kConnectFailed + QString::fromUtf8("  Port1 (/dev/serial/by-id/usb-radio)：设备已断开")));
    EXPECT_EQ(Text(1014), "0000000");
}

TEST_F(MainWindow, FactoryAndBlankSetsAreShownInEveryControl) {
    Open();
    CParameterSet& params = window->Params();
    params.LoadFactoryDefaults();
    window->SetText(1023, "55");
    window->ShowParams();
    EXPECT_EQ(Text(1014), "2290000");
    EXPECT_EQ(Text(1017), "2290000");
    EXPECT_EQ(Text(1019), "1");
    EXPECT_EQ(Text(1021), "100");
    EXPECT_EQ(Text(1023), "1");
    EXPECT_EQ(Text(1025), "0");
    for (int checked : {1051, 1040, 1034, 1037, 1042, 1049}) {
        EXPECT_TRUE(window->IsChecked(checked)) << checked;
    }
    for (int unchecked : {1052, 1039, 1035, 1038, 1043, 1050, 1036, 1032, 1033}) {
        EXPECT_FALSE(window->IsChecked(unchecked)) << unchecked;
    }
    const int levels[][3] = {{1027, 1056, 8}, {1028, 1057, 4}, {1029, 1058, 8}, {1030, 1059, 8}};
    for (const auto& level : levels) {
        EXPECT_EQ(window->GetSliderPos(level[0]), level[2]);
        EXPECT_EQ(Text(level[1]), QString::number(level[2]));
    }

    params.LoadBlankParams();
    window->ShowParams();
    EXPECT_EQ(Text(1014), "0000000");
    EXPECT_EQ(Text(1017), "0000000");
    EXPECT_EQ(Text(1019), "1");
    EXPECT_TRUE(window->IsChecked(1040));
}

TEST_F(MainWindow, UnknownErrorCorrectionLeavesItsButtonsAndCurrentChannelShowsItsNumber) {
    Open();
    CParameterSet& params = window->Params();
    window->SetCheck(1042, true);
    window->SetCheck(1043, true);
    params.m_nEccSetting = 4800;
    params.m_nCurrentChannel = 7;
    params.m_strCurrentChannel = "99";
    params.m_strAni = "4242";
    window->ShowParams();
    EXPECT_TRUE(window->IsChecked(1042));
    EXPECT_TRUE(window->IsChecked(1043));
    EXPECT_EQ(Text(1023), "7");
    EXPECT_EQ(params.m_strCurrentChannel, "7");
    EXPECT_EQ(Text(1019), "4242");
}

TEST_F(MainWindow, ClockShowsTwoDigitsAndWrapsAtMidnight) {
    int reads = 0;
    Open();
    window->SetTimeSource([&reads] {
        ++reads;
        return CStatusClock::TimeOfDay{23, 59, 59};
    });
    EXPECT_EQ(Text(1045), "");
    QTimer* clock = ClockTimer();
    ASSERT_NE(clock, nullptr);
    EXPECT_TRUE(clock->isActive());
    QMetaObject::invokeMethod(clock, "timeout");
    EXPECT_EQ(Text(1045), "23:59:59");
    QMetaObject::invokeMethod(clock, "timeout");
    EXPECT_EQ(Text(1045), "00:00:00");
    EXPECT_EQ(reads, 1);
}

TEST_F(MainWindow, EnterDoesNothingAndEscEndsTheRun) {
    Open();
    window->Item(1014)->setFocus();
    QTest::keyClick(window.get(), Qt::Key_Return);
    EXPECT_FALSE(window->IsEnded());
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->IsEnded());
    EXPECT_EQ(window->result(), kIdCancel);
}

TEST_F(MainWindow, ExitButtonAndCloseBoxEndTheRun) {
    Open();
    QTest::mouseClick(window->Item(1053), Qt::LeftButton);
    EXPECT_TRUE(window->IsEnded());
    EXPECT_EQ(window->result(), kIdCancel);

    Open();
    window->close();
    EXPECT_TRUE(window->IsEnded());
    EXPECT_EQ(window->result(), kIdCancel);
}

TEST_F(MainWindow, AboutBoxOpensFromTheContextMenu) {
    Open();
    QStringList aboutCaptions;
    const ModalHandler previous = SetModalHandler([&aboutCaptions](CDialog& dialog) {
        aboutCaptions.append(dialog.windowTitle());
        EXPECT_EQ(dialog.Template().id, CAboutDlg::kTemplateId);
        return kIdOk;
    });
    for (int run = 0; run < 2; ++run) {
        // The menu runs its own loop; the picker looks for it until it is up, however
        // long that takes, picks its first entry and closes it.
        QStringList entries;
        QTimer picker;
        QObject::connect(&picker, &QTimer::timeout, [&picker, &entries] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* menu = qobject_cast<QMenu*>(widget);
                if (menu == nullptr || !menu->isVisible()) {
                    continue;
                }
                picker.stop();
                for (QAction* action : menu->actions()) {
                    entries.append(action->text());
                }
                if (!entries.isEmpty()) {
                    menu->actions()[0]->trigger();
                }
                menu->close();
            }
        });
        picker.start(10);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 200),
                                window->mapToGlobal(QPoint(5, 200)));
        QApplication::sendEvent(window.get(), &event);
        EXPECT_EQ(entries, QStringList{QString::fromUtf8("关于 Tarnwick(&A)...")});
    }
    SetModalHandler(previous);
    EXPECT_EQ(aboutCaptions, (QStringList{QString::fromUtf8("关于 OrbelV通信设置软件"),
                                          QString::fromUtf8("关于 OrbelV通信设置软件")}));
}

TEST_F(MainWindow, MultiChannelButtonRunsTheDialogThenQueries) {
    CTempDir workingDir;  // the dialog keeps its channel file in the working folder
    CScopedWorkingDir inWorkingDir(workingDir.Path());
    StartRadio();
    Open();
    ASSERT_TRUE(WaitForResult(kQueried));
    radio->ClearFrames();
    int runs = 0;
    const ModalHandler previous = SetModalHandler([&runs](CDialog& dialog) {
        ++runs;
        EXPECT_EQ(dialog.Template().id, 149);
        return kIdCancel;
    });
    QTest::mouseClick(window->Item(1066), Qt::LeftButton);
    SetModalHandler(previous);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(Text(1047), QString::fromUtf8("查询设备参数"));
    ASSERT_TRUE(WaitForResult(kQueried));
    ASSERT_EQ(radio->Frames().size(), 1u);
    EXPECT_EQ(radio->Frames()[0].frame[2], 0xCC);
}

TEST_F(MainWindow, NewRadioLineSettingsAreConfirmedThenTheWindowReconnects) {
    StartRadio();
    Open();
    ASSERT_TRUE(WaitForResult(kQueried));
    radio->ClearFrames();
    const ModalHandler previous = SetModalHandler([](CDialog& dialog) {
        EXPECT_EQ(dialog.Template().id, 145);
        dialog.ShowModeless();
        dialog.SetListSelection(1057, 0);  // 19200bps
        dialog.SetListSelection(1059, 2);  // even parity
        QTest::mouseClick(dialog.Item(kIdOk), Qt::LeftButton);
        return dialog.result();
    });
    QTest::mouseClick(window->Item(1041), Qt::LeftButton);
    SetModalHandler(previous);

    EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("设置成功")});
    EXPECT_EQ(Text(1044), QString::fromUtf8("串口1 19200bps 偶校验"));
    ASSERT_TRUE(WaitForResult(kQueried));
    const auto frames = radio->Frames();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].frame, (SimRequestFrame{0x55, 0xAA, 0x1C, 0xC8, 0, 0, 0, 0xD4}));
    EXPECT_EQ(frames[1].frame, (SimRequestFrame{0x55, 0xAA, 0x0B, 0xC8, 0, 0, 0, 0xC3}));
    EXPECT_EQ(frames[2].frame[2], 0xCC);
    EXPECT_EQ(radio->State().baudRate, 19200);
    EXPECT_EQ(radio->State().parity, 2);
}

TEST_F(MainWindow, CancelledPortSettingsReopenWithoutAConnect) {
    StartRadio();
    Open();
    ASSERT_TRUE(WaitForResult(kQueried));
    radio->ClearFrames();
    const ModalHandler previous = SetModalHandler([](CDialog&) { return kIdCancel; });
    QTest::mouseClick(window->Item(1041), Qt::LeftButton);
    SetModalHandler(previous);
    EXPECT_TRUE(links.ports.MainPort().IsOpen());
    EXPECT_EQ(Text(1044), QString::fromUtf8("串口1 9600bps 无校验"));
    RunInVirtualTime(
        links.clock, [] { return false; }, std::chrono::milliseconds(800));
    EXPECT_TRUE(radio->Frames().empty());
    EXPECT_EQ(Text(1048), kQueried);
}

}  // namespace
