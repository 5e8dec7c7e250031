#pragma once

#include <functional>
#include <memory>

#include "compare/compareengine.h"
#include "marking/addressblock.h"
#include "workers/workerjob.h"

class ByteMarks;

/// The bytes of both panes that one batch of a comparison coloured (an
/// empty span, first > last, where a pane got nothing).
struct ComparePaint {
    ByteSpan file1{0, -1};
    ByteSpan file2{0, -1};
};

/// One comparison on a WorkerJob: the engine's runs coloured into both
/// panes' marks in batches (differing bytes red in File1 and blue in File2,
/// the longer file's extra bytes red in File1 or green in File2), each batch
/// posted for the panes to repaint; at the end, with the thread joined,
/// finished(stopped, counts) on the owner's thread.
namespace CompareWorker {

using Job = WorkerJob<ComparePaint>;
using Repaint = std::function<void(const ComparePaint&)>;
using Finished = std::function<void(bool stopped, const CompareEngine::Counts& counts)>;

struct Files {
    const ByteModel& bytes1;
    const ByteModel& bytes2;
    std::shared_ptr<ByteMarks> marks1;
    std::shared_ptr<ByteMarks> marks2;
};

std::unique_ptr<Job> start(QObject* owner, const Files& files, Repaint repaint, Finished finished);

}  // namespace CompareWorker
