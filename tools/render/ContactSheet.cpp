#include "ContactSheet.h"

#include "EffectCatalogue.h"
#include "LightFrameCatalogue.h"
#include "LookCommands.h"
#include "MagickSession.h"
#include "NineSliceFrame.h"
#include "RasterIO.h"
#include "RenderJobs.h"
#include "WorkFiles.h"
#include "XMLParse.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kColumns = 10;
constexpr int kBoxWidth = 160; // the look's picture fits this box
constexpr int kBoxHeight = 120;
constexpr int kLabelHeight = 30;
constexpr int kGap = 8;
constexpr int kMargin = 16;
constexpr int kHeadingHeight = 34;
constexpr int kTitleHeight = 40;
// Looks are computed at twice the cell size and then reduced, so radii read closer to a preview.
constexpr int kRenderScale = 2;

const QColor kBackground(242, 240, 236);
const QColor kInk(40, 40, 44);
const QColor kQuietInk(110, 108, 104);

struct Cell {
    QString label; // "12  Color Tint"
    QString name;
    QImage picture; // null when the look failed
};

struct Section {
    QString heading;
    QList<Cell> cells;
};

QStringList namesAt(XMLParse& xml, const QString& listName, const QString& itemName, bool beforeColon) {
    QStringList names;
    const QDomElement root = xml.SelectNode(0, {}, QStringLiteral("theme"));
    const QDomElement list = listName.isEmpty() ? root : xml.SelectNode(0, root, listName);
    const int count = xml.CountNodes(list, itemName);
    for (int i = 0; i < count; ++i) {
        const QDomElement item = xml.SelectNode(i, list, itemName);
        QDomElement step = item;
        if (beforeColon)
            step = xml.SelectNode(0, item, QStringLiteral("subtheme"));
        QString name = xml.ReadAttribute(xml.SelectNode(0, step, QStringLiteral("xmleffecttype")),
                                         QStringLiteral("xmleffecttype"))
                           .value_or(QString());
        if (beforeColon)
            name = name.section(QLatin1Char(':'), 0, 0);
        names.append(name.trimmed());
    }
    return names;
}

QString categoryOf(const QString& kind) {
    return kind.isEmpty() ? QStringLiteral("-") : kind;
}

QImage fitted(const QImage& picture, int width, int height) {
    return picture.scaled(width, height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QImage framed(const QImage& photo, const FrameRecord& frame) {
    if (frame.framerule == FrameRuleOverlay) {
        const QImage overlay = RasterIO::load(frame.effectimage);
        if (overlay.isNull())
            return {};
        QImage result = photo.convertToFormat(QImage::Format_ARGB32);
        QPainter painter(&result);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(result.rect(), overlay);
        return result;
    }
    auto state = std::make_unique<EditState>();
    state->sourceWidth = photo.width();
    state->sourceHeight = photo.height();
    if (!buildFramePieces(*state, frame))
        return {};
    return composeNineSliceFrame(photo, state->framePieces, state->frameSliceSizes, state->sourceWidth, false,
                                 false);
}

void drawCell(QPainter& p, const QPoint& origin, const Cell& cell) {
    const QRect box(origin, QSize(kBoxWidth, kBoxHeight));
    if (cell.picture.isNull()) {
        p.fillRect(box, QColor(220, 216, 210));
        p.setPen(kQuietInk);
        p.drawText(box, Qt::AlignCenter, QStringLiteral("cannot be applied"));
    } else {
        const QImage picture = fitted(cell.picture, kBoxWidth, kBoxHeight);
        p.drawImage(box.x() + (kBoxWidth - picture.width()) / 2,
                    box.y() + (kBoxHeight - picture.height()) / 2, picture);
    }
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kInk);
    const QRect first(origin.x(), box.bottom() + 3, kBoxWidth, 13);
    p.drawText(first, Qt::AlignLeft | Qt::AlignVCenter,
               p.fontMetrics().elidedText(cell.label, Qt::ElideRight, kBoxWidth));
    font.setBold(false);
    p.setFont(font);
    p.setPen(kQuietInk);
    const QRect second(origin.x(), first.bottom() + 1, kBoxWidth, 13);
    p.drawText(second, Qt::AlignLeft | Qt::AlignVCenter,
               p.fontMetrics().elidedText(cell.name, Qt::ElideRight, kBoxWidth));
}

int rowsOf(const Section& section) {
    return int((section.cells.size() + kColumns - 1) / kColumns);
}

QImage layOut(const QString& title, const QList<Section>& sections) {
    const int cellWidth = kBoxWidth + kGap;
    const int cellHeight = kBoxHeight + kLabelHeight + kGap;
    int height = kMargin + kTitleHeight;
    for (const Section& section : sections)
        height += kHeadingHeight + rowsOf(section) * cellHeight;
    height += kMargin;
    const int width = 2 * kMargin + kColumns * cellWidth - kGap;

    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(kBackground);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(QRect(kMargin, kMargin, width - 2 * kMargin, kTitleHeight - 8),
               Qt::AlignLeft | Qt::AlignVCenter, title);
    int y = kMargin + kTitleHeight;
    for (const Section& section : sections) {
        font.setPixelSize(16);
        p.setFont(font);
        p.setPen(kInk);
        p.drawText(QRect(kMargin, y, width - 2 * kMargin, kHeadingHeight - 8),
                   Qt::AlignLeft | Qt::AlignBottom, section.heading);
        y += kHeadingHeight;
        for (qsizetype i = 0; i < section.cells.size(); ++i) {
            const QPoint origin(kMargin + int(i % kColumns) * cellWidth, y + int(i / kColumns) * cellHeight);
            drawCell(p, origin, section.cells[i]);
        }
        y += rowsOf(section) * cellHeight;
    }
    return sheet;
}

Cell cellFor(int number, const QString& kind, const QStringList& names, const RenderResult& result) {
    const QString name = number - 1 < names.size() ? names[number - 1] : QString();
    return {QStringLiteral("%1  %2").arg(number).arg(categoryOf(kind)), name, result.image};
}

} // namespace

