#pragma once

#include <QByteArray>
#include <QString>

#include "hexdoc/cvellmardoc.h"
#include "hexdoc/cvellmarview.h"
#include "support/apptestbase.h"

/// An application with one hex document opened from a file of the given bytes.
struct OpenedFile {
    AppFixture fx;
    QString file;
    CVellmarView* view = nullptr;
    CVellmarDoc* doc = nullptr;

    explicit OpenedFile(const QByteArray& bytes)
        : file(fx.writeFile(QStringLiteral("opened.bin"), bytes))
    {
        fx.app().openDocumentFile(file);
        view = fx.activeView();
        doc = fx.activeDoc();
    }
    /// The document's bytes as they are now.
    QByteArray bytes() const
    {
        const ByteBuffer all = doc->bytes().copy(0, doc->bytes().size());
        return QByteArray(reinterpret_cast<const char*>(all.data()), qsizetype(all.size()));
    }
};
