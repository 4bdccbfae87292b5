#pragma once
// The program's intrusive doubly linked lists: the links live in the nodes, a list knows only
// its first and last node, and positions are counted from 1.
//
// A list owns the nodes linked into it: Clear and the destructor free them. A node taken out
// with Remove, RemoveFirst or RemoveLast is handed back to the caller as a std::unique_ptr.

#include <cstdint>
#include <memory>

class TTarnList;

class TTarnNode {
  public:
    TTarnNode() = default;
    TTarnNode(const TTarnNode&) = delete;
    TTarnNode& operator=(const TTarnNode&) = delete;
    virtual ~TTarnNode() = default;

    // The following and preceding node of the list the node is in, or nullptr.
    TTarnNode* Next() const { return next; }
    TTarnNode* Prev() const { return prev; }

  private:
    friend class TTarnList;
    TTarnNode* next = nullptr;
    TTarnNode* prev = nullptr;
};

class TTarnList {
  public:
    TTarnList() = default;
    TTarnList(const TTarnList&) = delete;
    TTarnList& operator=(const TTarnList&) = delete;
    TTarnList(TTarnList&& other) noexcept;
    TTarnList& operator=(TTarnList&& other) noexcept;
    virtual ~TTarnList();

    TTarnNode* Head() const { return head; }
    TTarnNode* Tail() const { return tail; }

    // Walks the chain and counts.
    int16_t Count() const;
    // The node at a 1-based position; nullptr for 0 or less and past the end.
    TTarnNode* Item(int16_t position) const;

    // Append at the tail / insert at the head; an empty pointer is ignored. The list takes the
    // node and the raw pointer is returned for the caller's convenience.
    template <class T> T* Add(std::unique_ptr<T> node) {
        T* raw = node.get();
        AddNode(node.release());
        return raw;
    }
    template <class T> T* AddFirst(std::unique_ptr<T> node) {
        T* raw = node.get();
        AddFirstNode(node.release());
        return raw;
    }
    // Links the node after `after`, which must be in this list; nullptr `after` inserts at the
    // head.
    template <class T> T* InsertAfter(TTarnNode* after, std::unique_ptr<T> node) {
        T* raw = node.get();
        InsertNodeAfter(after, node.release());
        return raw;
    }

    // Unlink the head / tail and hand it to the caller; nullptr when the list is empty.
    std::unique_ptr<TTarnNode> RemoveFirst();
    std::unique_ptr<TTarnNode> RemoveLast();
    // Unlinks the node and hands it to the caller. A node that is not in this list is left
    // alone and nullptr is returned, so a stray pointer cannot corrupt two lists.
    std::unique_ptr<TTarnNode> Remove(TTarnNode* node);

    // nullptr given: Head (Next) or Tail (Prev); otherwise the node's neighbour.
    TTarnNode* Next(const TTarnNode* node) const { return node == nullptr ? head : node->next; }
    TTarnNode* Prev(const TTarnNode* node) const { return node == nullptr ? tail : node->prev; }

    // 1-based position of the node, 0 when it is not in the list.
    int16_t IndexOf(const TTarnNode* node) const;
    bool Contains(const TTarnNode* node) const;
    bool IsEmpty() const { return head == nullptr; }

    // Frees every node.
    void Clear();

  private:
    void AddNode(TTarnNode* node);
    void AddFirstNode(TTarnNode* node);
    void InsertNodeAfter(TTarnNode* after, TTarnNode* node);

    TTarnNode* head = nullptr;
    TTarnNode* tail = nullptr;
};

// A node with one data word: a number or the address of an object the node does not own.
class TDataNode : public TTarnNode {
  public:
    explicit TDataNode(std::uintptr_t data) : Data(data) {}
    explicit TDataNode(const void* object) : Data(reinterpret_cast<std::uintptr_t>(object)) {}

    template <class T> T* DataAs() const { return reinterpret_cast<T*>(Data); }

    std::uintptr_t Data;
};

class TDataList : public TTarnList {
  public:
    // First node, in list order, whose Data equals the value; nullptr when none does. Every node
    // must be a TDataNode: any other class raises std::bad_cast.
    TDataNode* FindData(std::uintptr_t value) const;
    TDataNode* FindData(const void* object) const {
        return FindData(reinterpret_cast<std::uintptr_t>(object));
    }
};
