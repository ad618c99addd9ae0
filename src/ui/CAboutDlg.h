#pragma once

#include <QDialog>

class QLabel;

// The About box: the program's icon, name and version, and links to its home page.
class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QLabel* supportLink() const { return m_supportLink; }
    QLabel* homepageLink() const { return m_homepageLink; }

    static QString versionText();

  private:
    QLabel* m_supportLink;
    QLabel* m_homepageLink;
};
