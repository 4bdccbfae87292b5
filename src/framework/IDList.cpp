#include "framework/IDList.h"

std::string UpperCaseASCII(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

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
