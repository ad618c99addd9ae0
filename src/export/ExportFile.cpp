#include "ExportFile.h"

#include "Encoders.h"
#include "PhotoMetadata.h"

#include <QColorSpace>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

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

namespace {

QString notWritten(const QString& target, const QString& reason) {
    const QFileInfo file(target);
    return QStringLiteral("%1 could not be written in %2: %3.")
        .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()), reason);
}

QString notEncoded(const ImageEncoder& encoder) {
    return QStringLiteral("The picture could not be encoded as %1.")
        .arg(QString::fromLatin1(encoder.mimeType));
}

// Copies the whole of from into to; false when either side fails.
bool copyInto(QIODevice& from, QIODevice& to) {
    if (!from.seek(0))
        return false;
    QByteArray chunk;
    while (!from.atEnd()) {
        chunk = from.read(1 << 20);
        if (chunk.isEmpty() || to.write(chunk) != chunk.size())
            return false;
    }
    return true;
}

} // namespace

Written write(QImage image, const QString& target, const QString& metadataSource) {
    const std::optional<ImageEncoder> encoder = Encoders::findExportEncoder(target);
    if (!encoder)
        return {checkType(target), QString()};
    const QSize size = image.size();
    if (!image.colorSpace().isValid())
        image.setColorSpace(QColorSpace::SRgb);
    const int quality = encoder->mimeType == "image/jpeg" ? kJpegQuality : -1;

    // The encoder writes straight into the file, never into memory: at a hundred megapixels the
    // encoded picture and the copies of it that adding the metadata made ran to hundreds of MB.
    bool encoded = true;
    const auto encodeInto = [&](QFileDevice& file) {
        if (Encoders::encode(std::move(image), *encoder, quality, &file))
            return true;
        encoded = file.error() != QFileDevice::NoError;
        return false;
    };
    if (!PhotoMetadata::carriesMetadata(encoder->mimeType)) {
        const QString failure = Encoders::writeFile(target, encodeInto);
        if (!encoded)
            return {notEncoded(*encoder), QString()};
        return {failure.isEmpty() ? QString() : notWritten(target, failure), QString()};
    }

    // The metadata is written into a finished file, so the picture goes to a file of its own first,
    // beside the target: on the disk that is to hold it anyway, and gone however this ends.
    QTemporaryFile picture(QFileInfo(target).absoluteDir().filePath(QStringLiteral(".lumenkraft-XXXXXX")));
    if (!picture.open())
        return {notWritten(target, picture.errorString()), QString()};
    if (!encodeInto(picture) || !picture.flush()) {
        if (!encoded)
            return {notEncoded(*encoder), QString()};
        return {notWritten(target, picture.errorString()), QString()};
    }
    const QString warning = PhotoMetadata::carryOver(picture.fileName(), metadataSource, size);
    QFile withMetadata(picture.fileName());
    if (!withMetadata.open(QIODevice::ReadOnly))
        return {notWritten(target, withMetadata.errorString()), QString()};
    const QString failure =
        Encoders::writeFile(target, [&](QFileDevice& file) { return copyInto(withMetadata, file); });
    if (!failure.isEmpty())
        return {notWritten(target, failure), QString()};
    return {QString(), warning};
}

} // namespace ExportFile
