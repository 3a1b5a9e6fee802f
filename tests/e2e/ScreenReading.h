// Reading a screenshot the way a player's eyes do: where a colour is, the menu titles, the completion
// picture. Screenshots are RGB32 images of the whole screen.
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>

namespace tarsio {

// Whether the pixel has the colour, each channel within 24 of it.
bool hasColour(QRgb pixel, QColor colour);
// The smallest rectangle holding every pixel of the colour inside `area`; empty when there is none.
QRect colourBox(const QImage& screen, QColor colour, QRect area);
// The share of the pixels of `area` that have the colour, 0 to 1.
double colourShare(const QImage& screen, QColor colour, QRect area);
// The boxes of the words written in the row band, left to right: a word is a run of columns holding
// pixels darker than the band's background, with gaps of less than 6 pixels inside it.
QList<QRect> wordsInBand(const QImage& screen, QRect band);
// Whether the yellow star (at least a sixth of a 152 x 98 picture) with its dark red lettering lies in
// `area`.
bool showsCompletion(const QImage& screen, QRect area);

}  // namespace tarsio
