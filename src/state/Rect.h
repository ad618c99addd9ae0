#pragma once

#include <QRect>

// A rectangle as the editor measures it: left, top, right, bottom in window client pixels,
// with width = right - left. QRect's inclusive right/bottom invite off-by-one slips, so the
// geometry code keeps these four numbers and converts only at drawing time.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    QRect toQRect() const { return QRect(left, top, width(), height()); }
    QRectF toQRectF() const { return QRectF(left, top, width(), height()); }
    static Rect fromQRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};
