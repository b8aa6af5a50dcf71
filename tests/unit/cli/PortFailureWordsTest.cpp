// The words for port failures that a test machine cannot bring about.
#include <gtest/gtest.h>

#include "PortFailureWords.h"
#include "TestNamespaces.h"

namespace {

using Kind = PortFailure::Kind;

TEST(PortFailureWords, CausesTheMachineCannotStageAreNamedToo) {
    const struct {
        const char* name;
        PortFailure failure;
        std::string cause;
    } cases[] = {
        {"refused settings",
         {Kind::SettingsRefused, "/dev/ttyUSB0", {}, {}},
         "/dev/ttyUSB0 refused 4800 bit/s, even parity"},
        {"holder without a name",
         {Kind::InUse, "/dev/ttyUSB0", {4321, ""}, {}},
         "/dev/ttyUSB0 is in use by process 4321"},
        {"unknown holder",
         {Kind::InUse, "/dev/ttyUSB0", {}, {}},
         "/dev/ttyUSB0 is in use by another program"},
        {"no permission, no group",
         {Kind::NoPermission, "/dev/ttyUSB0", {}, ""},
         "you may not open /dev/ttyUSB0; " + NoPermissionAdvice("")},
    };
    for (const auto& tried : cases) {
        EXPECT_EQ(OpenFailureCause(tried.failure, 4800, 2), tried.cause) << tried.name;
    }
}

}  // namespace
