#include "WorkFolder.h"

#include "TestSupport.h"

struct CWorkFolder::Backend {
    CTempDir folder;
    CScopedWorkingDir inFolder{folder.Path()};
};

CWorkFolder::CWorkFolder() : m_pBackend(std::make_unique<Backend>()) {}

CWorkFolder::~CWorkFolder() = default;
