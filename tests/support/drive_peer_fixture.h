// A drive test whose mount is played by a pseudo-terminal on port 1 (see
// support/serial_peer.h), with the small drivers' per-run state forgotten.
#pragma once

#include <string>

#include "support/scope_fixture.h"
#include "support/serial_peer.h"

class DrivePeerTest : public ScopeTest {
protected:
    DrivePeerTest();

    // What the mount received since the last call, once `last` has come.
    std::string Sent(const std::string& last);
    // The port really closed, the drivers' per-run state forgotten, no
    // messages: a new run for the next case of a table.
    void NewRun();

    SerialPeer peer{1};
};
