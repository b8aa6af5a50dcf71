#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <functional>
#include <utility>

#include "AboutDlg.h"
#include "CloseOnSignals.h"
#include "PortSettingsStore.h"
#include "PtyRadio.h"
#include "RecordedMessageBoxes.h"
#include "SerialLinks.h"
#include "SetupApp.h"
#include "SetupDlg.h"
#include "SplashDlg.h"
#include "TestNamespaces.h"
#include "TestSupport.h"
#include "VirtualLinks.h"

namespace {

// Past this a run that should long be over is ended, so that a fault fails the test
// instead of holding the suite until its time-out.
constexpr qint64 kGiveUpMs = 30000;

QList<CDialog*> VisibleDialogs() {
    QList<CDialog*> visible;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<CDialog*>(widget);
        if (dialog != nullptr && dialog->isVisible()) {
            visible.append(dialog);
        }
    }
    return visible;
}

TEST(Splash, EndsWithOkWhenItsOneSecondTimerFires) {
    CSplashDlg splash;
    splash.ShowModeless();
    auto* timer = splash.findChild<QTimer*>();
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_FALSE(splash.IsEnded());

    QMetaObject::invokeMethod(timer, "timeout");

    EXPECT_TRUE(splash.IsEnded());
    EXPECT_EQ(splash.result(), kIdOk);
}

TEST(Splash, EnterAndEscEndItAtOnce) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        SCOPED_TRACE(key);
        CSplashDlg splash;
        splash.ShowModeless();
        QTest::keyClick(&splash, key);
        EXPECT_TRUE(splash.IsEnded());
        EXPECT_FALSE(splash.isVisible());
    }
}

TEST(AboutBox, ItsButtonEnterEscAndTheCloseBoxEachEndIt) {
    const std::pair<const char*, std::function<void(CAboutDlg&)>> ways[] = {
        {"button", [](CAboutDlg& about) { QTest::mouseClick(about.Item(kIdOk), Qt::LeftButton); }},
        {"Enter", [](CAboutDlg& about) { QTest::keyClick(&about, Qt::Key_Return); }},
        {"Esc", [](CAboutDlg& about) { QTest::keyClick(&about, Qt::Key_Escape); }},
        {"close box", [](CAboutDlg& about) { about.close(); }},
    };
    for (const auto& [name, leave] : ways) {
        SCOPED_TRACE(name);
        CAboutDlg about;
        about.ShowModeless();
        EXPECT_EQ(about.GetText(kIdOk), "关 闭");
        leave(about);
        EXPECT_TRUE(about.IsEnded());
        EXPECT_FALSE(about.isVisible());
    }
}

// The whole run with real modal loops: a watcher on a short timer notes which dialogs
// come on screen and closes the main window as soon as it shows.
TEST(SetupApp, ShowsTheSplashForASecondThenTheMainWindowAndEndsWithIt) {
    CScopedSettingsHome home;
    CVirtualLinks links;
    links.ports.AddRadio(1);
    CRecordedMessageBoxes boxes;

    QList<int> shownInTurn;  // template ids
    bool twoAtOnce = false;
    qint64 mainWindowAfterMs = -1;
    QElapsedTimer sinceStart;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        const QList<CDialog*> visible = VisibleDialogs();
        twoAtOnce = twoAtOnce || visible.size() > 1;
        for (CDialog* dialog : visible) {
            const int id = dialog->Template().id;
            if (shownInTurn.isEmpty() || shownInTurn.last() != id) {
                shownInTurn.append(id);
            }
            if (id == CSetupDlg::kTemplateId) {
                mainWindowAfterMs = sinceStart.elapsed();
                dialog->close();
            } else if (sinceStart.elapsed() > kGiveUpMs) {
                dialog->close();
            }
        }
    });
    watcher.start(10);
    sinceStart.start();

    CSetupApp app(links.Links());
    EXPECT_FALSE(app.InitInstance());
    watcher.stop();

    EXPECT_EQ(shownInTurn, (QList<int>{CSplashDlg::kTemplateId, CSetupDlg::kTemplateId}));
    EXPECT_FALSE(twoAtOnce);
    EXPECT_GE(mainWindowAfterMs, 900);
    EXPECT_TRUE(VisibleDialogs().isEmpty());
    EXPECT_TRUE(boxes.Texts().isEmpty());

    // The run leaves the settings store's failures reported in a box.
    {
        CFileSizeLimit storeCannotWrite;
        EXPECT_FALSE(SavePortSettings(1, kParityNone, 9600));
    }
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("Open Reg Error!")});
    SetPortSettingsFailureReporter({});
}

TEST(CloseOnSignals, EachSignalClosesTheOpenWindowsAsTheirCloseBoxesDo) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        const CCloseOnSignals closeOnSignals;
        CAboutDlg about;
        about.ShowModeless();
        EXPECT_FALSE(CCloseOnSignals::Requested());
        std::raise(signal);
        QElapsedTimer waited;
        waited.start();
        while (!about.IsEnded() && waited.elapsed() < kGiveUpMs) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        EXPECT_TRUE(about.IsEnded());
        EXPECT_FALSE(about.isVisible());
        EXPECT_TRUE(CCloseOnSignals::Requested());
    }
}

// A signal while the splash shows ends the run before the main window; one while the
// main window holds the port closes it, and the port is free again: the real port, on
// a pseudo-terminal.
TEST(SetupApp, ASignalEndsTheRunAndReleasesThePort) {
    const CPtyRadio radio;
    CRecordedMessageBoxes boxes;
    for (const int shownWhenSignalled : {CSplashDlg::kTemplateId, CSetupDlg::kTemplateId}) {
        SCOPED_TRACE(shownWhenSignalled);
        const CCloseOnSignals closeOnSignals;
        QList<int> shown;
        bool signalled = false;
        QElapsedTimer sinceStart;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            for (CDialog* dialog : VisibleDialogs()) {
                const int id = dialog->Template().id;
                if (!shown.contains(id)) {
                    shown.append(id);
                }
                if (id == shownWhenSignalled && !signalled) {
                    signalled = true;
                    std::raise(SIGTERM);
                } else if (sinceStart.elapsed() > kGiveUpMs) {
                    dialog->close();
                }
            }
        });
        watcher.start(10);
        sinceStart.start();
        CSerialPort port;
        EXPECT_FALSE(CSetupApp(SerialLinks(port)).InitInstance());
        watcher.stop();
        EXPECT_EQ(shown.last(), shownWhenSignalled);
        EXPECT_LT(sinceStart.elapsed(), kGiveUpMs);
        EXPECT_TRUE(VisibleDialogs().isEmpty());
        EXPECT_TRUE(std::filesystem::is_empty(radio.home.LockFolder()));
    }
    EXPECT_TRUE(boxes.Texts().isEmpty());
}

}  // namespace
