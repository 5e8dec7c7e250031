#include "byteops/editstep.h"

#include <algorithm>
#include <new>

#include "bytemodel/bytemodel.h"

namespace {

/// Why the model refused to grow by count bytes.
EditStep::Outcome growthRefusal(const ByteModel& model, qint64 count)
{
    return model.size() + count > ByteModel::kMaxSize ? EditStep::Outcome::TooLarge : EditStep::Outcome::NoMemory;
}

EditStep::Outcome insertInto(ByteModel& model, ByteOffset offset, std::span<const std::uint8_t> bytes)
{
    return model.insert(offset, bytes) ? EditStep::Outcome::Done : growthRefusal(model, qint64(bytes.size()));
}

}  // namespace

EditStep::EditStep(Kind kind, ByteOffset offset, qint64 count)
    : m_kind(kind)
    , m_offset(offset)
    , m_count(std::max<qint64>(count, 0))
{
}

EditStep EditStep::removal(ByteOffset offset, qint64 count)
{
    return EditStep(Kind::Removal, offset, count);
}

EditStep EditStep::insertion(ByteOffset offset, ByteBuffer bytes)
{
    EditStep step(Kind::Insertion, offset, qint64(bytes.size()));
    step.m_bytes = std::move(bytes);
    return step;
}

EditStep EditStep::fill(ByteOffset offset, qint64 count, std::uint8_t value)
{
    EditStep step(Kind::Fill, offset, count);
    step.m_fillValue = value;
    return step;
}

EditStep EditStep::overwrite(ByteOffset offset, ByteBuffer bytes)
{
    EditStep step(Kind::Overwrite, offset, qint64(bytes.size()));
    step.m_bytes = std::move(bytes);
    return step;
}

EditStep EditStep::transform(ByteOffset offset, qint64 count, ByteTransform transform)
{
    EditStep step(Kind::Transform, offset, count);
    step.m_transform = transform;
    return step;
}

EditStep::Outcome EditStep::apply(ByteModel& model, qint64 undoLimit)
{
    switch (m_kind) {
    case Kind::Insertion:
    case Kind::Fill: {
        m_offset = std::clamp<ByteOffset>(m_offset, 0, model.size());
        const Outcome outcome = redo(model);
        // Redo needs the inserted bytes; a run too large to keep makes the step final.
        if (outcome == Outcome::Done && qint64(m_bytes.capacity()) > undoLimit) {
            m_canUndo = false;
            ByteBuffer().swap(m_bytes);
        }
        return outcome;
    }
    case Kind::Removal:
    case Kind::Overwrite:
    case Kind::Transform:
        break;
    }
    m_count = std::clamp<qint64>(model.size() - m_offset, 0, m_count);
    if (m_kind == Kind::Transform && !m_transform.isSelfInverse())
        return transformKeepingOldBytes(model, undoLimit);
    if (m_kind == Kind::Overwrite) {
        m_bytes.resize(std::size_t(m_count));
        keepOldBytes(model, undoLimit);
    } else if (m_kind == Kind::Removal) {
        keepRemovedBytes(model, undoLimit);
    }
    return redo(model);
}

void EditStep::keepOldBytes(const ByteModel& model, qint64 undoLimit)
{
    if (m_count > undoLimit) {
        m_canUndo = false;
        return;
    }
    try {
        m_oldBytes = model.copy(m_offset, m_count);
    } catch (const std::bad_alloc&) {
        m_canUndo = false;
    }
}

void EditStep::keepRemovedBytes(const ByteModel& model, qint64 undoLimit)
{
    m_removed = model.keep(m_offset, m_count);
    if (!m_removed || m_removed->memoryCost() > undoLimit) {
        m_removed.reset();
        m_canUndo = false;
    }
}

EditStep::Outcome EditStep::transformKeepingOldBytes(ByteModel& model, qint64 undoLimit)
{
    m_canUndo = m_count <= undoLimit;
    if (m_canUndo) {
        try {
            m_oldBytes.reserve(std::size_t(m_count));
        } catch (const std::bad_alloc&) {
            m_canUndo = false;
        }
    }
    if (!m_canUndo)
        return redo(model);
    // Copy and change piece by piece, each piece still in the cache when it changes.
    // Only per-byte transforms come here: reversal is its own inverse.
    model.modify(m_offset, m_count, [this](std::span<std::uint8_t> block) {
        constexpr std::size_t kPiece = std::size_t(64) << 10;
        for (std::size_t at = 0; at < block.size(); at += kPiece) {
            const std::span<std::uint8_t> piece = block.subspan(at, std::min(kPiece, block.size() - at));
            m_oldBytes.insert(m_oldBytes.end(), piece.begin(), piece.end());
            m_transform.apply(piece);
        }
    });
    return Outcome::Done;
}

EditStep::Outcome EditStep::undo(ByteModel& model) const
{
    switch (m_kind) {
    case Kind::Removal:
        if (!m_removed->isIntact())
            return Outcome::Lost;
        return model.insertKept(m_offset, *m_removed) ? Outcome::Done : growthRefusal(model, m_count);
    case Kind::Insertion:
    case Kind::Fill:
        model.remove(m_offset, m_count);
        break;
    case Kind::Overwrite:
        model.setBytes(m_offset, m_oldBytes);
        break;
    case Kind::Transform:
        if (m_transform.isSelfInverse())
            return redo(model);
        model.setBytes(m_offset, m_oldBytes);
        break;
    }
    return Outcome::Done;
}

EditStep::Outcome EditStep::redo(ByteModel& model) const
{
    switch (m_kind) {
    case Kind::Removal:
        model.remove(m_offset, m_count);
        break;
    case Kind::Insertion:
        return insertInto(model, m_offset, m_bytes);
    case Kind::Fill:
        return model.insertFill(m_offset, m_count, m_fillValue) ? Outcome::Done : growthRefusal(model, m_count);
    case Kind::Overwrite:
        model.setBytes(m_offset, m_bytes);
        break;
    case Kind::Transform:
        // Reversal moves bytes across the whole block; every other transform changes each byte on its own.
        if (m_transform.kind() == ByteTransform::Kind::Reverse)
            model.reverse(m_offset, m_count);
        else
            model.modify(m_offset, m_count, [this](std::span<std::uint8_t> block) { m_transform.apply(block); });
        break;
    }
    return Outcome::Done;
}

qint64 EditStep::cost() const
{
    return qint64(sizeof(EditStep) + m_bytes.capacity() + m_oldBytes.capacity())
           + (m_removed ? m_removed->memoryCost() : 0);
}

EditRange EditStep::selectionAfterUndo() const
{
    const bool removedBytes = m_kind == Kind::Insertion || m_kind == Kind::Fill;
    return {m_offset, removedBytes ? 0 : m_count};
}

EditRange EditStep::selectionAfterRedo() const
{
    return {m_offset, m_kind == Kind::Removal ? 0 : m_count};
}
