#include "CloseOnSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <atomic>
#include <csignal>

namespace radiosetup {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<bool> g_requested{false};
int g_wakeFds[2] = {-1, -1};  // the handler may only write; the GUI thread reads

void OnSignal(int /*signal*/) {
    const char byte = 1;
    const ssize_t ignored = write(g_wakeFds[1], &byte, 1);
    static_cast<void>(ignored);
}

void CloseOpenWindows() {
    g_requested = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            window->close();
        }
    }
}

}  // namespace

struct CCloseOnSignals::Watch {
    std::unique_ptr<QSocketNotifier> notifier;
    struct sigaction previous[std::size(kSignals)]{};
};

CCloseOnSignals::CCloseOnSignals() : m_pWatch(std::make_unique<Watch>()) {
    g_requested = false;
    if (pipe2(g_wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    m_pWatch->notifier = std::make_unique<QSocketNotifier>(g_wakeFds[0], QSocketNotifier::Read);
    QObject::connect(m_pWatch->notifier.get(), &QSocketNotifier::activated, [] {
        char bytes[16];
        while (read(g_wakeFds[0], bytes, sizeof bytes) > 0) {
        }
        CloseOpenWindows();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &action, &m_pWatch->previous[i]);
    }
}

CCloseOnSignals::~CCloseOnSignals() {
    if (!m_pWatch->notifier) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &m_pWatch->previous[i], nullptr);
    }
    m_pWatch->notifier.reset();
    close(g_wakeFds[0]);
    close(g_wakeFds[1]);
    g_wakeFds[0] = g_wakeFds[1] = -1;
}

bool CCloseOnSignals::Requested() {
    return g_requested;
}

}  // namespace radiosetup
