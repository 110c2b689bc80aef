#include "shell/instance_check.h"

namespace shell {

bool CheckAlreadyRunning(QWidget&, const QString&) { return false; }

} // namespace shell
