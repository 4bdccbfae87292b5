#pragma once
// The damage record of a surface: the rectangles changed since they were last transferred.

#include "base/Geometry.h"
#include "base/TarnList.h"

class TDamageNode : public TTarnNode {
  public:
    explicit TDamageNode(const TRect& rect) : Rect(rect) {}

    TRect Rect;
};

// A list of TDamageNode; it owns its nodes.
class TDamageList : public TTarnList {
  public:
    // Adds the rectangle unless an entry already covers it; an entry that the rectangle covers
    // is widened to it instead. Overlapping rectangles stay separate entries.
    void AddRect(const TRect& rect);
};
