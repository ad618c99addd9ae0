#include "CatalogueListing.h"

#include "EffectOperations.h"

namespace {

QString relativeTo(const QString& path, const QString& folder) {
    return !folder.isEmpty() && path.startsWith(folder) ? path.mid(folder.size()) : path;
}

QString categoryText(const QString& kind) {
    return kind.isEmpty() ? QStringLiteral("-") : kind;
}

} // namespace

QString describeStep(const EffectRecord& step) {
    const char* name = effectOperationName(step.neffectfunction);
    QStringList parts{QString::number(step.neffectfunction),
                      name ? QString::fromLatin1(name) : QStringLiteral("(no operation)")};
    const auto addReal = [&](const char* label, float value) {
        if (value != 0.0f)
            parts.append(QStringLiteral("%1=%2").arg(QLatin1String(label)).arg(double(value)));
    };
    addReal("r", step.radius);
    addReal("s", step.sigma);
    addReal("b", step.brightness);
    addReal("c", step.contrast);
    if (step.nenum != 0)
        parts.append(QStringLiteral("nenum=%1").arg(step.nenum));
    if (step.imchannel != 0)
        parts.append(QStringLiteral("channel=0x%1").arg(step.imchannel, 0, 16));
    if (step.imboolval1 != 0)
        parts.append(QStringLiteral("bool1=%1").arg(step.imboolval1));
    if (step.imboolval2 != 0)
        parts.append(QStringLiteral("bool2=%1").arg(step.imboolval2));
    return parts.join(QLatin1Char(' '));
}

QStringList listCatalogues(const Catalogues& catalogues, const QString& dataFolder) {
    QStringList lines;
    for (qsizetype i = 0; i < catalogues.filterLooks.size(); ++i) {
        QStringList steps;
        for (const EffectRecord& step : catalogues.filterLooks[i].steps)
            steps.append(describeStep(step));
        const QString kind = i < catalogues.filterThumbs.size() ? catalogues.filterThumbs[i].kind : QString();
        lines.append(
            QStringLiteral("filter\t%1\t%2\t%3").arg(i + 1).arg(categoryText(kind), steps.join(" | ")));
    }
    for (qsizetype i = 0; i < catalogues.lightRecords.size(); ++i) {
        const LightRecord& light = catalogues.lightRecords[i];
        lines.append(QStringLiteral("light\t%1\t%2\t%3 | %4")
                         .arg(i + 1)
                         .arg(categoryText(light.kind), describeStep(light),
                              relativeTo(light.effectimage, dataFolder)));
    }
    for (qsizetype i = 0; i < catalogues.frameRecords.size(); ++i) {
        const FrameRecord& frame = catalogues.frameRecords[i];
        lines.append(QStringLiteral("frame\t%1\t%2\t%3")
                         .arg(i + 1)
                         .arg(frame.framerule == FrameRuleNineSlice ? QStringLiteral("nine-slice")
                                                                    : QStringLiteral("overlay"),
                              relativeTo(frame.effectimage, dataFolder)));
    }
    return lines;
}
