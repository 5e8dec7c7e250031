#include "bytemodel/bytemodel.h"

#include <QThread>

#include <algorithm>
#include <utility>

#include "bytemodel/filebacking.h"
#include "bytemodel/memorystore.h"
#include "bytemodel/piecetable.h"

ByteModel::ByteModel(QObject* parent)
    : QObject(parent)
    , m_store(std::make_unique<MemoryStore>())
{
    qRegisterMetaType<ByteChange>();
    m_frameTimer.setSingleShot(true);
    connect(&m_frameTimer, &QTimer::timeout, this, &ByteModel::deliverPaced);
}

ByteModel::~ByteModel() = default;

std::uint8_t ByteModel::byteAt(ByteOffset offset) const
{
    std::uint8_t byte = 0;
    read(offset, std::span(&byte, 1));
    return byte;
}

qint64 ByteModel::read(ByteOffset offset, std::span<std::uint8_t> out) const
{
    const std::lock_guard guard(m_lock);
    const qint64 count = std::min<qint64>(std::max<qint64>(m_store->size() - offset, 0), qint64(out.size()));
    if (count > 0)
        m_store->read(offset, out.first(std::size_t(count)));
    return count;
}

ByteBuffer ByteModel::copy(ByteOffset offset, qint64 count) const
{
    const std::lock_guard guard(m_lock);
    const qint64 end = std::min<qint64>(offset + count, m_store->size());
    if (offset >= end)
        return {};
    ByteBuffer bytes(std::size_t(end - offset));
    m_store->read(offset, bytes);
    return bytes;
}

bool ByteModel::forEachChunk(ByteOffset offset, qint64 count,
                             const std::function<bool(ByteOffset, std::span<const std::uint8_t>)>& visit,
                             qint64 chunkSize) const
{
    ByteBuffer chunk(std::size_t(std::clamp<qint64>(std::min(count, chunkSize), 1, chunkSize)));
    const ByteOffset end = offset + count;
    for (ByteOffset at = offset; at < end;) {
        const qint64 want = std::min<qint64>(end - at, qint64(chunk.size()));
        const qint64 got = read(at, std::span(chunk.data(), std::size_t(want)));
        if (got <= 0)
            break;
        if (!visit(at, std::span<const std::uint8_t>(chunk.data(), std::size_t(got))))
            return false;
        at += got;
    }
    return true;
}

bool ByteModel::queueChange(const ByteChange& change)
{
    m_pending.push(change);
    return QThread::currentThread() != thread() && !std::exchange(m_wakeQueued, true);
}

void ByteModel::announce(bool wake)
{
    if (QThread::currentThread() == thread())
        deliverNotices();
    else if (wake)
        QMetaObject::invokeMethod(this, &ByteModel::deliverPaced, Qt::QueuedConnection);
}

void ByteModel::deliverPaced()
{
    const qint64 since = m_sinceDelivery.isValid() ? m_sinceDelivery.elapsed() : kFrameMs;
    if (since < kFrameMs) {
        m_frameTimer.start(int(kFrameMs - since));
        return;
    }
    {
        // Cleared before taking: a notice queued from now on wakes this thread again.
        const std::lock_guard guard(m_lock);
        m_wakeQueued = false;
    }
    m_sinceDelivery.start();
    deliverNotices();
}

void ByteModel::deliverNotices()
{
    // One at a time: a receiver that edits the model delivers its own notice
    // after the ones already queued, never before them.
    for (;;) {
        std::optional<ByteChange> change;
        {
            const std::lock_guard guard(m_lock);
            change = m_pending.takeFirst();
        }
        if (!change)
            return;
        emit changed(*change);
    }
}

void ByteModel::replaceStore(std::unique_ptr<ByteStore> store)
{
    bool wake = false;
    {
        const std::lock_guard guard(m_lock);
        m_store = std::move(store);
        setSize(m_store->size());
        wake = queueChange({ByteChange::Kind::Length, 0, m_store->size()});
    }
    announce(wake);
}

void ByteModel::assign(ByteBuffer bytes)
{
    replaceStore(std::make_unique<MemoryStore>(std::move(bytes)));
}

void ByteModel::assignFile(std::shared_ptr<const FileBacking> file)
{
    replaceStore(std::make_unique<PieceTable>(std::move(file)));
}

void ByteModel::rebaseOnto(std::shared_ptr<const FileBacking> file)
{
    auto store = std::make_unique<PieceTable>(std::move(file));
    const std::lock_guard guard(m_lock);
    m_store = std::move(store);
}

std::vector<StoredRange> ByteModel::storedRanges() const
{
    const std::lock_guard guard(m_lock);
    return m_store->ranges();
}

