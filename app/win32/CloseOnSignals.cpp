#include "CloseOnSignals.h"

#include <windows.h>

#include <atomic>

namespace radiosetup {

namespace {

std::atomic<bool> g_requested{false};
std::atomic<DWORD> g_windowThread{0};

BOOL CALLBACK PostClose(HWND window, LPARAM /*unused*/) {
    if (IsWindowVisible(window)) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

// Runs on a thread of its own: the windows are asked to close through their queue.
BOOL WINAPI OnConsoleEvent(DWORD /*event*/) {
    g_requested = true;
    EnumThreadWindows(g_windowThread, PostClose, 0);
    return TRUE;
}

}  // namespace

struct CCloseOnSignals::Watch {};

CCloseOnSignals::CCloseOnSignals() : m_pWatch(std::make_unique<Watch>()) {
    g_requested = false;
    g_windowThread = GetCurrentThreadId();
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

CCloseOnSignals::~CCloseOnSignals() {
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
}

bool CCloseOnSignals::Requested() {
    return g_requested;
}

}  // namespace radiosetup
