#include "graphics/PX8Damage.h"

#include <memory>

void TDamageList::AddRect(const TRect& rect) {
    for (TTarnNode* node = Head(); node != nullptr; node = node->Next()) {
        auto* damage = static_cast<TDamageNode*>(node);
        TRect common;
        if (!IntersectRect(common, damage->Rect, rect)) {
            continue;
        }
        if (common == rect) {
            return;
        }
        if (common == damage->Rect) {
            damage->Rect = rect;
            return;
        }
    }
    Add(std::make_unique<TDamageNode>(rect));
}
