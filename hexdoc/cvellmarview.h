#pragma once

#include "hexdoc/hexview.h"

class CVellmarDoc;

/// The view of a plain hex document: the listing of the document's bytes
/// under the header line.
class CVellmarView : public HexView {
    Q_OBJECT

public:
    explicit CVellmarView(CVellmarDoc* document, QWidget* parent = nullptr);

    CVellmarDoc* GetDocument() const { return m_doc; }
    EndPosition& endPosition() override;
    MarkState& markState() override;
    void syncModifiedFlag() override;
    EditHistory& history() override;
    void setBytesChanged(bool changed) override;
    bool canChangeBytes() const override;

private:
    void addEnablingRules();

    CVellmarDoc* m_doc;
};
