#include "EffectCatalogue.h"

#include "AppPaths.h"
#include "CatalogValues.h"
#include "WorkFiles.h"
#include "XMLParse.h"

#include <array>
#include <utility>

namespace {

// The attribute texts in force while one filter is read. A step that lacks an attribute keeps
// the text of the nearest earlier step of the same filter; a new filter starts all empty.
struct ColourTexts {
    QString r, g, b, a;
};

struct RawTexts {
    QString effecttype;
    QString neffectfunction;
    QString imchannel, radius, sigma, brightness, contrast, nenum, imboolval1, imboolval2, kind;
    ColourTexts color1, color2;
};

void takeAttribute(const XMLParse& xml, const QDomElement& node, const char* name, QString& text) {
    if (const auto value = xml.ReadAttribute(node, QString::fromLatin1(name)))
        text = *value;
}

void takeColour(const XMLParse& xml, const QDomElement& step, const char* element, ColourTexts& colour) {
    const QDomElement node = xml.SelectNode(0, step, QString::fromLatin1(element));
    if (node.isNull())
        return;
    takeAttribute(xml, node, "r", colour.r);
    takeAttribute(xml, node, "g", colour.g);
    takeAttribute(xml, node, "b", colour.b);
    // The alpha text is kept with the others but not applied: the looks were designed opaque.
    takeAttribute(xml, node, "a", colour.a);
}

SharedPixelWand colourWand(const ColourTexts& colour) {
    using CatalogValues::parseLeadingReal;
    return CatalogValues::makePixelWand(parseLeadingReal(colour.r), parseLeadingReal(colour.g),
                                        parseLeadingReal(colour.b));
}

} // namespace

struct EffectCatalogueReader::Private {
    XMLParse xml;
    QDomElement filter;
    RawTexts texts;
    // Out-of-range channel positions fall back on the channel of the step read just before,
    // whichever filter it belonged to; before any step that is UndefinedChannel.
    std::uint32_t lastChannel = 0;

    void readStepTexts(const QDomElement& step) {
        takeAttribute(xml, xml.SelectNode(0, step, QStringLiteral("xmleffecttype")), "xmleffecttype",
                      texts.effecttype);
        takeAttribute(xml, xml.SelectNode(0, step, QStringLiteral("xmlneffectfunction")),
                      "xmlneffectfunction", texts.neffectfunction);
        // The trailing blank is how the catalogue has always been queried; the lookup ignores it.
        const QDomElement arguments = xml.SelectNode(0, step, QStringLiteral("xmlarguments "));
        if (!arguments.isNull()) {
            takeAttribute(xml, arguments, "xmlimchannel", texts.imchannel);
            takeAttribute(xml, arguments, "xmlradius", texts.radius);
            takeAttribute(xml, arguments, "xmlsigma", texts.sigma);
            takeAttribute(xml, arguments, "xmlbrightness", texts.brightness);
            takeAttribute(xml, arguments, "xmlcontrast", texts.contrast);
            takeAttribute(xml, arguments, "xmlnenum", texts.nenum);
            takeAttribute(xml, arguments, "xmlimboolval1", texts.imboolval1);
            takeAttribute(xml, arguments, "xmlimboolval2", texts.imboolval2);
            takeAttribute(xml, arguments, "xmlkind", texts.kind);
        }
        takeColour(xml, step, "xmlcolor1", texts.color1);
        takeColour(xml, step, "xmlcolor2", texts.color2);
    }

    EffectRecord convert() {
        using namespace CatalogValues;
        EffectRecord record;
        record.color1 = colourWand(texts.color1);
        record.color2 = colourWand(texts.color2);
        if (const auto mask = channelMask(parseLeadingInt(texts.imchannel)))
            lastChannel = *mask;
        record.imchannel = lastChannel;
        record.neffectfunction = parseLeadingInt(texts.neffectfunction);
        record.nenum = parseLeadingInt(texts.nenum);
        record.radius = toFloat(parseLeadingReal(texts.radius));
        record.sigma = toFloat(parseLeadingReal(texts.sigma));
        record.brightness = toFloat(parseLeadingReal(texts.brightness));
        record.contrast = toFloat(parseLeadingReal(texts.contrast));
        record.imboolval1 = parseLeadingInt(texts.imboolval1);
        record.imboolval2 = parseLeadingInt(texts.imboolval2);
        record.kind = texts.kind;
        record.name = lookName(texts.effecttype);
        return record;
    }
};

EffectCatalogueReader::EffectCatalogueReader(const QString& path) : d(std::make_unique<Private>()) {
    d->xml.Load(path);
}

EffectCatalogueReader::~EffectCatalogueReader() = default;

QString EffectCatalogueReader::defaultPath() {
    return AppPaths::programFolder() + QStringLiteral("deploy/vuvedieffect.xml");
}

bool EffectCatalogueReader::isLoaded() const {
    return d->xml.isLoaded();
}

int EffectCatalogueReader::filterCount() const {
    if (!isLoaded())
        return 0;
    const QDomElement root = d->xml.SelectNode(0, {}, QStringLiteral("theme"));
    return d->xml.CountNodes(root, QStringLiteral("effect"));
}

int EffectCatalogueReader::beginFilter(int i) {
    d->texts = RawTexts();
    const QDomElement root = d->xml.SelectNode(0, {}, QStringLiteral("theme"));
    d->filter = i >= 1 ? d->xml.SelectNode(i - 1, root, QStringLiteral("effect")) : QDomElement();
    if (!isLoaded())
        return 0;
    return d->xml.CountNodes(d->filter, QStringLiteral("subtheme"));
}

EffectRecord EffectCatalogueReader::readStep(int j) {
    if (j >= 1 && !d->filter.isNull())
        d->readStepTexts(d->xml.SelectNode(j - 1, d->filter, QStringLiteral("subtheme")));
    return d->convert();
}

QString EffectCatalogueReader::currentKind() const {
    return d->texts.kind;
}

QString EffectCatalogueReader::currentName() const {
    return CatalogValues::lookName(d->texts.effecttype);
}

void ReadEffectCatalogue(Catalogues& catalogues, const QString& path) {
    FilterLooks looks;
    FilterThumbs thumbs;
    EffectCatalogueReader reader(path);
    const int filters = reader.filterCount();
    for (int i = 1; i <= filters; ++i) {
        FilterLook look;
        const int steps = reader.beginFilter(i);
        for (int j = 1; j <= steps; ++j)
            look.steps.append(reader.readStep(j));
        looks.append(std::move(look));
        thumbs.append(ThumbEntry{reader.currentKind(), i, WorkFiles::thumbnailPath(i)});
    }
    catalogues.filterLooks = std::move(looks);
    catalogues.filterThumbs = std::move(thumbs);
}

QStringList ReadFilterNames(const QString& path) {
    QStringList names;
    EffectCatalogueReader reader(path);
    const int filters = reader.filterCount();
    for (int i = 1; i <= filters; ++i) {
        const int steps = reader.beginFilter(i);
        for (int j = 1; j <= steps; ++j)
            reader.readStep(j);
        names.append(reader.currentName());
    }
    return names;
}
