// SPDX-License-Identifier: MIT
// Not a test: what the one-program check costs a start when no other Quillet runs. Each round does what main does
// first (find the runtime folder, name the lock after the settings folder, take it) and then frees it. Prints the
// median and the slowest round; the budget is 5 ms. Baseline: the same rounds with an empty body.
//   build/bench/instance/bench_instance_check [rounds]
#include "platform/core/single_instance.h"
#include "quillet/app/one_program.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/stat.h>
#include <vector>

namespace
{

template <typename Round> std::vector<qint64> timed(int rounds, Round round)
{
    std::vector<qint64> micros;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        round();
        micros.push_back(timer.nsecsElapsed() / 1000);
    }
    std::sort(micros.begin(), micros.end());
    return micros;
}

} // namespace

int main(int argc, char* argv[])
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    // A runtime folder of the benchmark's own, so that a Quillet of the user's is never handed anything.
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    ::chmod(QFile::encodeName(runtime.path()).constData(), 0700);
    const std::vector<qint64> checks = timed(rounds, [] {
        const std::unique_ptr<platform::SingleInstance> instance = quillet::UserInstance();
        if (instance->claim(platform::ActivationRequestOfThisStart()) != platform::SingleInstance::Claim::First)
            std::fprintf(stderr, "the lock was not free\n");
    });
    const std::vector<qint64> empty = timed(rounds, [] {});
    std::printf("one-program check: median %lld us, slowest %lld us over %d rounds (budget 5000 us)\n",
        static_cast<long long>(checks[checks.size() / 2]), static_cast<long long>(checks.back()), rounds);
    std::printf("empty round:       median %lld us\n", static_cast<long long>(empty[empty.size() / 2]));
    return 0;
}
