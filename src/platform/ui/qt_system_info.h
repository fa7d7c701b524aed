// The running system with the real screen: the primary screen's size and
// dots per inch as Qt reports them.
#pragma once

#include "platform/system_info.h"

namespace tnq {

class QtSystemInfo : public SystemInfo {
public:
    ScreenMetrics Screen() const override;
};

} // namespace tnq
