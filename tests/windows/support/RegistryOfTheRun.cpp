#include <gtest/gtest.h>

#include <memory>

#include "WinTestSupport.h"

// The portable tests run against a registry of their own. The prefix's serial port list
// also names the host's ports (Wine numbers them after the mapped ones), and no test may
// reach those.
namespace {

class CRegistryOfTheRun : public ::testing::Environment {
public:
    void SetUp() override { m_pRoots = std::make_unique<CScopedRegistryRoots>(); }
    void TearDown() override { m_pRoots.reset(); }

private:
    std::unique_ptr<CScopedRegistryRoots> m_pRoots;
};

::testing::Environment* const kRegistryOfTheRun =
    ::testing::AddGlobalTestEnvironment(new CRegistryOfTheRun);

}  // namespace
