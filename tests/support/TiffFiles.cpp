#include "TiffFiles.h"

#include <QtEndian>

namespace TiffFiles {

namespace {

enum FieldType : quint16 { Short = 3, Long = 4 };

struct Field {
    quint16 tag;
    FieldType type;
    quint32 count;
    quint32 value; // or the offset of the values
};

void append16(QByteArray& out, quint16 value) {
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 2);
}

void append32(QByteArray& out, quint32 value) {
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 4);
}

QByteArray rgbBytes(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    QByteArray bytes;
    for (int y = 0; y < rgb.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 3);
    return bytes;
}

} // namespace

QByteArray pages(const QList<QImage>& pictures, Flaw flaw) {
    QByteArray out("II*\0", 4);
    const int offsetOfFirstDirectory = int(out.size());
    append32(out, 0);
    int linkToPatch = offsetOfFirstDirectory;
    for (qsizetype page = 0; page < pictures.size(); ++page) {
        const QImage& picture = pictures[page];
        const QByteArray pixels = rgbBytes(picture);
        const bool cut = flaw == Flaw::CutStrip && page == pictures.size() - 1;

        const quint32 bitsOffset = quint32(out.size());
        append16(out, 8);
        append16(out, 8);
        append16(out, 8);
        // A cut page's pixels come last and stop short of what the directory promises, so the
        // reader runs into the end of the file.
        const quint32 pixelOffset = quint32(out.size());
        if (!cut) {
            out.append(pixels);
            if (out.size() % 2)
                out.append('\0');
        }

        QList<Field> fields = {
            {256, Long, 1, quint32(picture.width())},
            {257, Long, 1, quint32(picture.height())},
            {258, Short, 3, bitsOffset},
            {259, Short, 1, 1}, // no compression
            {262, Short, 1, 2}, // RGB
            {273, Long, 1, pixelOffset},
            {277, Short, 1, 3},
            {278, Long, 1, quint32(picture.height())},
            {279, Long, 1, quint32(pixels.size())},
        };
        if (flaw == Flaw::PrivateTag)
            fields.append({50001, Long, 1, 7});

        const quint32 directory = quint32(out.size());
        if (cut)
            fields[5].value = directory + 2 + quint32(fields.size()) * 12 + 4;
        qToLittleEndian(directory, out.data() + linkToPatch);
        append16(out, quint16(fields.size()));
        for (const Field& field : fields) {
            append16(out, field.tag);
            append16(out, field.type);
            append32(out, field.count);
            if (field.type == Short && field.count == 1) {
                append16(out, quint16(field.value));
                append16(out, 0);
            } else {
                append32(out, field.value);
            }
        }
        linkToPatch = int(out.size());
        append32(out, 0);
        if (cut)
            out.append(pixels.left(pixels.size() / 3));
    }
    return out;
}

} // namespace TiffFiles
