#pragma once
// A reservation service client talking to a fake service on this machine,
// with a recording prompt and the progress texts it reported.

#include "bookings/OnlineTables.h"
#include "support/FakeHttpServer.h"
#include "support/RecordingPrompt.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

namespace vm::test {

class OtSvcClient : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ASSERT_TRUE(server.listen());
        service = std::make_unique<OTService>(prompt, config());
        service->AgentName = "velmora";
        service->statusChanged = [this](const QString& s) { statuses << s; };
        service->setTimeouts(5000, 5000);
        ASSERT_TRUE(service->Connect(server.hostPort()));
        statuses.clear();
    }

    static OTConfig config() {
        OTConfig c;
        c.conciergeId = "C77";
        c.hotelId = 310;
        c.areaId = 4;
        return c;
    }

    // The only request the fake service received.
    RecordedRequest onlyRequest() {
        EXPECT_EQ(server.requests().size(), 1u);
        return server.requests().empty() ? RecordedRequest{} : server.requests().back();
    }

    FakeHttpServer server;
    RecordingPrompt prompt;
    std::unique_ptr<OTService> service;
    QStringList statuses;
};

} // namespace vm::test
