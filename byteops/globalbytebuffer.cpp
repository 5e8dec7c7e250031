#include "byteops/globalbytebuffer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "byteops/byterunformat.h"
#include "byteops/clipboardtext.h"

namespace GlobalByteBuffer {

void put(std::span<const std::uint8_t> bytes)
{
    auto* data = new QMimeData;
    data->setData(ByteRunFormat::mimeType(), ByteRunFormat::encode(bytes));
    if (ClipboardText::fits(qint64(bytes.size())))
        data->setData(QStringLiteral("text/plain"), ClipboardText::of(bytes));
    QGuiApplication::clipboard()->setMimeData(data);
}

ByteBuffer get()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString type = ByteRunFormat::mimeType();
    if (!data || !data->hasFormat(type))
        return {};
    return ByteRunFormat::decode(data->data(type));
}

}  // namespace GlobalByteBuffer
