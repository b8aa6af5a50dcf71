#include "WorkFolder.h"

#include "WinTestSupport.h"

struct CWorkFolder::Backend {
    CWinTempDir folder;
    CScopedWorkingFolder inFolder{folder};
};

CWorkFolder::CWorkFolder() : m_pBackend(std::make_unique<Backend>()) {}

CWorkFolder::~CWorkFolder() = default;
