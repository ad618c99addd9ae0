#include "Datagen.h"

#include "UiBackgrounds.h"
#include "UiIcons.h"
#include "UiStrips.h"
#include "UiStyle.h"

#include <QDir>
#include <QPainter>

#include <cstdio>
#include <vector>

namespace Datagen {
namespace {

using UiStrips::ChipAlign;
using UiStrips::Face;

struct Strip {
    const char* file;
    QSize onScreen; // the size the window stretches one state to
    Face face;
};

// The arrow is drawn at its own size at a fixed spot of the field, so it must stay inside the
// field's flat inner area on either reading of that size (on-screen or stored pixels).
constexpr QSize kArrowSize{9, 8};

std::vector<Strip> controlStrips() {
    using namespace UiIcons;
    const QColor title = UiStyle::titleBand();
    const QColor tools = UiStyle::toolBand();
    const qreal bigChip = 38, bigIcon = 22; // 42 x 42 buttons
    const qreal chip = 29, icon = 17;       // 33-high buttons
    return {
        {"close.bmp", {21, 22}, UiStrips::titleButton(close(), true)},
        {"min.bmp", {21, 22}, UiStrips::titleButton(minimise(), false)},
        {"undo.bmp", {33, 33}, UiStrips::chipButton(undo(), title, chip, icon)},
        {"redo.bmp", {33, 33}, UiStrips::chipButton(redo(), title, chip, icon)},
        {"print.bmp", {33, 33}, UiStrips::chipButton(printer(), title, chip, icon)},
        {"save.bmp", {33, 33}, UiStrips::chipButton(exportTray(), title, chip, icon)},
        {"help.bmp", {33, 33}, UiStrips::chipButton(help(), title, chip, icon)},
        {"file.bmp", {42, 42}, UiStrips::chipButton(folder(), tools, bigChip, bigIcon)},
        {"cut.bmp", {42, 42}, UiStrips::chipButton(crop(), tools, bigChip, bigIcon)},
        {"direction.bmp", {33, 33}, UiStrips::chipButton(orientation(), tools, chip, icon)},
        {"cacel.bmp", {33, 33}, UiStrips::chipButton(cancel(), tools, chip, icon)},
        {"ok.bmp", {33, 33}, UiStrips::chipButton(ok(), tools, chip, icon)},
        // The rotate button overlaps the horizontal flip by three pixels; centred chips keep clear of it.
        {"rotation.bmp", {38, 33}, UiStrips::chipButton(rotate(), tools, chip, icon)},
        {"spjx.bmp", {33, 33}, UiStrips::chipButton(flipHorizontal(), tools, chip, icon)},
        {"czjx.bmp", {38, 33}, UiStrips::chipButton(flipVertical(), tools, chip, icon, ChipAlign::Left)},
        {"compare.bmp", {42, 42}, UiStrips::chipButton(UiIcons::compare(), tools, bigChip, bigIcon)},
        {"random.bmp", {42, 42}, UiStrips::chipButton(dice(), tools, bigChip, bigIcon)},
        {"effect1.bmp", {63, 29}, UiStrips::panelTab(QStringLiteral("Filter"))},
        {"effect2.bmp", {63, 29}, UiStrips::panelTab(QStringLiteral("Light"))},
        {"effect3.bmp", {63, 29}, UiStrips::panelTab(QStringLiteral("Frame"))},
        {"zhankai.bmp", kArrowSize, UiStrips::dropDownArrow(UiStrips::dropDownField())},
        {"jiao2.bmp", kArrowSize, UiStrips::dropDownArrow(UiStrips::dropDownField())},
    };
}

struct Body {
    const char* file;
    QSize onScreen;
    QColor surface;
    qreal dividerX; // a few pixels left of where the field draws its arrow
};

const Body kBodies[] = {
    {"combox1.bmp", {138, 33}, UiStyle::toolBand(), 106},
    {"combox2.bmp", {234, 33}, UiStyle::sidePanel(), 191},
};

bool save(const QImage& image, const QString& path, const char* format) {
    if (image.save(path, format))
        return true;
    std::fprintf(stderr, "lk_datagen: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

void generateUiPictures(const QString& outDir) {
    const QString uiDir = outDir + QStringLiteral("/UI/");
    if (!QDir().mkpath(uiDir)) {
        std::fprintf(stderr, "lk_datagen: cannot create %s\n", qPrintable(uiDir));
        return;
    }
    for (const Strip& strip : controlStrips())
        save(UiStrips::threeStateStrip(strip.onScreen, strip.face), uiDir + QLatin1String(strip.file), "BMP");
    for (const Body& body : kBodies) {
        const QImage picture =
            UiStrips::singlePicture(body.onScreen, [&](QPainter& painter, const QRectF& bounds) {
                UiStrips::paintDropDownBody(painter, bounds, body.surface, body.dividerX);
            });
        save(picture, uiDir + QLatin1String(body.file), "BMP");
    }
    save(UiBackgrounds::startBackground(), uiDir + QStringLiteral("1.png"), "PNG");
    save(UiBackgrounds::workingBackground(), uiDir + QStringLiteral("1.bmp"), "BMP");
    save(UiBackgrounds::applicationIcon(), uiDir + QStringLiteral("lumenkraft.png"), "PNG");
}

void generateIcons(const QString& outDir) {
    for (const int side : kIconSizes) {
        const QString folder = outDir + QStringLiteral("/%1x%1/apps/").arg(side);
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "lk_datagen: cannot create %s\n", qPrintable(folder));
            continue;
        }
        save(UiBackgrounds::applicationIcon(side), folder + QStringLiteral(LUMENKRAFT_APP_ID ".png"), "PNG");
    }
}

} // namespace Datagen
