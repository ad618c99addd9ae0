#include "LightFrameCatalogue.h"

#include "AppPaths.h"
#include "CatalogValues.h"
#include "XMLParse.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {

// The attribute of the same name on the first child element called name; empty when either is
// missing. Lights and frames start every entry from empty texts.
QString childText(const XMLParse& xml, const QDomElement& entry, const QString& element,
                  const QString& attribute) {
    return xml.ReadAttribute(xml.SelectNode(0, entry, element), attribute).value_or(QString());
}

QString childText(const XMLParse& xml, const QDomElement& entry, const QString& name) {
    return childText(xml, entry, name, name);
}

// The entries of the first list element called listName under the root; without a loaded
// document there are none.
QDomElement firstList(const XMLParse& xml, const QString& listName, int& count) {
    const QDomElement root = xml.SelectNode(0, {}, QStringLiteral("theme"));
    const QDomElement list = xml.SelectNode(0, root, listName);
    count = xml.isLoaded() ? xml.CountNodes(list, QStringLiteral("subtheme")) : 0;
    return list;
}

QString resourcePath(const QString& catalogueText) {
    return AppPaths::programFolder() + AppPaths::fromCataloguePath(catalogueText);
}

// The piece sizes are written as two three-character numbers; only the first was ever meant.
int pieceSize(const QString& text) {
    return CatalogValues::parseLeadingInt(text.left(3));
}

} // namespace

QString lightFrameCataloguePath() {
    return AppPaths::programFolder() + QStringLiteral("deploy/vuvedilightborder.xml");
}

void ReadLightCatalogue(Catalogues& catalogues, const QString& path) {
    catalogues.lightRecords.clear();
    catalogues.lightThumbs.clear();
    XMLParse xml;
    xml.Load(path);
    int count = 0;
    const QDomElement lights = firstList(xml, QStringLiteral("light"), count);
    for (int j = 1; j <= count; ++j) {
        const QDomElement entry = xml.SelectNode(j - 1, lights, QStringLiteral("subtheme"));
        LightRecord light;
        light.neffectfunction = CatalogValues::parseLeadingInt(childText(xml, entry, "xmlneffectfunction"));
        light.nenum = CatalogValues::parseLeadingInt(
            childText(xml, entry, QStringLiteral("xmlarguments"), QStringLiteral("xmlnenum")));
        light.kind = childText(xml, entry, QStringLiteral("xmlarguments"), QStringLiteral("xmlkind"));
        light.effectimage = resourcePath(childText(xml, entry, "xmleffectimage"));
        light.name = CatalogValues::lookName(childText(xml, entry, "xmleffecttype"));
        catalogues.lightThumbs.append(ThumbEntry{
            light.kind, j, AppPaths::programFolder() + QStringLiteral("lightimage.bundle/%1.jpg").arg(j)});
        catalogues.lightRecords.append(light);
    }
}

void ReadFrameCatalogue(Catalogues& catalogues, const QString& path) {
    static const std::array<const char*, 8> kSizeNames = {
        "xmlrightbottomsize", "xmlbottomsize",   "xmlleftbottomsize", "xmlrightsize",
        "xmlleftsize",        "xmlrighttopsize", "xmltopsize",        "xmllefttopsize"};
    catalogues.frameRecords.clear();
    XMLParse xml;
    xml.Load(path);
    int count = 0;
    const QDomElement frames = firstList(xml, QStringLiteral("border"), count);
    for (int i = 1; i <= count; ++i) {
        const QDomElement entry = xml.SelectNode(i - 1, frames, QStringLiteral("subtheme"));
        FrameRecord frame;
        frame.effectimage = resourcePath(childText(xml, entry, "xmleffectimage"));
        frame.framerule = CatalogValues::parseLeadingInt(childText(xml, entry, "xmlframerule"));
        frame.name = CatalogValues::lookName(childText(xml, entry, "xmleffecttype"));
        const QDomElement sizes = xml.SelectNode(0, entry, QStringLiteral("xmlframes"));
        for (std::size_t k = 0; k < kSizeNames.size(); ++k)
            frame.sizes[k] =
                pieceSize(xml.ReadAttribute(sizes, QString::fromLatin1(kSizeNames[k])).value_or(QString()));
        catalogues.frameRecords.append(frame);
    }
}

const FrameRecord* FrameForThumbnail(const FrameRecords& frames, const QString& thumbPath) {
    // Only the file name tells the kind: a folder called "..._thumb..." must not turn a regular
    // frame into an overlay.
    const QString name = QFileInfo(thumbPath).fileName();
    const qsizetype mark = name.indexOf(QStringLiteral("_thumb"));
    if (mark >= 0) {
        const QString overlay = thumbPath.left(thumbPath.size() - name.size()) + name.left(mark) + ".png";
        const auto match = std::find_if(frames.begin(), frames.end(), [&](const FrameRecord& f) {
            return f.framerule == FrameRuleOverlay && f.effectimage == overlay;
        });
        return match == frames.end() ? nullptr : &*match;
    }
    // With several entries for one picture the last one counts.
    const auto match = std::find_if(frames.rbegin(), frames.rend(), [&](const FrameRecord& f) {
        return f.framerule == FrameRuleNineSlice && f.effectimage == thumbPath;
    });
    return match == frames.rend() ? nullptr : &*match;
}
