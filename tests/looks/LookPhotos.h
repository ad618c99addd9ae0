#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The photos every look is tried on: a portrait, a landscape and a thumbnail-sized picture,
// made from the shipped test photos and saved into the test's working folder.
struct LookPhoto {
    QString name;
    QString path;
    QImage picture;
};

QList<LookPhoto> prepareLookPhotos(const QString& folder);

// Luminance spread of a picture, 0..1 of the full range.
double luminanceDeviation(const QImage& image);

// Whether every pixel is opaque: a light must not punch holes into the photo.
bool fullyOpaque(const QImage& image);

// A copy at most maxWidth wide, for comparing many results with each other quickly.
QImage comparisonCopy(const QImage& image, int maxWidth = 200);
