// Pending window events.
#include "platform/Events.h"

#include <QCoreApplication>

namespace tarsio {

void DoEvents() { QCoreApplication::processEvents(); }

}  // namespace tarsio
