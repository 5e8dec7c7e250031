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

/// One run of a worker thread (mark, compare, send, receive), as every worker
/// of the program runs:
///
/// - the job belongs to an owner object on the user-interface thread, which
///   makes a new job for every run;
/// - the worker reads cancelled() (one atomic flag) as often as it must stop;
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
/// The owner outlives its jobs (it destroys a job, which joins, before it
/// goes); deliveries that arrive after the job is gone are dropped.
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
        m_channel->onResults = std::move(onResults);
        m_channel->onEnd = [this, onEnd = std::move(onEnd)] {
            join();
            if (onEnd)
                onEnd(cancelled());
        };
    }
    ~WorkerJob()
    {
        cancelAndWait();
        m_channel->onResults = nullptr;
        m_channel->onEnd = nullptr;
    }
    WorkerJob(const WorkerJob&) = delete;
    WorkerJob& operator=(const WorkerJob&) = delete;

    /// Starts body on a new thread; a job runs once.
    void start(Body body)
    {
        m_running = true;
        m_thread = std::thread([this, body = std::move(body)] {
            body(*this);
            queue(true);
        });
    }
    /// True from start() until onEnd has run.
    bool isRunning() const { return m_running; }

    void cancel() { m_cancel.store(true, std::memory_order_relaxed); }
    bool cancelled() const { return m_cancel.load(std::memory_order_relaxed); }
    const std::atomic<bool>& cancelFlag() const { return m_cancel; }

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
        ResultHandler onResults;
        std::function<void()> onEnd;

        /// Runs on the owner's thread.
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
            if (!batch.empty() && onResults)
                onResults(batch);
            if (end && onEnd)
                onEnd();
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
        m_running = false;
    }

    QObject* m_owner;
    std::shared_ptr<Channel> m_channel;
    std::atomic<bool> m_cancel{false};
    std::thread m_thread;
    bool m_running = false;
};
