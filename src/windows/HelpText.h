// The help window's text: the lines of the help file and the list's height.
#pragma once

#include <QByteArray>
#include <QStringList>

namespace tarsio {

// The lines of the help file as the help list shows them. The bytes are cut at each CR LF: with
// positions from 1 and N bytes, p starting at 1, f is the first CR LF at or after p (or N + 1), the
// bytes p .. f - 1 make a line, and the split stops once f >= N - 3, else goes on at f + 2. Empty lines
// stay; an empty file gives one empty line; a last line without line end is kept only with three or
// more bytes. Each line is decoded as UTF-8 when the whole file is valid UTF-8, else as Windows-1252.
QStringList helpLines(const QByteArray& fileBytes);

// The help list's height (twips) in a window of the given inner height (twips): 700 less, not below 0.
int helpListHeight(int innerHeightTwips);

// The top (twips) of the close button in a window of the given inner height (twips): 450 above its
// bottom.
int helpButtonTop(int innerHeightTwips);

}  // namespace tarsio
