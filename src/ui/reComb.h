#pragma once

#include "StripPicture.h"

#include <QList>
#include <QWidget>

#include <memory>

class QMenu;

// A picture-drawn field that shows the current choice and, when pressed, opens its pop-up
// menu under itself. A pick sets the caption to the item's text and reports the item's
// position through the signal of the field's kind; a dismissed menu reports nothing.
class reComb : public QWidget {
    Q_OBJECT
  public:
    enum Kind : int { CropRatio = 0, FilterCategory = 1, LightCategory = 2, FrameCategory = 3 };

    explicit reComb(QWidget* parent = nullptr);

    // The command ids of the pop-up's items; a pick is reported by its position in this list.
    QList<int> commandIds;
    QString caption;
    QString arrowPicturePath;
    QString bodyPicturePath;
    // Selects the signal and the layout (see Kind).
    int dropDownKind = CropRatio;
    // Which of the drop-down pop-ups (MenuResources::dropDownPopups) this field opens.
    int popupIndex = 0;
    bool enabled = true;
    // The menu is open.
    bool pressed = false;

    // Both names are file names under UI/.
    void SetPictures(const QString& arrowFileName, const QString& bodyFileName);
    // Takes the first item as the menu's default (bold) item and as the caption.
    void SelectDefault();
    void SetCaption(const QString& text);
    // The enabled flag and the widget's enabled state change together: a disabled field gets
    // no mouse input.
    void setActive(bool on);

    // What a pick from the menu does: caption = the item's text, then the signal of this
    // field's kind with the position. Positions outside the list do nothing.
    void pick(int position);

    // The pop-up as it is opened: grey ground, the first item in bold, each action carrying
    // its command id as data.
    std::unique_ptr<QMenu> buildMenu();

    // Where the arrow sits and where the caption is laid out, by kind.
    QPoint arrowPosition() const;
    QRect captionRect() const;

  signals:
    void cropRatioChosen(int position);
    void filterCategoryChosen(int position);
    void lightCategoryChosen(int position);
    void frameCategoryChosen(int position);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QString menuText(int commandId) const;

    StripPicture::Cache m_arrow;
    StripPicture::Cache m_body;
};
