#include "core/Suggestions.h"

#include "base/Util.h"
#include "core/StepActions.h"

std::string SuggestionListing(const std::vector<std::string>& vocabulary, std::string_view word) {
    const std::string lower = LowerCaseASCII(word);
    const std::string quoted = "\"" + UpperCaseASCII(word) + "\"";
    std::string result;
    for (size_t action = 0; action < ActionCodes.size(); ++action) {
        bool listed = false;
        for (const std::string& entry : vocabulary) {
            if (entry == lower || !IsValidStep(ActionCodes[action], lower, entry)) {
                continue;
            }
            if (!listed) {
                result += "\r\n";
                result += ActionNames[action];
                result += "\r\n";
                listed = true;
            }
            result += "  " + UpperCaseASCII(entry);
        }
    }
    if (result.empty()) {
        return "Sorry - no transitions available for " + quoted + ".";
    }
    return "Transitions available for " + quoted + ":\r\n" + result;
}
