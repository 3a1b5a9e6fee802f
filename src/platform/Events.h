// Letting pending window events run in the middle of a long command.
#pragma once

namespace tarsio {

void DoEvents();

}  // namespace tarsio
