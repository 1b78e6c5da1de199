// The telescope simulation is off at start unless ZENDAVORI_SCOPE_SIMULATION=1.
#include <gtest/gtest.h>

#include <cstdlib>

#include "scope/scope_dispatch.h"
#include "support/program_fixture.h"

namespace {

class ScopeSimulationStart : public ProgramTest {
protected:
    ~ScopeSimulationStart() override { unsetenv("ZENDAVORI_SCOPE_SIMULATION"); }
};

TEST_F(ScopeSimulationStart, IsOffUnlessTheVariableIs1) {
    scopeSimulation = 1;
    setenv("ZENDAVORI_SCOPE_SIMULATION", "yes", 1);
    ASSERT_TRUE(StartProgram());
    EXPECT_EQ(scopeSimulation, 0);
}

TEST_F(ScopeSimulationStart, IsOnWithTheVariableSetTo1) {
    setenv("ZENDAVORI_SCOPE_SIMULATION", "1", 1);
    ASSERT_TRUE(StartProgram());
    EXPECT_EQ(scopeSimulation, 1);
}

}  // namespace
