#include "base/TarnList.h"

#include <utility>

TTarnList::TTarnList(TTarnList&& other) noexcept
    : head(std::exchange(other.head, nullptr)), tail(std::exchange(other.tail, nullptr)) {}

TTarnList& TTarnList::operator=(TTarnList&& other) noexcept {
    if (this != &other) {
        Clear();
        head = std::exchange(other.head, nullptr);
        tail = std::exchange(other.tail, nullptr);
    }
    return *this;
}

TTarnList::~TTarnList() {
    Clear();
}

int16_t TTarnList::Count() const {
    int16_t count = 0;
    for (const TTarnNode* node = head; node != nullptr; node = node->next) {
        ++count;
    }
    return count;
}

TTarnNode* TTarnList::Item(int16_t position) const {
    if (position <= 0) {
        return nullptr;
    }
    TTarnNode* node = head;
    for (int16_t i = 1; node != nullptr && i < position; ++i) {
        node = node->next;
    }
    return node;
}

void TTarnList::AddNode(TTarnNode* node) {
    if (node == nullptr) {
        return;
    }
    node->next = nullptr;
    node->prev = tail;
    if (tail != nullptr) {
        tail->next = node;
    } else {
        head = node;
    }
    tail = node;
}

void TTarnList::AddFirstNode(TTarnNode* node) {
    if (node == nullptr) {
        return;
    }
    node->prev = nullptr;
    node->next = head;
    if (head != nullptr) {
        head->prev = node;
    } else {
        tail = node;
    }
    head = node;
}

void TTarnList::InsertNodeAfter(TTarnNode* after, TTarnNode* node) {
    if (node == nullptr) {
        return;
    }
    if (after == nullptr) {
        AddFirstNode(node);
    } else if (after == tail) {
        AddNode(node);
    } else {
        node->prev = after;
        node->next = after->next;
        after->next->prev = node;
        after->next = node;
    }
}

std::unique_ptr<TTarnNode> TTarnList::RemoveFirst() {
    TTarnNode* node = head;
    if (node == nullptr) {
        return nullptr;
    }
    head = node->next;
    if (head != nullptr) {
        head->prev = nullptr;
    } else {
        tail = nullptr;
    }
    node->next = nullptr;
    node->prev = nullptr;
    return std::unique_ptr<TTarnNode>(node);
}

std::unique_ptr<TTarnNode> TTarnList::RemoveLast() {
    TTarnNode* node = tail;
    if (node == nullptr) {
        return nullptr;
    }
    tail = node->prev;
    if (tail != nullptr) {
        tail->next = nullptr;
    } else {
        head = nullptr;
    }
    node->next = nullptr;
    node->prev = nullptr;
    return std::unique_ptr<TTarnNode>(node);
}

std::unique_ptr<TTarnNode> TTarnList::Remove(TTarnNode* node) {
    if (node == nullptr || !Contains(node)) {
        return nullptr;
    }
    if (node == head) {
        return RemoveFirst();
    }
    if (node == tail) {
        return RemoveLast();
    }
    node->prev->next = node->next;
    node->next->prev = node->prev;
    node->next = nullptr;
    node->prev = nullptr;
    return std::unique_ptr<TTarnNode>(node);
}

int16_t TTarnList::IndexOf(const TTarnNode* node) const {
    int16_t position = 1;
    for (const TTarnNode* current = head; current != nullptr; current = current->next) {
        if (current == node) {
            return position;
        }
        ++position;
    }
    return 0;
}

bool TTarnList::Contains(const TTarnNode* node) const {
    for (const TTarnNode* current = head; current != nullptr; current = current->next) {
        if (current == node) {
            return true;
        }
    }
    return false;
}

void TTarnList::Clear() {
    while (!IsEmpty()) {
        RemoveFirst();
    }
}

TDataNode* TDataList::FindData(std::uintptr_t value) const {
    for (TTarnNode* node = Head(); node != nullptr; node = node->Next()) {
        auto& data = dynamic_cast<TDataNode&>(*node);
        if (data.Data == value) {
            return &data;
        }
    }
    return nullptr;
}
