#include "ExportOverlay.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

const QColor kVeil(0, 0, 0, 150);
const QColor kPanel(40, 40, 40, 230);
const QColor kText(235, 235, 235);
const QColor kTrack(80, 80, 80);
const QColor kBar(255, 159, 48); // the accent of the window's tabs

QFont captionFont(int pixels, bool bold) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

void ExportOverlay::start() {
    m_running = true;
    m_stage = QStringLiteral("Starting");
    m_fraction = 0.0;
    m_notice.clear();
}

void ExportOverlay::progress(const QString& stage, double fraction) {
    m_stage = stage;
    m_fraction = std::clamp(fraction, 0.0, 1.0);
}

void ExportOverlay::finish(const QString& notice) {
    m_running = false;
    m_notice = notice;
}

void ExportOverlay::clearNotice() {
    m_notice.clear();
}

void ExportOverlay::paint(QPainter& painter) const {
    if (!m_running && m_notice.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_running) {
        painter.fillRect(kArea, kVeil);
        const QRect panel(kArea.center().x() - 200, kArea.center().y() - 45, 400, 90);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kPanel);
        painter.drawRoundedRect(panel, 8, 8);
        painter.setPen(kText);
        painter.setFont(captionFont(18, true));
        painter.drawText(panel.adjusted(20, 12, -20, -50), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Exporting"));
        painter.setFont(captionFont(14, false));
        painter.drawText(panel.adjusted(20, 12, -20, -50), Qt::AlignRight | Qt::AlignVCenter, m_stage);
        const QRect track(panel.left() + 20, panel.bottom() - 32, panel.width() - 40, 10);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kTrack);
        painter.drawRoundedRect(track, 5, 5);
        painter.setBrush(kBar);
        painter.drawRoundedRect(
            QRect(track.topLeft(), QSize(std::max(10, int(track.width() * m_fraction)), 10)), 5, 5);
    } else {
        const QFont font = captionFont(14, false);
        const QFontMetrics metrics(font);
        const QString text = metrics.elidedText(m_notice, Qt::ElideMiddle, kArea.width() - 40);
        const QRect band(kArea.left(), kArea.bottom() - 34, kArea.width(), 34);
        painter.fillRect(band, kPanel);
        painter.setPen(kText);
        painter.setFont(font);
        painter.drawText(band, Qt::AlignCenter, text);
    }
    painter.restore();
}
