#include "viewer/task_tabs.h"

#include <algorithm>

TTaskTabs RescanTaskTabs(const std::vector<std::string>& oldTabs, const std::string& oldSelected,
                         const std::vector<std::string>& connections) {
    std::vector<std::string> tabs = oldTabs;
    std::vector<bool> unseen(tabs.size(), true);
    const std::string* previous = nullptr;
    for (const std::string& connection : connections) {
        if (!previous || *previous != connection) {
            auto it = std::find(tabs.begin(), tabs.end(), connection);
            if (it == tabs.end()) {
                tabs.push_back(connection);
                unseen.push_back(false);
            } else {
                unseen[it - tabs.begin()] = false;
            }
        }
        previous = &connection;
    }

    TTaskTabs result;
    for (size_t i = 0; i < tabs.size(); ++i)
        if (!unseen[i])
            result.Tabs.push_back(tabs[i]);
    if (result.Tabs.size() == 1)
        result.Tabs.clear();
    if (result.Tabs.empty())
        return result;

    auto again = std::find(result.Tabs.begin(), result.Tabs.end(), oldSelected);
    result.TabIndex = oldSelected.empty() || again == result.Tabs.end()
                          ? 0
                          : static_cast<int>(again - result.Tabs.begin());
    result.Filter = result.Tabs[result.TabIndex];
    return result;
}
