#include "StrengthBar.h"

#include <QPainter>
#include <QSlider>

namespace {

constexpr int kLabelWidth = 62;
constexpr int kValueWidth = 44;

// The window's charcoal and amber: a recessed track, the look's share lit, a light knob.
const char* const kSliderStyle = R"(
QSlider { background: transparent; }
QSlider::groove:horizontal { height: 4px; border-radius: 2px; background: rgb(46, 50, 58); }
QSlider::sub-page:horizontal { height: 4px; border-radius: 2px; background: rgb(255, 159, 48); }
QSlider::sub-page:horizontal:disabled { background: rgb(86, 91, 100); }
QSlider::handle:horizontal { width: 10px; margin: -4px 0; border-radius: 5px; background: rgb(226, 229, 234); }
QSlider::handle:horizontal:disabled { background: rgb(86, 91, 100); }
)";

} // namespace

StrengthBar::StrengthBar(QWidget* parent) : QWidget(parent), m_slider(new QSlider(Qt::Horizontal, this)) {
    setObjectName(QStringLiteral("strengthBar"));
    m_slider->setObjectName(QStringLiteral("strengthSlider"));
    m_slider->setRange(0, 100);
    m_slider->setSingleStep(kStep);
    m_slider->setPageStep(kStep);
    m_slider->setValue(100);
    m_slider->setStyleSheet(QString::fromLatin1(kSliderStyle));
    // The keys of the window stay with the window; the slider answers the mouse.
    m_slider->setFocusPolicy(Qt::NoFocus);
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        update();
        if (m_showing)
            return;
        emit moved(value);
        if (!m_slider->isSliderDown())
            emit finished();
    });
    connect(m_slider, &QSlider::sliderReleased, this, &StrengthBar::finished);
}

int StrengthBar::percent() const {
    return m_slider->value();
}

void StrengthBar::showPercent(int percent) {
    m_showing = true;
    m_slider->setValue(percent);
    m_showing = false;
}

void StrengthBar::stepBy(int steps) {
    m_slider->setValue(m_slider->value() + steps * kStep);
}

void StrengthBar::resizeEvent(QResizeEvent*) {
    // The slider sits between the two texts, which the bar draws itself.
    m_slider->setGeometry(kLabelWidth, 0, width() - kLabelWidth - kValueWidth, height());
}

void StrengthBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(isEnabled() ? QColor(140, 146, 156) : QColor(86, 91, 100));
    painter.drawText(QRect(0, 0, kLabelWidth - 8, height()), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Strength"));
    painter.setPen(isEnabled() ? QColor(232, 234, 238) : QColor(86, 91, 100));
    painter.drawText(QRect(width() - kValueWidth + 8, 0, kValueWidth - 8, height()),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1 %").arg(m_slider->value()));
}
