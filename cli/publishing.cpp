// SPDX-License-Identifier: GPL-3.0-or-later
// The password is read from its file or the environment into the program's variable and goes
// nowhere else: no line kvorctl writes contains it.
#include "cli/publishing.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/options.h"
#include "cli/session.h"
#include "live/publish.h"
#include "runtime/publish.h"
#include "runtime/runtime.h"

namespace kvor {

namespace {

constexpr double kFirstAttempt = 10.0; // seconds the first connection may take to tell
i32 refusalSaid = 0;

// The first line of the file, without its line end. 0, or -1 when it cannot be read or is too
// long for a password.
int ReadPasswordFile(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return -1;
    char line[PUBLISH_TEXT_LEN + 1] = "";
    const bool read = std::fgets(line, sizeof line, f) != nullptr || std::feof(f);
    std::fclose(f);
    const std::size_t n = std::strcspn(line, "\r\n");
    if (!read || (n == std::strlen(line) && n >= PUBLISH_TEXT_LEN - 1)) return -1;
    line[n] = '\0';
    CopyText(szPublishPassword, sizeof szPublishPassword, line);
    std::memset(line, 0, sizeof line);
    return 0;
}

int SayRefusal(const char* reason) {
    refusalSaid = 1;
    return Fail(EXIT_REFUSED, Tr("the broker %s refused the connection: %s"), szPublishUrl, reason);
}

} // namespace

int StartCliPublishing() {
    if (cli.publish == nullptr) return EXIT_DONE;
    CopyText(szPublishUrl, sizeof szPublishUrl, cli.publish);
    CopyText(szPublishUser, sizeof szPublishUser, cli.user != nullptr ? cli.user : "");
    CopyText(szPublishCaFile, sizeof szPublishCaFile, cli.caFile != nullptr ? cli.caFile : "");
    szPublishPrefix[0] = '\0';
    if (cli.topic != nullptr) {
        // Several ports: each copy is a station of its own under the prefix given.
        char own[PUBLISH_TEXT_LEN];
        DefaultPublishPrefix(own, sizeof own);
        const char* level = std::strrchr(own, '/');
        if (cli.named && level != nullptr)
            std::snprintf(szPublishPrefix, sizeof szPublishPrefix, "%s%s", cli.topic, level);
        else
            CopyText(szPublishPrefix, sizeof szPublishPrefix, cli.topic);
    }
    szPublishPassword[0] = '\0';
    if (cli.passwordFile != nullptr) {
        if (ReadPasswordFile(cli.passwordFile) < 0)
            return Fail(EXIT_USAGE, Tr("the password file %s cannot be read"), cli.passwordFile);
    } else if (const char* env = std::getenv("KVORCTL_MQTT_PASSWORD"); env != nullptr) {
        CopyText(szPublishPassword, sizeof szPublishPassword, env);
    }
    char error[PUBLISH_TEXT_LEN];
    if (StartPublishing(error, sizeof error) < 0) return Fail(EXIT_USAGE, "--publish: %s", error);
    publishOn = 1;
    const int state = PublishAwait(PUBLISH_CONNECTING, kFirstAttempt);
    PublishStatus st;
    PublishState(&st);
    if (state == PUBLISH_REFUSED) return SayRefusal(st.reason);
    if (state != PUBLISH_CONNECTED)
        std::fprintf(stderr,
                     Tr("kvorctl: %s: the broker %s cannot be reached yet (%s): measuring "
                        "goes on, the messages wait\n"),
                     cliPortName, szPublishUrl, st.reason[0] ? st.reason : Tr("no answer"));
    return EXIT_DONE;
}

int CliPublishingRefused() {
    if (publishOn != 1 || refusalSaid == 1) return refusalSaid == 1 ? EXIT_REFUSED : EXIT_DONE;
    PublishStatus st;
    if (PublishState(&st) != PUBLISH_REFUSED) return EXIT_DONE;
    return SayRefusal(st.reason);
}

void EndCliPublishing() {
    if (publishOn != 1) return;
    PublishStatus st;
    PublishState(&st);
    const int left = PublishStop(PUBLISH_STOP_WAIT);
    publishOn = 0;
    if (refusalSaid == 0 && (left > 0 || st.dropped > 0))
        std::fprintf(stderr,
                     Tr("kvorctl: %s: %d messages did not reach the broker %s, %.0f were "
                        "dropped while it was away\n"),
                     cliPortName, left, szPublishUrl, st.dropped);
}

} // namespace kvor
