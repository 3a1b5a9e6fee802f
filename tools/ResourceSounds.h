// The game's short sounds, synthesised as mono 16-bit WAV files.
#pragma once

#include <QByteArray>

namespace tarsio {

// A soft click, as of a piece settling into its cell.
QByteArray dockedSound();
// A lighter, higher click, as of a piece lifted out of its cell.
QByteArray freedSound();
// A brief major chord, its notes struck one after another, for a completed picture.
QByteArray completedSound();

}  // namespace tarsio
