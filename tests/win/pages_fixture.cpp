#include "tests/win/pages_fixture.h"

namespace tests {

HMODULE Module::handle = nullptr;
const auto* const g_env = ::testing::AddGlobalTestEnvironment(new Module);

}  // namespace tests
