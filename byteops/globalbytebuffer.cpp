#include "byteops/globalbytebuffer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <new>

#include "bytemodel/bytemodel.h"
#include "byteops/byterunformat.h"
#include "byteops/clipboardtext.h"

namespace GlobalByteBuffer {

namespace {

/// The bytes as text too when they fit and memory can hold the text: the
/// private entry alone still moves them between our windows.
QByteArray textOf(std::span<const std::uint8_t> bytes)
{
    if (!ClipboardText::fits(qint64(bytes.size())))
        return {};
    try {
        return ClipboardText::of(bytes);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

void setEntry(QByteArray entry, const QByteArray& text)
{
    auto* data = new QMimeData;
    data->setData(ByteRunFormat::mimeType(), entry);
    if (!text.isEmpty())
        data->setData(QStringLiteral("text/plain"), text);
    QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace

void put(std::span<const std::uint8_t> bytes)
{
    setEntry(ByteRunFormat::encode(bytes), textOf(bytes));
}

bool put(const ByteModel& model, ByteOffset offset, qint64 count)
{
    QByteArray text;
    std::optional<QByteArray> entry = ByteRunFormat::encode(count, [&](std::span<std::uint8_t> out) {
        model.read(offset, out);
        text = textOf(out);
    });
    if (!entry)
        return false;
    setEntry(std::move(*entry), text);
    return true;
}

std::optional<ByteBuffer> get(qint64* declaredCount)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString type = ByteRunFormat::mimeType();
    if (!data || !data->hasFormat(type))
        return ByteBuffer();
    const QByteArray entry = data->data(type);
    if (declaredCount)
        *declaredCount = ByteRunFormat::declaredCount(entry);
    return ByteRunFormat::decode(entry);
}

}  // namespace GlobalByteBuffer
