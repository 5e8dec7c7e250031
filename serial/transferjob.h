#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "workers/workerjob.h"

/// The job of one send or receive: it posts no results, only its outcome at the end.
using TransferJob = WorkerJob<qint64>;

/// Starts run(job, outcome) on a new job; finished gets the outcome on the owner's thread.
template <typename Outcome, typename Run>
std::unique_ptr<TransferJob> startTransfer(QObject* owner,
                                           std::function<void(bool stopped, const Outcome& outcome)> finished, Run run)
{
    auto outcome = std::make_shared<Outcome>();
    auto job = std::make_unique<TransferJob>(owner, nullptr, [outcome, finished = std::move(finished)](bool cancelled) {
        finished(cancelled, *outcome);
    });
    job->start([outcome, run = std::move(run)](TransferJob& running) { run(running, *outcome); });
    return job;
}
