#include "support/drive_peer_fixture.h"

#include "scope/scope_dispatch.h"
#include "scope/serial_link.h"
#include "scope/sidereal_tech.h"
#include "scope/takahashi.h"

DrivePeerTest::DrivePeerTest() { NewRun(); }

std::string DrivePeerTest::Sent(const std::string& last) {
    EXPECT_TRUE(peer.WaitReceived(last)) << last;
    return peer.TakeReceived();
}

void DrivePeerTest::NewRun() {
    ResetSerialLink();
    ResetScopeDispatch();
    ResetTakahashiDriver();
    ForgetSiderealTechResolutions();
    services.messages.clear();
    services.questions.clear();
    peer.TakeReceived();
}
