// SPDX-License-Identifier: GPL-3.0-or-later
// A station that publishes its status and then waits until it is killed: the tests kill it to
// see the broker publish its last will.   kvor-publish-probe URL USER PASSWORD STATUS_TOPIC
#include <cstdio>

#include <unistd.h>

#include "runtime/publish.h"

int main(int argc, char** argv) {
    if (argc != 5) return 2;
    const PublishSettings s{argv[1],
                            argv[2],
                            argv[3],
                            "",
                            "kvor-probe",
                            argv[4],
                            "{\"state\":\"online\"}",
                            "{\"state\":\"offline\"}"};
    char error[256];
    if (PublishStart(&s, error, sizeof error) < 0 ||
        PublishAwait(PUBLISH_CONNECTING, 30) != PUBLISH_CONNECTED)
        return 1;
    std::puts("connected");
    std::fflush(stdout);
    // Waits to be killed, whatever its standard input is (none under CI), for two minutes at
    // most: a test that forgot it leaves nothing running.
    for (int second = 0; second < 120; ++second)
        sleep(1);
    return 0;
}
