// SPDX-License-Identifier: GPL-3.0-or-later
// Publishing against a real broker: what a subscriber receives, across a broker restart and the
// death of a station, and what the station says when the broker will not have it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>

#include "runtime/publish.h"
#include "tests/publish/broker.h"

namespace kvor::test {
namespace {

class Publishing : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        broker = new TestBroker();
        ASSERT_TRUE(broker->Start()) << "mosquitto does not start in " << broker->dir;
    }
    static void TearDownTestSuite() {
        delete broker;
        broker = nullptr;
    }
    // Time enough for the network thread to end: a thread left behind is leaked by design.
    void TearDown() override { PublishStop(10); }

    static int Start(const std::string& url, const std::string& topic, const char* ca = "",
                     const char* password = TestBroker::kPassword) {
        const std::string status = topic + "/status";
        const std::string clientId = "kvor-" + topic;
        const PublishSettings s{url.c_str(),
                                TestBroker::kUser,
                                password,
                                ca,
                                clientId.c_str(),
                                status.c_str(),
                                "{\"state\":\"online\"}",
                                "{\"state\":\"offline\"}"};
        char error[256];
        const int rc = PublishStart(&s, error, sizeof error);
        lastError = error;
        return rc;
    }
    static void Measurements(const std::string& topic, int from, int to) {
        for (int seq = from; seq <= to; ++seq)
            PublishMessage((topic + "/measurement").c_str(),
                           ("{\"seq\":" + std::to_string(seq) + ",\"value\":512}").c_str(), 1, 0);
    }
    // The measurements' seq numbers in the order they came, and the distinct ones.
    static std::vector<int> Seqs(const Subscriber& s, std::set<int>* distinct = nullptr) {
        std::vector<int> seqs;
        for (const auto& m : s.messages)
            if (m.topic.ends_with("/measurement")) {
                seqs.push_back(std::stoi(Field(m.payload, "seq")));
                if (distinct) distinct->insert(seqs.back());
            }
        return seqs;
    }
    static std::string LastStatus(const Subscriber& s) {
        for (auto m = s.messages.rbegin(); m != s.messages.rend(); ++m)
            if (m->topic.ends_with("/status")) return Field(m->payload, "state");
        return "";
    }
    static inline TestBroker* broker = nullptr;
    static inline std::string lastError;
};

TEST_F(Publishing, EveryMessageOnceInOrderAndTheStatusFollowsTheStation) {
    Subscriber sub(*broker, "t1/#", "sub-t1");
    ASSERT_EQ(Start(broker->PlainUrl(), "t1"), 0) << lastError;
    ASSERT_EQ(PublishAwait(PUBLISH_CONNECTING, 30), PUBLISH_CONNECTED);
    Measurements("t1", 1, 3000);
    sub.Receive(3001);
    std::vector<int> expected(3000);
    for (int i = 0; i < 3000; ++i)
        expected[static_cast<std::size_t>(i)] = i + 1;
    EXPECT_EQ(Seqs(sub), expected);
    EXPECT_EQ(LastStatus(sub), "online");
    EXPECT_EQ(PublishStop(10), 0);
    PublishStatus st;
    EXPECT_EQ(PublishState(&st), PUBLISH_OFF);
    // A subscriber coming later finds the station offline, as the clean end left it.
    Subscriber later(*broker, "t1/status", "sub-t1-later");
    later.Receive(1);
    ASSERT_EQ(later.messages.size(), 1u);
    EXPECT_TRUE(later.messages[0].retained);
    EXPECT_EQ(LastStatus(later), "offline");
}

TEST_F(Publishing, ABrokerRestartInMidRunLosesNoMessage) {
    Subscriber sub(*broker, "t2/measurement", "sub-t2");
    ASSERT_EQ(Start(broker->PlainUrl(), "t2"), 0) << lastError;
    ASSERT_EQ(PublishAwait(PUBLISH_CONNECTING, 30), PUBLISH_CONNECTED);
    Measurements("t2", 1, 4000);
    sub.Receive(100);
    broker->Stop();
    EXPECT_EQ(PublishAwait(PUBLISH_CONNECTED, 30), PUBLISH_CONNECTING);
    Measurements("t2", 4001, 6000); // while the broker is away
    PublishStatus st;
    PublishState(&st);
    EXPECT_GE(st.waiting, 2000);
    ASSERT_TRUE(broker->Start());
    EXPECT_EQ(PublishAwait(PUBLISH_CONNECTING, 30), PUBLISH_CONNECTED);
    sub.Reconnect();
    // Resent messages may come twice; what counts is that none is missing.
    std::set<int> distinct;
    for (std::size_t got = 0; got != sub.messages.size() && distinct.size() < 6000;) {
        got = sub.messages.size();
        sub.Receive(got + 6000 - distinct.size());
        Seqs(sub, &distinct);
    }
    EXPECT_EQ(distinct.size(), 6000u);
    EXPECT_EQ(*distinct.begin(), 1);
    EXPECT_EQ(*distinct.rbegin(), 6000);
    EXPECT_EQ(PublishStop(10), 0);
}

TEST_F(Publishing, AKilledStationIsMarkedOfflineByItsLastWill) {
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    char self[PATH_MAX] = {};
    ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
    const std::string probe =
        std::string(self).substr(0, std::string(self).rfind('/')) + "/kvor-publish-probe";
    const std::string url = broker->PlainUrl();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        execl(probe.c_str(), probe.c_str(), url.c_str(), TestBroker::kUser, TestBroker::kPassword,
              "t3/status", nullptr);
        _exit(127);
    }
    close(out[1]);
    char line[16] = {};
    ASSERT_GT(read(out[0], line, sizeof line - 1), 0);
    EXPECT_STREQ(line, "connected\n");
    Subscriber sub(*broker, "t3/status", "sub-t3");
    sub.Receive(1);
    EXPECT_EQ(LastStatus(sub), "online");
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    close(out[0]);
    sub.Receive(2);
    EXPECT_EQ(LastStatus(sub), "offline");
}

