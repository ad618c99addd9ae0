#pragma once

#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

struct _PixelWand;
typedef struct _PixelWand PixelWand;

// A MagickWand pixel wand shared by every copy of the record that created it.
using SharedPixelWand = std::shared_ptr<PixelWand>;

// One step of a look: an operation number and its arguments, as the catalogue gives them.
struct EffectRecord {
    SharedPixelWand color1;
    SharedPixelWand color2;
    std::uint32_t imchannel = 0; // ChannelType mask
    std::int32_t neffectfunction = 0;
    std::int32_t nenum = 0;
    float radius = 0.0f;
    float sigma = 0.0f;
    float brightness = 0.0f;
    float contrast = 0.0f;
    std::int32_t imboolval1 = 0;
    std::int32_t imboolval2 = 0;
    QString kind;        // category text
    QString effectimage; // lights: full path of the overlay picture
    QString name;        // the look's name (CatalogValues::lookName of its descriptive text)
};

// One filter: its steps in catalogue order. Its number is its 1-based position in FilterLooks.
struct FilterLook {
    QList<EffectRecord> steps;
};

// One entry of a thumbnail list: category, 1-based number, thumbnail picture.
struct ThumbEntry {
    QString kind;
    std::int32_t number = 0;
    QString thumbPath;
};

// A light is one step whose neffectfunction, nenum, kind and effectimage matter.
using LightRecord = EffectRecord;

// How a frame of the catalogue is applied, as its rule number says.
enum FrameRule : std::int32_t { FrameRuleOverlay = 0, FrameRuleNineSlice = 1 };

// A frame: its picture (full path) and how it is applied (its FrameRule).
struct FrameRecord {
    QString effectimage;
    std::int32_t framerule = 0;
    std::array<int, 8> sizes{}; // the eight piece sizes of the file format; unused
    // The frame's name as its catalogue entry gives it; initialised here so that records written
    // as {picture, rule, sizes} stay complete.
    QString name{};
};

using FilterLooks = QList<FilterLook>;
using FilterThumbs = QList<ThumbEntry>;
using LightRecords = QList<LightRecord>;
using LightThumbs = QList<ThumbEntry>;
using FrameRecords = QList<FrameRecord>;

// Every catalogue collection the editor holds. The filters are filled once per run by the
// first thumbnail worker; lights and frames are rebuilt at every intake.
struct Catalogues {
    FilterLooks filterLooks;
    FilterThumbs filterThumbs;
    LightRecords lightRecords;
    LightThumbs lightThumbs;
    FrameRecords frameRecords;
};