LookNames readLookNames(const QString& effectCataloguePath, const QString& lightFrameCataloguePath) {
    LookNames names;
    XMLParse effects;
    if (effects.Load(effectCataloguePath))
        names.filters = namesAt(effects, QString(), QStringLiteral("effect"), true);
    XMLParse lightsAndFrames;
    if (lightsAndFrames.Load(lightFrameCataloguePath)) {
        names.lights = namesAt(lightsAndFrames, QStringLiteral("light"), QStringLiteral("subtheme"), false);
        names.frames = namesAt(lightsAndFrames, QStringLiteral("border"), QStringLiteral("subtheme"), false);
    }
    return names;
}

QImage renderContactSheet(const Catalogues& catalogues, const LookNames& names, const QString& photoPath,
                          QString* error) {
    const QImage original = RasterIO::load(photoPath);
    if (original.isNull()) {
        if (error)
            *error = QStringLiteral("cannot read %1: not a picture").arg(photoPath);
        return {};
    }
    const QImage photo = fitted(original, kBoxWidth * kRenderScale, kBoxHeight * kRenderScale);
    // The engine reads its input from a working JPEG, as the editor's looks do (no alpha: some
    // operations treat an alpha channel like a colour).
    const QString photoCopy = WorkFiles::path(QStringLiteral("contact_sheet_photo.jpg"));
    if (!RasterIO::saveWorkingJpeg(photo, photoCopy)) {
        if (error)
            *error = QStringLiteral("cannot write the working file %1").arg(photoCopy);
        return {};
    }

    Section filters{QStringLiteral("Filters (%1)").arg(catalogues.filterLooks.size()), {}};
    for (int n = 1; n <= catalogues.filterLooks.size(); ++n)
        filters.cells.append(cellFor(n, catalogues.filterThumbs.value(n - 1).kind, names.filters,
                                     renderFilter(catalogues, n, photoCopy)));
    Section lights{QStringLiteral("Lights (%1)").arg(catalogues.lightRecords.size()), {}};
    for (int n = 1; n <= catalogues.lightRecords.size(); ++n)
        lights.cells.append(cellFor(n, catalogues.lightRecords[n - 1].kind, names.lights,
                                    renderLight(catalogues, n, photoCopy)));
    Section frames{QStringLiteral("Frames (%1)").arg(catalogues.frameRecords.size()), {}};
    for (int n = 1; n <= catalogues.frameRecords.size(); ++n) {
        const FrameRecord& frame = catalogues.frameRecords[n - 1];
        const QString kind =
            frame.framerule == FrameRuleNineSlice ? QStringLiteral("Regular") : QStringLiteral("Artistic");
        frames.cells.append(cellFor(n, kind, names.frames, {framed(photo, frame), {}}));
    }
    const QString title = QStringLiteral("Lumenkraft looks on %1").arg(QFileInfo(photoPath).fileName());
    return layOut(title, {filters, lights, frames});
}

int runContactSheet(int argc, char** argv) {
    // Labels need fonts, and fonts need a GUI application; nothing is shown, so no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio=false"));
    RasterIO::allowLargePictures();
    const QStringList arguments = app.arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: lumenkraft-render --contact-sheet IN OUT\n");
        return 2;
    }
    const QString input = arguments[2];
    const QString output = arguments[3];
    if (const QString error = checkOutputType(output); !error.isEmpty()) {
        std::fprintf(stderr, "lumenkraft-render: %s\n", qPrintable(error));
        return 2;
    }
    QTemporaryDir work;
    if (!work.isValid()) {
        std::fprintf(stderr, "lumenkraft-render: cannot create a working folder\n");
        return 1;
    }
    qputenv("LUMENKRAFT_WORK_DIR", QDir(work.path()).absolutePath().toUtf8());

    const MagickSession session;
    QString error;
    QImage sheet;
    {
        Catalogues catalogues;
        ReadEffectCatalogue(catalogues);
        ReadLightCatalogue(catalogues);
        ReadFrameCatalogue(catalogues);
        const LookNames names =
            readLookNames(EffectCatalogueReader::defaultPath(), lightFrameCataloguePath());
        sheet = renderContactSheet(catalogues, names, input, &error);
    } // the catalogue's pixel wands go before MagickWand ends with the session
    if (error.isEmpty())
        error = saveResult(sheet, output);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "lumenkraft-render: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
