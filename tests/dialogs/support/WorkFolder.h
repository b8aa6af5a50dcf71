#pragma once

#include <memory>

#include "TestNamespaces.h"

// A fresh, empty working folder for one test (the dialogs keep their files there), for
// tests that need no radio on a port.
class CWorkFolder {
public:
    CWorkFolder();
    ~CWorkFolder();
    CWorkFolder(const CWorkFolder&) = delete;
    CWorkFolder& operator=(const CWorkFolder&) = delete;

private:
    struct Backend;
    std::unique_ptr<Backend> m_pBackend;
};
