#pragma once

#include "EditState.h"

#include <QWidget>

class QPushButton;

// The editor's one window: a frameless 1000 x 650 surface at (0, 0) that paints itself and
// hosts every control.
class CcsAllDlg : public QWidget {
    Q_OBJECT
  public:
    explicit CcsAllDlg(QWidget* parent = nullptr);
    ~CcsAllDlg() override;

    EditState& state() { return m_state; }

  public slots:
    // The close button: removes the working files, logs the end lines and closes the window.
    void onCloseButton();

  private:
    EditState m_state;
    QPushButton* m_closeButton = nullptr;
};
