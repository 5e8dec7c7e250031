#include "hexdoc/hexvaluesimport.h"

#include <QFile>

#include "bytemodel/largereserve.h"
#include "hexdoc/bytefileio.h"
#include "hexdoc/hexvaluesparser.h"
#include "hexdoc/textfiledialogs.h"
#include "prompt/prompter.h"
#include "prompt/waitcursor.h"

namespace HexValuesImport {

QString askForFile(QWidget* parent)
{
    return Prompter::instance().openFileName(parent, TextFileDialogs::request("Select file for importing hex values text"));
}

bool importFile(QWidget* parent, const QString& path, ByteBuffer& out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Prompter::error(parent, QStringLiteral("Failed to open file ") + path + QStringLiteral("\nCause: ") + file.errorString());
        return false;
    }
    WaitCursor wait;
    ByteBuffer bytes;
    reserveLarge(bytes, std::size_t(file.size() / 2));  // at most one byte per two characters
    HexValuesParser parser;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(chunk.data(), chunk.size());
        if (n < 0) {
            Prompter::error(parent, QStringLiteral("Failed to read first file ") + path + QStringLiteral("\nCause: ")
                                        + file.errorString());
            return false;
        }
        if (n == 0)
            break;
        parser.feed(chunk.constData(), std::size_t(n), bytes);
    }
    parser.finish();
    out = std::move(bytes);
    return true;
}

}  // namespace HexValuesImport
