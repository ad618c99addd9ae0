#pragma once

#include <QRect>
#include <QString>

class QPainter;

// What the window shows of an export over its picture area: while it runs, a veil with the
// stage and a bar; once it has written the file, for a few seconds, where the file went.
class ExportOverlay {
  public:
    // Where progress is drawn: the picture area of the view.
    static constexpr QRect kArea{10, 60, 700, 500};

    void start();
    void progress(const QString& stage, double fraction);
    // The export has ended: the view comes back, with notice (if any) along its bottom edge.
    void finish(const QString& notice = QString());
    // The notice has been read.
    void clearNotice();

    bool running() const { return m_running; }
    const QString& stage() const { return m_stage; }
    double fraction() const { return m_fraction; }
    const QString& notice() const { return m_notice; }

    void paint(QPainter& painter) const;

  private:
    bool m_running = false;
    QString m_stage;
    double m_fraction = 0.0;
    QString m_notice;
};
