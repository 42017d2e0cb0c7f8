#include "platform/ModalActivity.h"

namespace vanta::platform {

void ModalActivity::close()
{
    if (mOpen > 0 && --mOpen == 0)
        emit allClosed();
}

} // namespace vanta::platform
