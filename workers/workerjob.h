#pragma once

#include <QMetaObject>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "workers/stopflag.h"

/// One run of a worker thread (mark, compare, send, receive), as every worker
/// of the program runs:
///
/// - the job belongs to an owner object on the user-interface thread, which
///   makes a new job for every run;
/// - the worker reads cancelled() (one atomic flag, cancelFlag() for scans
///   that take a StopFlag) as often as it must stop; it is the only stop
///   mechanism, whatever flags the owner shows the user;
/// - it hands results over with post(): they reach onResults on the owner's
///   thread queued and coalesced (one queued call carries every result posted
///   since the last), so a fast worker never floods the event loop, and the
///   worker never waits for the user-interface thread;
/// - when the body returns, onEnd runs on the owner's thread after the last
///   results, with the thread already joined: it shows any message on the
///   worker's behalf and asks for the command update pass;
/// - cancelAndWait() (and the destructor) sets the flag and joins: allowed on
///   the user-interface thread because a worker never waits for that thread.
///
/// The owner outlives its jobs; it may reset or destroy a job at any time,
/// from inside onResults or onEnd too (the handler being run is moved out of
/// the job first). Deliveries that arrive after the job is gone are dropped.
template <typename Result>
class WorkerJob {
public:
    using ResultHandler = std::function<void(std::vector<Result>& results)>;
    using EndHandler = std::function<void(bool cancelled)>;
    using Body = std::function<void(WorkerJob& job)>;

    WorkerJob(QObject* owner, ResultHandler onResults, EndHandler onEnd)
        : m_owner(owner)
        , m_channel(std::make_shared<Channel>())
    {
        m_channel->onResults = std::make_shared<ResultHandler>(std::move(onResults));
        m_channel->onEnd = [this, onEnd = std::move(onEnd)] {
            join();
            const bool wasCancelled = cancelled();
            // The owner may destroy this job inside onEnd: nothing of it is touched after.
            if (onEnd)
                onEnd(wasCancelled);
        };
    }
    ~WorkerJob()
    {
        cancelAndWait();
        m_channel->onResults.reset();
        m_channel->onEnd = nullptr;
    }
    WorkerJob(const WorkerJob&) = delete;
    WorkerJob& operator=(const WorkerJob&) = delete;

    /// Starts body on a new thread; a job runs once.
    void start(Body body)
    {
        m_channel->running = true;
        m_thread = std::thread([this, body = std::move(body)] {
            body(*this);
            queue(true);
        });
    }
    /// True from start() until onEnd has run (a job destroyed earlier never ends).
    bool isRunning() const { return m_channel->running; }

    void cancel() { m_cancel.store(true, std::memory_order_relaxed); }
    bool cancelled() const { return m_cancel.load(std::memory_order_relaxed); }
    const StopFlag& cancelFlag() const { return m_cancel; }

    /// Stops the worker and waits for its thread. Results posted before the
    /// stop and the end notice still arrive, unless the job is destroyed first.
    void cancelAndWait()
    {
        cancel();
        join();
    }

    /// Worker side: hands one result to the owner's thread.
    void post(Result result)
    {
        {
            const std::lock_guard guard(m_channel->lock);
            m_channel->pending.push_back(std::move(result));
        }
        queue(false);
    }

private:
    struct Channel {
        std::mutex lock;
        std::vector<Result> pending;
        bool deliveryQueued = false;
        bool ended = false;
        // Owner's thread only.
        bool running = false;
        std::shared_ptr<ResultHandler> onResults;
        std::function<void()> onEnd;

        /// Runs on the owner's thread; the handlers run from local copies,
        /// so that the owner may destroy the job inside them.
        void deliver()
        {
            std::vector<Result> batch;
            bool end = false;
            {
                const std::lock_guard guard(lock);
                batch.swap(pending);
                deliveryQueued = false;
                end = ended;
            }
            if (const std::shared_ptr<ResultHandler> handler = onResults; !batch.empty() && handler && *handler)
                (*handler)(batch);
            if (!end || !onEnd)
                return;
            const std::function<void()> endHandler = std::move(onEnd);
            onEnd = nullptr;
            endHandler();
            running = false;
        }
    };

    void queue(bool end)
    {
        {
            const std::lock_guard guard(m_channel->lock);
            m_channel->ended = m_channel->ended || end;
            if (m_channel->deliveryQueued)
                return;
            m_channel->deliveryQueued = true;
        }
        const std::weak_ptr<Channel> channel = m_channel;
        QMetaObject::invokeMethod(
            m_owner,
            [channel] {
                if (const auto alive = channel.lock())
                    alive->deliver();
            },
            Qt::QueuedConnection);
    }

    void join()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

    QObject* m_owner;
    std::shared_ptr<Channel> m_channel;
    StopFlag m_cancel{false};
    std::thread m_thread;
};
