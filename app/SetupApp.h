#pragma once

namespace radiosetup {

// The application: the splash for a second, then the main window until it closes.
class CSetupApp {
public:
    // The whole run; returns false, after which the program ends.
    bool InitInstance();
};

}  // namespace radiosetup
