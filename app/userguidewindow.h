#pragma once

#include <QWidget>

/// The built-in user guide that Help Topics shows: a non-modal window browsing
/// the guide's HTML. Escape closes it.
class UserGuideWindow : public QWidget {
    Q_OBJECT

public:
    explicit UserGuideWindow(QWidget* parent = nullptr);

    static constexpr const char* kTitle = "Vellmar User Guide";
    static constexpr const char* kSource = "qrc:/userguide.html";
};
