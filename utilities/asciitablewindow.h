#pragma once

#include <QDialog>

#include <array>

#include "utilities/asciitabletext.h"

class ListingControl;

/// The ASCII table: two radio buttons choose the control codes (0 to 31) or
/// the standard characters (32 to 127), shown under a one-line column header
/// in the fixed-pitch font. The texts of both ranges are built once, when the
/// window is made; the body stays editable, and switching range restores it.
class AsciiTableWindow : public QDialog {
    Q_OBJECT

public:
    explicit AsciiTableWindow(QWidget* parent = nullptr);

    static constexpr const char* kTitle = "ASCII Table";
    static constexpr const char* kRangeTexts[] = {"0 - 31 (Control functions)", "32 - 127 (Standard characters)"};

private:
    void showRange(AsciiTableText::Range range);

    const std::array<AsciiTableText, 2> m_texts;
    ListingControl* m_header;
    ListingControl* m_body;
};