TEST_F(Publishing, TheStationSaysWhyTheBrokerWillNotHaveIt) {
    const std::string closed = "mqtt://127.0.0.1:" + std::to_string(FreePort());
    struct Row {
        std::string url;
        const char* ca;
        const char* password;
        int start; // PublishStart's result
        int state; // the state once the first attempt has ended
        const char* reason;
    } rows[] = {
        {broker->PlainUrl(), "", "wrong", 0, PUBLISH_REFUSED, "Connection Refused"},
        {broker->TlsUrl(), broker->otherCaFile.c_str(), TestBroker::kPassword, 0, PUBLISH_REFUSED,
         "certificate"},
        {broker->TlsUrl(), broker->caFile.c_str(), TestBroker::kPassword, 0, PUBLISH_CONNECTED, ""},
        {broker->TlsUrl(), broker->caFile.c_str(), "wrong", 0, PUBLISH_REFUSED,
         "Connection Refused"},
        // Nobody listens: no refusal, the messages wait.
        {closed, "", TestBroker::kPassword, 0, PUBLISH_CONNECTING, "not reachable"},
        {"http://127.0.0.1:1883", "", "", -1, PUBLISH_OFF, "URL"},
        {broker->TlsUrl(), "/nonexistent/ca.crt", "", -1, PUBLISH_OFF, "CA file"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.url + " " + r.ca + " " + r.password);
        ASSERT_EQ(Start(r.url, "t4", r.ca, r.password), r.start);
        EXPECT_EQ(PublishAwait(PUBLISH_CONNECTING, 30), r.state);
        PublishStatus st;
        PublishState(&st);
        EXPECT_NE(std::string(r.start < 0 ? lastError.c_str() : st.reason).find(r.reason),
                  std::string::npos)
            << (r.start < 0 ? lastError : st.reason);
        PublishStop(10);
    }
}

// kvorctl as a station on the simulated sensor: each answer it writes is on the broker once, in
// order, with the same figures; a broker that refuses ends it with status 6 and the reason; one
// that cannot be reached holds nothing up.
TEST_F(Publishing, KvorctlPublishesEveryAnswerOrSaysWhyNot) {
    char self[PATH_MAX] = {};
    ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
    const std::string bin = std::string(self).substr(0, std::string(self).rfind('/'));
    const std::string out = broker->dir + "/kvorctl.out", err = broker->dir + "/kvorctl.err";
    const struct Row {
        std::string url;
        const char* password;
        int status;
        const char* said;
        bool published;
    } rows[] = {
        {broker->PlainUrl(), TestBroker::kPassword, 0, "", true},
        {broker->PlainUrl(), "wrong", 6, "refused the connection: Connection Refused", false},
        {"mqtt://127.0.0.1:" + std::to_string(FreePort()), TestBroker::kPassword, 0,
         "measuring goes on, the messages wait", false},
    };
    int n = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.url + " " + r.password);
        Subscriber sub(*broker, "t6/measurement", "sub-t6-" + std::to_string(++n));
        const int rc = std::system(("KVORCTL_MQTT_PASSWORD='" + std::string(r.password) + "' " +
                                    bin + "/kvorctl measure --port simulated --count 25 --json " +
                                    "--publish " + r.url + " --topic t6 --user " +
                                    TestBroker::kUser + " >" + out + " 2>" + err)
                                       .c_str());
        ASSERT_TRUE(WIFEXITED(rc));
        EXPECT_EQ(WEXITSTATUS(rc), r.status);
        std::ifstream errors(err), lines(out);
        const std::string said((std::istreambuf_iterator<char>(errors)), {});
        EXPECT_NE(said.find(r.said), std::string::npos) << said;
        EXPECT_EQ(said.find(r.password), std::string::npos) << "the password was written";
        std::vector<std::string> answers;
        for (std::string line; std::getline(lines, line);)
            if (!Field(line, "seq").empty()) answers.push_back(line);
        if (!r.published) continue;
        ASSERT_EQ(answers.size(), 25u);
        sub.Receive(25);
        ASSERT_EQ(sub.messages.size(), 25u);
        for (std::size_t i = 0; i < 25; ++i) {
            const std::string& m = sub.messages[i].payload;
            EXPECT_EQ(Field(m, "seq"), std::to_string(i + 1));
            for (const char* f : {"value", "size_um", "left_edge", "right_edge", "setpoint",
                                  "tolerance", "in_tolerance", "edge_count"})
                EXPECT_EQ(Field(m, f), Field(answers[i], f)) << f << " of answer " << i + 1;
            EXPECT_EQ(Field(m, "time").size(), 24u) << m; // 2026-12-10T16:17:54.059Z
            EXPECT_EQ(Field(m, "valid"), "true");
            EXPECT_EQ(Field(m, "unit"), "virtual pixel");
        }
    }
}

TEST_F(Publishing, PastTheBoundTheOldestGoAndAreCounted) {
    ASSERT_EQ(Start("mqtt://127.0.0.1:" + std::to_string(FreePort()), "t5"), 0);
    Measurements("t5", 1, 100050);
    PublishStatus st;
    PublishState(&st);
    EXPECT_EQ(st.dropped, 50);
    EXPECT_EQ(st.waiting, 100000);
    EXPECT_EQ(PublishStop(0), 100000);
}

} // namespace
} // namespace kvor::test
