#pragma once

#include <QLabel>
#include <QTimer>

// The small hover text window of a picture button: cyan text, shown shortly after the pointer
// comes to rest and hidden again after a while, so a quick pass over the toolbar stays quiet.
class HoverTip : public QLabel {
    Q_OBJECT
  public:
    static constexpr int kInitialDelayMs = 150;
    static constexpr int kHoverTimeMs = 20;
    // Windows-style automatic delays: the text stays ten times the initial delay.
    static constexpr int kVisibleMs = 10 * kInitialDelayMs;

    explicit HoverTip(QWidget* owner);

    // Cyan on a dark ground, the colours of every tip of the window.
    static QPalette tipColours();

    // Shows the text just below the given screen point; an empty text shows nothing.
    void showAt(const QPoint& globalPos, const QString& text);

  private:
    QTimer m_hideTimer;
};
