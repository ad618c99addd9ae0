#include "ExportFile.h"

#include "Encoders.h"
#include "PhotoMetadata.h"

#include <QColorSpace>
#include <QDir>
#include <QFileInfo>

namespace ExportFile {

QString checkType(const QString& target) {
    if (Encoders::findExportEncoder(target))
        return {};
    return QStringLiteral("\"%1\" is not a kind of picture Lumenkraft can write; "
                          "end the name with .jpg, .png, .bmp, .gif or .tif.")
        .arg(QFileInfo(target).fileName());
}

QString checkTarget(const QString& target) {
    if (QString error = checkType(target); !error.isEmpty())
        return error;
    const QFileInfo file(target);
    if (!file.absoluteDir().exists())
        return QStringLiteral("The folder %1 does not exist.")
            .arg(QDir::toNativeSeparators(file.absolutePath()));
    return {};
}

Written write(QImage image, const QString& target, const QString& metadataSource) {
    const std::optional<ImageEncoder> encoder = Encoders::findExportEncoder(target);
    if (!encoder)
        return {checkType(target), QString()};
    const QSize size = image.size();
    if (!image.colorSpace().isValid())
        image.setColorSpace(QColorSpace::SRgb);
    const int quality = encoder->mimeType == "image/jpeg" ? kJpegQuality : -1;
    QByteArray bytes = Encoders::encode(std::move(image), *encoder, quality);
    if (bytes.isEmpty())
        return {QStringLiteral("The picture could not be encoded as %1.")
                    .arg(QString::fromLatin1(encoder->mimeType)),
                QString()};
    QString warning;
    if (PhotoMetadata::carriesMetadata(encoder->mimeType)) {
        PhotoMetadata::Carried carried = PhotoMetadata::carryOver(bytes, metadataSource, size);
        bytes = std::move(carried.bytes);
        warning = carried.warning;
    }
    const QString failure = Encoders::writeFile(bytes, target);
    if (!failure.isEmpty()) {
        const QFileInfo file(target);
        return {QStringLiteral("%1 could not be written in %2: %3.")
                    .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()), failure),
                QString()};
    }
    return {QString(), warning};
}

} // namespace ExportFile
