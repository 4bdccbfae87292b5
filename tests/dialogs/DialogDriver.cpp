#include "dialogs/DialogDriver.h"

void DropInputDevices::TearDown() {
    if (qApp != nullptr) {
        qDeleteAll(qApp->findChildren<QInputDevice*>(Qt::FindDirectChildrenOnly));
    }
}

namespace {
[[maybe_unused]] testing::Environment* const dropInputDevices =
    testing::AddGlobalTestEnvironment(new DropInputDevices);
}