void ByteModel::setBytes(ByteOffset offset, std::span<const std::uint8_t> bytes)
{
    bool wake = false;
    {
        const std::lock_guard guard(m_lock);
        const qint64 count = std::min<qint64>(qint64(bytes.size()), m_store->size() - offset);
        if (count <= 0 || !m_store->overwrite(offset, bytes.first(std::size_t(count))))
            return;
        wake = queueChange({ByteChange::Kind::InPlace, offset, count});
    }
    announce(wake);
}

void ByteModel::modify(ByteOffset offset, qint64 count, const std::function<void(std::span<std::uint8_t>)>& op)
{
    bool wake = false;
    {
        const std::lock_guard guard(m_lock);
        count = std::min<qint64>(count, m_store->size() - offset);
        if (count <= 0)
            return;
        m_store->modify(offset, count, kDefaultChunk, op);
        wake = queueChange({ByteChange::Kind::InPlace, offset, count});
    }
    announce(wake);
}

void ByteModel::reverse(ByteOffset offset, qint64 count)
{
    bool wake = false;
    {
        const std::lock_guard guard(m_lock);
        count = std::min<qint64>(count, m_store->size() - offset);
        if (count <= 0)
            return;
        // One chunk from each end at a time, swapped and reversed, until the middle fits one chunk.
        ByteOffset front = offset;
        ByteOffset back = offset + count;
        ByteBuffer head(std::size_t(std::min(count, kDefaultChunk)));
        ByteBuffer tail(head.size());
        while (back - front > qint64(head.size())) {
            const std::size_t step = std::size_t(std::min<qint64>(qint64(head.size()), (back - front) / 2));
            const std::span<std::uint8_t> first(head.data(), step);
            const std::span<std::uint8_t> last(tail.data(), step);
            m_store->read(front, first);
            m_store->read(back - qint64(step), last);
            std::reverse(first.begin(), first.end());
            std::reverse(last.begin(), last.end());
            m_store->overwrite(front, last);
            m_store->overwrite(back - qint64(step), first);
            front += qint64(step);
            back -= qint64(step);
        }
        const std::span<std::uint8_t> middle(head.data(), std::size_t(back - front));
        m_store->read(front, middle);
        std::reverse(middle.begin(), middle.end());
        m_store->overwrite(front, middle);
        wake = queueChange({ByteChange::Kind::InPlace, offset, count});
    }
    announce(wake);
}

template <typename Edit>
bool ByteModel::changeLength(ByteOffset offset, qint64 extra, const Edit& edit)
{
    bool wake = false;
    {
        const std::lock_guard guard(m_lock);
        // An offset read before the lock may lie past an end that has moved since.
        if (offset < 0 || offset > m_store->size() || m_store->size() + extra > kMaxSize || !edit(*m_store))
            return false;
        setSize(m_store->size());
        wake = queueChange({ByteChange::Kind::Length, offset, m_store->size()});
    }
    announce(wake);
    return true;
}

bool ByteModel::insert(ByteOffset offset, std::span<const std::uint8_t> bytes)
{
    return changeLength(offset, qint64(bytes.size()), [&](ByteStore& store) { return store.insert(offset, bytes); });
}

bool ByteModel::insertFill(ByteOffset offset, qint64 count, std::uint8_t value)
{
    return changeLength(offset, count, [&](ByteStore& store) { return store.insertFill(offset, count, value); });
}

void ByteModel::remove(ByteOffset offset, qint64 count)
{
    changeLength(offset, 0, [&](ByteStore& store) {
        count = std::min<qint64>(offset + count, store.size()) - offset;
        if (count <= 0)
            return false;
        store.remove(offset, count);
        return true;
    });
}

std::shared_ptr<const KeptBytes> ByteModel::keep(ByteOffset offset, qint64 count) const
{
    const std::lock_guard guard(m_lock);
    count = std::clamp<qint64>(m_store->size() - offset, 0, count);
    return m_store->keep(offset, count);
}

bool ByteModel::insertKept(ByteOffset offset, const KeptBytes& kept)
{
    return changeLength(offset, kept.size(), [&](ByteStore& store) { return store.insertKept(offset, kept); });
}

bool ByteModel::append(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return true;
    bool wake = false;
    {
        const std::lock_guard guard(m_lock);
        const qint64 end = m_store->size();
        if (end + qint64(bytes.size()) > kMaxSize || !m_store->insert(end, bytes))
            return false;
        setSize(m_store->size());
        wake = queueChange({ByteChange::Kind::Appended, end, qint64(bytes.size())});
    }
    announce(wake);
    return true;
}
