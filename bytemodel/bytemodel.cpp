#include "bytemodel/bytemodel.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "bytemodel/largereserve.h"

ByteModel::ByteModel(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<ByteChange>();
}

ByteModel::~ByteModel() = default;

std::uint8_t ByteModel::byteAt(ByteOffset offset) const
{
    const std::lock_guard guard(m_lock);
    return m_bytes[std::size_t(offset)];
}

qint64 ByteModel::read(ByteOffset offset, std::span<std::uint8_t> out) const
{
    const std::lock_guard guard(m_lock);
    const qint64 available = std::max<qint64>(qint64(m_bytes.size()) - offset, 0);
    const qint64 count = std::min<qint64>(available, qint64(out.size()));
    if (count > 0)
        std::memcpy(out.data(), m_bytes.data() + offset, std::size_t(count));
    return count;
}

ByteBuffer ByteModel::copy(ByteOffset offset, qint64 count) const
{
    const std::lock_guard guard(m_lock);
    const qint64 end = std::min<qint64>(offset + count, qint64(m_bytes.size()));
    if (offset >= end)
        return {};
    return ByteBuffer(m_bytes.begin() + offset, m_bytes.begin() + end);
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

void ByteModel::assign(ByteBuffer bytes)
{
    qint64 size = 0;
    {
        const std::lock_guard guard(m_lock);
        m_bytes = std::move(bytes);
        size = qint64(m_bytes.size());
        setSize(size);
    }
    emit changed({ByteChange::Kind::Length, 0, size});
}

void ByteModel::setBytes(ByteOffset offset, std::span<const std::uint8_t> bytes)
{
    qint64 count = 0;
    {
        const std::lock_guard guard(m_lock);
        count = std::min<qint64>(qint64(bytes.size()), qint64(m_bytes.size()) - offset);
        if (count <= 0)
            return;
        std::memcpy(m_bytes.data() + offset, bytes.data(), std::size_t(count));
    }
    emit changed({ByteChange::Kind::InPlace, offset, count});
}

void ByteModel::modify(ByteOffset offset, qint64 count, const std::function<void(std::span<std::uint8_t>)>& op)
{
    {
        const std::lock_guard guard(m_lock);
        count = std::min<qint64>(count, qint64(m_bytes.size()) - offset);
        if (count <= 0)
            return;
        op(std::span(m_bytes.data() + offset, std::size_t(count)));
    }
    emit changed({ByteChange::Kind::InPlace, offset, count});
}

bool ByteModel::grow(qint64 extra)
{
    const qint64 needed = qint64(m_bytes.size()) + extra;
    if (needed > kMaxSize)
        return false;
    if (std::size_t(needed) <= m_bytes.capacity())
        return true;
    try {
        const qint64 roomy = std::max<qint64>(needed, qint64(m_bytes.capacity()) + qint64(m_bytes.capacity()) / 2);
        reserveLarge(m_bytes, std::size_t(std::min<qint64>(roomy, kMaxSize)));
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

bool ByteModel::insert(ByteOffset offset, std::span<const std::uint8_t> bytes)
{
    qint64 size = 0;
    {
        const std::lock_guard guard(m_lock);
        if (!grow(qint64(bytes.size())))
            return false;
        m_bytes.insert(m_bytes.begin() + offset, bytes.begin(), bytes.end());
        size = qint64(m_bytes.size());
        setSize(size);
    }
    emit changed({ByteChange::Kind::Length, offset, size});
    return true;
}

bool ByteModel::insertFill(ByteOffset offset, qint64 count, std::uint8_t value)
{
    qint64 size = 0;
    {
        const std::lock_guard guard(m_lock);
        if (!grow(count))
            return false;
        m_bytes.insert(m_bytes.begin() + offset, std::size_t(count), value);
        size = qint64(m_bytes.size());
        setSize(size);
    }
    emit changed({ByteChange::Kind::Length, offset, size});
    return true;
}

void ByteModel::remove(ByteOffset offset, qint64 count)
{
    qint64 size = 0;
    {
        const std::lock_guard guard(m_lock);
        const qint64 end = std::min<qint64>(offset + count, qint64(m_bytes.size()));
        if (offset >= end)
            return;
        m_bytes.erase(m_bytes.begin() + offset, m_bytes.begin() + end);
        size = qint64(m_bytes.size());
        setSize(size);
    }
    emit changed({ByteChange::Kind::Length, offset, size});
}

bool ByteModel::append(std::span<const std::uint8_t> bytes)
{
    return insert(size(), bytes);
}
