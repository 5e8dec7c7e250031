#pragma once

#include <QWidget>

class QTextBrowser;

/// The built-in user guide that Help Topics shows: a non-modal window browsing
/// the guide's HTML. The guide is one document with a section per feature,
/// each starting at an anchor, so a feature can open it at its own section.
/// Escape closes it.
class UserGuideWindow : public QWidget {
    Q_OBJECT

public:
    explicit UserGuideWindow(QWidget* parent = nullptr);

    /// Scrolls to the section with the given anchor ("listing", "keyboard", ...);
    /// an empty anchor goes to the top.
    void showSection(const QString& anchor);

    QTextBrowser* browser() const { return m_browser; }

    static constexpr const char* kTitle = "Vellmar User Guide";
    static constexpr const char* kSource = "qrc:/userguide.html";

private:
    QTextBrowser* m_browser;
};
