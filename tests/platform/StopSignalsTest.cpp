#include "platform/StopSignals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using platform::StopSignals;

namespace {

// Raises the signal `count` times in a child with the handlers installed;
// answers the child's wait status.
int raiseInChild(int signal, int count) {
    const pid_t child = ::fork();
    if (child == 0) {
        StopSignals::install();
        int requests = 0;
        for (int i = 0; i < count; ++i) {
            std::raise(signal);
            requests += StopSignals::takeRequest();
        }
        ::_exit(requests == count && !StopSignals::takeRequest() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

} // namespace

TEST(StopSignals, EachSignalBecomesOneCloseRequest) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const int status = raiseInChild(signal, 2);
        ASSERT_TRUE(WIFEXITED(status)) << "signal " << signal << " killed the process";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "signal " << signal;
    }
}

TEST(StopSignals, TheThirdSignalEndsAGameThatNoLongerAnswers) {
    const int status = raiseInChild(SIGTERM, 3);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
}
