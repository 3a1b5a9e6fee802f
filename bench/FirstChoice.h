// The picture choice as the player makes it: the real open-file dialog, in fresh processes.
#pragma once

#include <vector>

#include "Figures.h"

namespace tarsio::bench {

// The flags of the child runs: `tarsio_bench --choose PHOTO` chooses the photo twice through
// the real dialog; `tarsio_bench --decode PHOTO` only decodes it.
inline constexpr char ChooseFlag[] = "--choose";
inline constexpr char DecodeFlag[] = "--decode";

// The child runs; each prints its milliseconds on one line and gives its exit code. The choosing run
// prints the first choice, the second choice and a plain decode after them.
int measureChoicesHere(const Inputs& in);
int measureDecodeHere(const QString& photo);

// The first choice in a fresh process against a plain decode in a fresh process, and the second
// choice against a plain decode in the same process.
std::vector<Row> firstChoices(const Inputs& in);

}  // namespace tarsio::bench
