#include "reComb.h"

#include "MenuResources.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {

const QColor kMenuGround(200, 200, 200);
const QColor kCaptionEnabled(255, 255, 255);
const QColor kCaptionDisabled(150, 150, 150);

} // namespace

reComb::reComb(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void reComb::SetPictures(const QString& arrowFileName, const QString& bodyFileName) {
    arrowPicturePath = StripPicture::uiPath(arrowFileName);
    bodyPicturePath = StripPicture::uiPath(bodyFileName);
}

void reComb::SelectDefault() {
    if (commandIds.isEmpty())
        return;
    SetCaption(menuText(commandIds.first()));
}

void reComb::SetCaption(const QString& text) {
    caption = text;
    repaint();
}

void reComb::setActive(bool on) {
    enabled = on;
    setEnabled(on);
    repaint();
}

void reComb::pick(int position) {
    if (position < 0 || position >= commandIds.size())
        return;
    SetCaption(menuText(commandIds.at(position)));
    switch (dropDownKind) {
    case CropRatio:
        emit cropRatioChosen(position);
        break;
    case FilterCategory:
        emit filterCategoryChosen(position);
        break;
    case LightCategory:
        emit lightCategoryChosen(position);
        break;
    case FrameCategory:
        emit frameCategoryChosen(position);
        break;
    default:
        break;
    }
}

std::unique_ptr<QMenu> reComb::buildMenu() {
    auto menu = std::make_unique<QMenu>(this);
    QPalette colours = menu->palette();
    colours.setColor(QPalette::Window, kMenuGround);
    colours.setColor(QPalette::Base, kMenuGround);
    menu->setPalette(colours);
    menu->setAutoFillBackground(true);
    const auto& popups = MenuResources::dropDownPopups();
    if (popupIndex < 0 || popupIndex >= popups.size())
        return menu;
    const MenuResources::Popup& popup = popups.at(popupIndex);
    menu->setTitle(popup.title);
    for (const MenuResources::Item& item : popup.items) {
        QAction* action = menu->addAction(item.text);
        action->setData(item.commandId);
        // The default item stays the first one whatever was picked last.
        if (!commandIds.isEmpty() && item.commandId == commandIds.first()) {
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
        }
    }
    return menu;
}

QPoint reComb::arrowPosition() const {
    return dropDownKind == CropRatio ? QPoint(115, 12) : QPoint(200, 12);
}

QRect reComb::captionRect() const {
    return dropDownKind == CropRatio ? QRect(15, 8, 130, 28) : QRect(15, 8, 200, 28);
}

QString reComb::menuText(int commandId) const {
    const auto& popups = MenuResources::dropDownPopups();
    if (popupIndex < 0 || popupIndex >= popups.size())
        return {};
    return MenuResources::itemText(popups.at(popupIndex), commandId);
}

void reComb::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& body = m_body.get(bodyPicturePath);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!body.isNull())
        painter.drawImage(rect(), body);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (arrowPicturePath.isEmpty()) {
        painter.fillRect(rect(), QColor(255, 0, 0));
    } else {
        const QImage& arrow = m_arrow.get(arrowPicturePath);
        if (!arrow.isNull()) {
            const QRect inactive = StripPicture::stateSource(arrow.size(), StripPicture::Inactive);
            const QRect target(arrowPosition(), inactive.size() / StripPicture::kArtworkScale);
            const StripPicture::State shown = !enabled  ? StripPicture::Inactive
                                              : pressed ? StripPicture::Pressed
                                                        : StripPicture::Normal;
            painter.drawImage(target, arrow, inactive);
            painter.drawImage(target, arrow, StripPicture::stateSource(arrow.size(), shown));
        }
    }
    QFont font(QStringLiteral("Times New Roman"));
    font.setBold(true);
    font.setPixelSize(15);
    painter.setFont(font);
    painter.setPen(enabled ? kCaptionEnabled : kCaptionDisabled);
    painter.drawText(captionRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption);
}

void reComb::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !enabled) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressed = true;
    repaint();
    QPointer<reComb> self(this);
    std::unique_ptr<QMenu> menu = buildMenu();
    QAction* picked = menu->exec(mapToGlobal(QPoint(0, height())));
    // The window may have gone while the menu was open.
    if (!self) {
        (void)menu.release(); // already deleted with its parent
        return;
    }
    const int position = picked ? commandIds.indexOf(picked->data().toInt()) : -1;
    menu.reset();
    if (position >= 0)
        pick(position);
    pressed = false;
    repaint();
}

void reComb::mouseReleaseEvent(QMouseEvent* event) {
    pressed = false;
    repaint();
    QWidget::mouseReleaseEvent(event);
}
