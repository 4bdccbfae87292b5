#include "base/IDList.h"

#include "base/Util.h"

TIDNode::TIDNode(const std::string& id) : ID(UpperCaseASCII(id.substr(0, MaxIDLength))) {}

TIDNode* TIDList::FindByID(const std::string& name) const {
    const std::string wanted = UpperCaseASCII(name);
    for (TTarnNode* node = Head(); node != nullptr; node = node->Next()) {
        auto& idNode = dynamic_cast<TIDNode&>(*node);
        if (idNode.GetID() == wanted) {
            return &idNode;
        }
    }
    return nullptr;
}
