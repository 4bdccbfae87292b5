#pragma once
// Lists kept in ascending order of an unsigned 16-bit priority, with an optional data word.

#include "base/TarnList.h"

#include <cstdint>
#include <memory>
#include <utility>

class TPriNode : public TTarnNode {
  public:
    explicit TPriNode(uint16_t priority) : Priority(priority) {}

    uint16_t Priority;
};

class TPriDataNode : public TPriNode {
  public:
    TPriDataNode(uint16_t priority, std::uintptr_t data) : TPriNode(priority), Data(data) {}
    TPriDataNode(uint16_t priority, const void* object)
        : TPriNode(priority), Data(reinterpret_cast<std::uintptr_t>(object)) {}

    template <class T> T* DataAs() const { return reinterpret_cast<T*>(Data); }

    std::uintptr_t Data;
};

// Every node of a priority list must be a TPriNode (a node of another class raises
// std::bad_cast when priorities are compared).
class TPriList : public TTarnList {
  public:
    // Inserts so that priorities stay ascending; a node goes after every node of equal priority.
    template <class T> T* InsertByPriority(std::unique_ptr<T> node) {
        T* raw = node.get();
        if (raw != nullptr) {
            InsertAfter(PlaceFor(raw->Priority), std::move(node));
        }
        return raw;
    }

  private:
    // The last node whose priority is not above the given one, nullptr for the head.
    TTarnNode* PlaceFor(uint16_t priority) const;
};

class TPriDataList : public TPriList {
  public:
    // First node whose Data equals the value (and whose Priority equals the priority).
    TPriDataNode* FindData(std::uintptr_t value) const;
    TPriDataNode* FindData(std::uintptr_t value, uint16_t priority) const;
    TPriDataNode* FindData(const void* object) const {
        return FindData(reinterpret_cast<std::uintptr_t>(object));
    }
};
