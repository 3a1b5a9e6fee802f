// Procedures still being built.
#include "board/Board.h"

namespace tarsio {}  // namespace tarsio
