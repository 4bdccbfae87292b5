#include "graphics/PX8BitmapInfo.h"

const TPX8BitmapInfo& PX8IdentityBitmapInfo() {
    static const TPX8BitmapInfo info = [] {
        TPX8BitmapInfo identity;
        for (std::size_t i = 0; i < identity.Colours.size(); ++i) {
            identity.Colours[i] = static_cast<uint16_t>(i);
        }
        return identity;
    }();
    return info;
}
