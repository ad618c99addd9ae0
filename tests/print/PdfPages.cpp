#include "PdfPages.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

namespace PdfPages {

QString info(const QString& pdf, const QString& field) {
    const QString output = run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(QRegularExpression::escape(field)),
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(output);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

QList<QSize> embeddedImages(const QString& pdf, int page) {
    const QString number = QString::number(page);
    const QString output = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), QStringLiteral("-f"),
                                                             number, QStringLiteral("-l"), number, pdf});
    // page num type width height ...; the first two lines are the heading.
    QList<QSize> sizes;
    const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList columns = lines[i].simplified().split(QLatin1Char(' '));
        if (columns.size() > 4 && columns[2] == QLatin1String("image"))
            sizes.append(QSize(columns[3].toInt(), columns[4].toInt()));
    }
    return sizes;
}

QList<QImage> rasterise(const QString& pdf, int dpi) {
    QTemporaryDir folder;
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), pdf,
                                     folder.filePath(QStringLiteral("p"))});
    QList<QImage> pages;
    // pdftoppm numbers the pages with as many digits as the last one needs.
    const QStringList names =
        QDir(folder.path()).entryList({QStringLiteral("p-*.png")}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        pages.append(QImage(folder.filePath(name)).convertToFormat(QImage::Format_RGB32));
    return pages;
}

QRect inkBounds(const QImage& page) {
    QRect bounds;
    for (int y = 0; y < page.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x)
            if (qRed(line[x]) < 235 || qGreen(line[x]) < 235 || qBlue(line[x]) < 235)
                bounds |= QRect(x, y, 1, 1);
    }
    return bounds;
}

} // namespace PdfPages
