#pragma once
// Network settings for tests: short time-outs and pauses that are counted instead of slept, so a
// test never waits for the real 40-second time-out or 100 ms pauses.

#include "iddb/http_fetcher.h"
#include "iddb/tcp_client.h"

#include <atomic>
#include <chrono>
#include <memory>

namespace pw::test {

struct PauseCounter {
    std::atomic<int> pauses{0};
};

inline NetEnvironment quickNetwork(std::shared_ptr<PauseCounter> counter = std::make_shared<PauseCounter>())
{
    NetEnvironment environment;
    environment.sleep = [counter](std::chrono::milliseconds) { ++counter->pauses; };
    environment.connectTimeout = std::chrono::milliseconds(5000);
    return environment;
}

// A receive time-out long enough for any loopback exchange, short enough for a silent peer.
inline HttpTiming quickTiming(int receiveTimeoutMs = 300)
{
    HttpTiming timing;
    timing.receiveTimeoutMs = receiveTimeoutMs;
    return timing;
}

} // namespace pw::test
