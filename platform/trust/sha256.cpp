// SPDX-License-Identifier: MIT
#include "platform/trust/sha256.h"

#include <openssl/evp.h>

#include <new>

namespace platform
{

namespace
{

// Large enough that handing over costs nothing beside hashing, small enough to stay in the cache.
constexpr qsizetype kHandOverBytes = 256 * 1024;
// Hand-overs waiting to be hashed at most: when bytes arrive faster than they are hashed, the caller waits for room
// rather than the queue growing with the download.
constexpr std::size_t kMaxWaiting = 8;

} // namespace

struct Sha256::Context {
    Context()
        : digest(EVP_MD_CTX_new())
    {
        // Fails only when out of memory.
        if (!digest || !EVP_DigestInit_ex(digest, EVP_sha256(), nullptr))
            throw std::bad_alloc();
    }
    ~Context() { EVP_MD_CTX_free(digest); }
    EVP_MD_CTX* digest;
};

Sha256::Sha256()
    : m_context(std::make_unique<Context>())
    , m_worker([this] { hashArriving(); })
{
    m_gathered.reserve(kHandOverBytes);
}

Sha256::~Sha256()
{
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_arrived.notify_one();
    m_worker.join();
}

void Sha256::reset()
{
    m_gathered.clear();
    waitUntilHashed();
    EVP_DigestInit_ex(m_context->digest, EVP_sha256(), nullptr);
}

void Sha256::addData(QByteArrayView bytes)
{
    m_gathered.append(bytes);
    if (m_gathered.size() >= kHandOverBytes)
        handOver();
}

QByteArray Sha256::result()
{
    handOver();
    waitUntilHashed();
    // Finished on a copy, so that the running hash goes on.
    Context copy;
    QByteArray hash(EVP_MAX_MD_SIZE, Qt::Uninitialized);
    unsigned int size = 0;
    if (!EVP_MD_CTX_copy_ex(copy.digest, m_context->digest)
        || !EVP_DigestFinal_ex(copy.digest, reinterpret_cast<unsigned char*>(hash.data()), &size))
        return {};
    hash.truncate(static_cast<qsizetype>(size));
    return hash;
}

void Sha256::handOver()
{
    if (m_gathered.isEmpty())
        return;
    {
        std::unique_lock lock(m_mutex);
        m_room.wait(lock, [this] { return m_queue.size() < kMaxWaiting; });
        m_queue.push_back(std::exchange(m_gathered, QByteArray()));
    }
    m_arrived.notify_one();
    m_gathered.reserve(kHandOverBytes);
}

void Sha256::waitUntilHashed()
{
    std::unique_lock lock(m_mutex);
    m_hashed.wait(lock, [this] { return m_queue.empty() && !m_hashing; });
}

void Sha256::hashArriving()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_arrived.wait(lock, [this] { return m_ending || !m_queue.empty(); });
        if (m_queue.empty())
            return;
        const QByteArray bytes = std::move(m_queue.front());
        m_queue.pop_front();
        m_hashing = true;
        m_room.notify_one();
        lock.unlock();
        EVP_DigestUpdate(m_context->digest, bytes.constData(), static_cast<size_t>(bytes.size()));
        lock.lock();
        m_hashing = false;
        if (m_queue.empty())
            m_hashed.notify_all();
    }
}

} // namespace platform
