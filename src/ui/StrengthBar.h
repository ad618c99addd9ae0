#pragma once

#include <QWidget>

class QSlider;

// The slim strength control under the picture: "Strength", a dark track with the amber share
// of the look, and the percentage. It only reports what the user does; the window decides
// when it shows and what it means.
class StrengthBar : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kStep = 10;

    explicit StrengthBar(QWidget* parent = nullptr);

    int percent() const;
    // Shows a percentage without reporting it as the user's change.
    void showPercent(int percent);
    // One key step (kStep) up or down, reported as the user's change.
    void stepBy(int steps);
    QSlider* slider() const { return m_slider; }

  signals:
    // Every position the user passes; finished once the change is over (the end of a drag, or
    // a click, key or wheel step right away).
    void moved(int percent);
    void finished();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QSlider* m_slider;
    bool m_showing = false;
};
