#include "base/PriList.h"

TTarnNode* TPriList::PlaceFor(uint16_t priority) const {
    TTarnNode* current = Tail();
    while (current != nullptr && priority < dynamic_cast<TPriNode&>(*current).Priority) {
        current = current->Prev();
    }
    return current;
}

TPriDataNode* TPriDataList::FindData(std::uintptr_t value) const {
    for (TTarnNode* node = Head(); node != nullptr; node = node->Next()) {
        auto& data = dynamic_cast<TPriDataNode&>(*node);
        if (data.Data == value) {
            return &data;
        }
    }
    return nullptr;
}

TPriDataNode* TPriDataList::FindData(std::uintptr_t value, uint16_t priority) const {
    for (TTarnNode* node = Head(); node != nullptr; node = node->Next()) {
        auto& data = dynamic_cast<TPriDataNode&>(*node);
        if (data.Data == value && data.Priority == priority) {
            return &data;
        }
    }
    return nullptr;
}
