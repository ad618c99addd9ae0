#include "TestSupport.h"

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QtTest>

#include <cmath>
#include <cstdlib>

namespace TestSupport {

QString dataFile(const QString& name) {
    return qEnvironmentVariable("LK_TEST_DATA") + QLatin1Char('/') + name;
}

QString binFolder() {
    return qEnvironmentVariable("LK_BIN_DIR");
}

QString freshWorkFolder() {
    QString folder = qEnvironmentVariable("LUMENKRAFT_WORK_DIR");
    if (folder.isEmpty())
        folder = QDir::tempPath() + QStringLiteral("/lumenkraft-test-work");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QImage makePicture(int width, int height, bool withAlpha) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int r = width > 1 ? 255 * x / (width - 1) : 128;
            const int g = height > 1 ? 255 * y / (height - 1) : 128;
            const int b = ((x / 7 + y / 5) % 2) ? 200 : 40;
            line[x] = qRgba(r, g, b, 255);
        }
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(250, 240, 60));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(width * 0.15, height * 0.2, width * 0.3, height * 0.35));
    if (withAlpha) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(QRect(width / 4, height / 4, width / 2, height / 2), Qt::transparent);
    }
    return image;
}

namespace {

// Calls visit(p, q) for the two pictures' pixels at every place, both as 32-bit ARGB; false (and
// no call) when their sizes differ.
template <typename Visit> bool visitPixelPairs(const QImage& a, const QImage& b, Visit visit) {
    if (a.size() != b.size())
        return false;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            visit(p[col], q[col]);
    }
    return true;
}

double colourSampleCount(const QImage& image) {
    return double(image.width()) * image.height() * 3;
}

} // namespace

int maxChannelDifference(const QImage& a, const QImage& b) {
    int worst = 0;
    const bool sameSize = visitPixelPairs(a, b, [&](QRgb p, QRgb q) {
        worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
    });
    return sameSize ? worst : -1;
}

double meanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    const bool sameSize = visitPixelPairs(a, b, [&](QRgb p, QRgb q) {
        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    });
    if (!sameSize)
        return -1;
    const double count = colourSampleCount(a);
    return count > 0 ? sum / count : 0.0;
}

double rmseDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    const bool sameSize = visitPixelPairs(a, b, [&](QRgb p, QRgb q) {
        const int dr = qRed(p) - qRed(q);
        const int dg = qGreen(p) - qGreen(q);
        const int db = qBlue(p) - qBlue(q);
        sum += dr * dr + dg * dg + db * db;
    });
    if (!sameSize)
        return -1;
    const double count = colourSampleCount(a);
    return count > 0 ? std::sqrt(sum / count) / 255.0 : 0.0;
}


ProgramRun runProgram(const QString& program, const QStringList& arguments,
                      const std::function<void()>& childSetup) {
    QProcess process;
    if (childSetup)
        process.setChildProcessModifier(childSetup);
    process.start(binFolder() + QLatin1Char('/') + program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(300000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.errorLines =
        QString::fromUtf8(process.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return run;
}

} // namespace TestSupport

char* toString(const Rect& rect) {
    return qstrdup(QByteArray("(") + QByteArray::number(rect.left) + ", " + QByteArray::number(rect.top) +
                   ", " + QByteArray::number(rect.right) + ", " + QByteArray::number(rect.bottom) + ")");
}
