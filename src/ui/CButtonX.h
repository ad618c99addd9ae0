#pragma once

#include "StripPicture.h"

#include <QPushButton>
#include <QTimer>

class HoverTip;

// A push button painted from a three-state picture strip (normal, pressed, inactive). The
// click is the ordinary QPushButton::clicked; what the button adds is its look: a pressed
// state that handlers can latch, an inactive look, and a hover tip.
class CButtonX : public QPushButton {
    Q_OBJECT
  public:
    explicit CButtonX(QWidget* parent = nullptr);
    ~CButtonX() override;

    // Draw the pressed state.
    bool pressed = false;
    // Full path of the strip; empty paints the button solid red, a visible sign of a button
    // that was never given its picture.
    QString picturePath;
    // Reacts to the mouse and draws normally; false draws the inactive state.
    bool active = true;
    // Releasing the mouse keeps the pressed look until a handler clears it.
    bool holdPressed = false;
    QString tooltipText;

    // picturePath = programFolder() + "UI/" + fileName; no repaint.
    void SetPicture(const QString& fileName);
    // Gives the button its hover tip with this text.
    void SetTooltip(const QString& text);
    // The active flag and the widget's enabled state always change together, so an inactive
    // button neither reacts nor looks pressable.
    void setActive(bool on);
    // Latches or clears the pressed look and repaints at once.
    void setPressedLook(bool on);

    HoverTip* tooltip() const { return m_tooltip; }
    // The strip state the button shows now.
    StripPicture::State shownState() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void showTip();

    HoverTip* m_tooltip = nullptr;
    QTimer m_restTimer;
    StripPicture::Cache m_picture;
};
