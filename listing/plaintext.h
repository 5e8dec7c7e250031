#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

#include "listing/textsource.h"

/// A TextSource that holds its characters: short texts (the ASCII table,
/// messages) and the copy a ListingControl makes of a generated text when it
/// must apply a change the generator cannot hold. Every replacement succeeds.
class PlainText final : public TextSource {
public:
    PlainText() : PlainText(QByteArray()) {}
    explicit PlainText(QByteArray text);

    TextPos length() const override;
    qint64 lineCount() const override;
    TextPos lineStart(qint64 line) const override;
    qint64 lineOfPosition(TextPos pos) const override;
    void appendText(TextPos from, TextPos to, QByteArray& out) const override;
    bool replace(TextPos from, TextPos to, QByteArrayView text) override;

    const QByteArray& bytes() const { return m_text; }

private:
    QByteArray m_text;
    std::vector<TextPos> m_lineStarts;  // m_lineStarts[0] == 0; one more per '\n'
};
