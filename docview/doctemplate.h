#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class Document;

/// A document type: how its documents and their windows are made, and what it
/// is called. The type string holds, separated by line feeds, the window title
/// part, the document name, the new-file name, the filter name, the filter
/// extension, the type id and the type name.
class DocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<Document>(DocTemplate&)>;
    /// Makes a frame with a view on the document, runs the view's initial update and shows it.
    using FrameFactory = std::function<void(Document&)>;

    DocTemplate(const QString& typeString, DocumentFactory makeDocument, FrameFactory makeFrame);
    ~DocTemplate();

    QString docString(int index) const { return m_parts.value(index); }
    QString fileNewName() const { return docString(2); }

    /// An empty path makes a new document ("Vellmar1", "Vellmar2", ...);
    /// otherwise opens the file. Returns nullptr when the document could not be made.
    Document* openDocumentFile(const QString& path);
    /// Opens another window on an existing document.
    void createFrame(Document& document) { m_makeFrame(document); }

    const std::vector<std::unique_ptr<Document>>& documents() const { return m_documents; }
    /// Destroys a document whose last window has closed.
    void closeDocument(Document* document);

private:
    QStringList m_parts;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    std::vector<std::unique_ptr<Document>> m_documents;
    int m_untitledCount = 0;
};
