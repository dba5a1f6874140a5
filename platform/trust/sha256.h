// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace platform
{

// SHA-256 of bytes as they arrive, off the caller's thread. OpenSSL's hash uses the processor's SHA instructions
// (Qt's own ran at a tenth of the download's speed), and on a thread of its own it runs while the caller writes
// the next bytes to disk, so verifying a download costs no time of the download's own. At most a few hand-overs
// wait for the thread; past that, adding waits, so memory stays flat however fast the bytes come.
class Sha256
{
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void reset();
    void addData(QByteArrayView bytes);
    // The hash of everything added since the last reset; more may be added after.
    QByteArray result();

private:
    struct Context;

    void handOver();
    void waitUntilHashed();
    void hashArriving();

    std::unique_ptr<Context> m_context; // touched by the worker only, except while it is idle
    QByteArray m_gathered; // small pieces gathered into one hand-over
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::condition_variable m_hashed;
    std::condition_variable m_room; // the queue has room for another hand-over
    std::deque<QByteArray> m_queue;
    bool m_hashing = false;
    bool m_ending = false;
    std::thread m_worker;
};

} // namespace platform
