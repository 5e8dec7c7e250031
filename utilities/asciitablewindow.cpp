#include "utilities/asciitablewindow.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "listing/listingcontrol.h"

namespace {

using Range = AsciiTableText::Range;

// Wide enough for the longest line, tall enough for a good part of a range.
constexpr int kBodyColumns = 46;
constexpr int kBodyLines = 18;

}  // namespace

AsciiTableWindow::AsciiTableWindow(QWidget* parent)
    : QDialog(parent)
    , m_texts{AsciiTableText::build(Range::Control), AsciiTableText::build(Range::Standard)}
    , m_header(new ListingControl(this))
    , m_body(new ListingControl(this))
{
    setObjectName(QStringLiteral("asciiTableWindow"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setAccessibleName(QString::fromLatin1(kTitle));

    auto* ranges = new QButtonGroup(this);
    auto* rangeRow = new QHBoxLayout;
    for (int id = 0; id < int(std::size(kRangeTexts)); ++id) {
        auto* button = new QRadioButton(QString::fromLatin1(kRangeTexts[id]), this);
        button->setObjectName(QStringLiteral("asciiRange%1").arg(id));
        ranges->addButton(button, id);
        rangeRow->addWidget(button);
    }
    ranges->button(int(Range::Control))->setChecked(true);
    connect(ranges, &QButtonGroup::idClicked, this, [this](int id) { showRange(Range(id)); });

    // The header is a caption: one line, greyed, on the window's own colour.
    m_header->setObjectName(QStringLiteral("asciiHeader"));
    m_header->setAccessibleName(tr("Column names"));
    m_header->setEnabled(false);
    m_header->setBackgroundColor(palette().color(QPalette::Window));
    m_header->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_header->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_header->setFixedHeight(m_header->lineHeight() + 2 * m_header->frameWidth());

    m_body->setObjectName(QStringLiteral("asciiBody"));
    m_body->setAccessibleName(tr("ASCII codes"));
    m_body->setReadOnly(false);
    m_body->setMinimumSize(kBodyColumns * m_body->characterWidth(), kBodyLines * m_body->lineHeight());

    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rangeRow);
    layout->addWidget(m_header);
    layout->addWidget(m_body, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    showRange(Range::Control);
}

void AsciiTableWindow::showRange(Range range)
{
    const AsciiTableText& text = m_texts[std::size_t(range)];
    m_header->setText(text.header);
    m_body->setText(text.body);
}
