#pragma once
// Nodes named by an upper-case identifier, and a list that finds them by name regardless of
// the case of ASCII letters.

#include "base/TarnList.h"

#include <string>

class TIDNode : public TTarnNode {
  public:
    // Keeps at most MaxIDLength characters, with a to z upper-cased.
    explicit TIDNode(const std::string& id);

    const std::string& GetID() const { return ID; }

    static constexpr std::size_t MaxIDLength = 255;

  private:
    std::string ID;
};

// Every node of an identifier list must be a TIDNode; any other class raises std::bad_cast
// when it is met by FindByID.
class TIDList : public TTarnList {
  public:
    // First node, in list order, whose identifier equals the upper-cased name.
    TIDNode* FindByID(const std::string& name) const;
};
