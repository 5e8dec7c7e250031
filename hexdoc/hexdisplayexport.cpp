#include "hexdoc/hexdisplayexport.h"

#include <QFileInfo>

#include "hexdoc/listingexport.h"
#include "hexdoc/textfiledialogs.h"
#include "prompt/prompter.h"
#include "safewrite/safefilewriter.h"
#include "prompt/waitcursor.h"

namespace HexDisplayExport {

void exportListing(QWidget* parent, const TextSource& listing)
{
    const QString path =
        Prompter::instance().saveFileName(parent, TextFileDialogs::request("Select the file to save the hex display"));
    if (path.isEmpty())
        return;
    WaitCursor wait;
    SafeFileWriter writer(path);
    // One byte per character.
    const bool ok = writer.open(listing.length())
        && writeListing(listing, [&writer](const char* data, std::size_t size) { return writer.write(data, size); })
        && writer.commit();
    if (!ok)
        Prompter::error(parent, QStringLiteral("Failed to save the hex display into the export file")
                                    + QFileInfo(path).absoluteFilePath() + QStringLiteral("\nCause: ") + writer.errorString());
}

}  // namespace HexDisplayExport
