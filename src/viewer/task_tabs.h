#pragma once
#include <string>
#include <vector>

// The connection tabs of the tasks window after moving to another snapshot.
struct TTaskTabs {
    std::vector<std::string> Tabs; // tab texts in their order
    int TabIndex = -1;             // the selected tab; -1 without tabs
    std::string Filter;            // the connection whose threads are listed; '' lists all
};

// Tabs that still name a connection of the snapshot stay where they are, new connections are
// appended in order of first appearance, gone ones are dropped. A single connection shows no
// tabs. The tab that was selected stays selected while its connection exists, else the first.
// connections: the host and port text of each running task, in list order.
TTaskTabs RescanTaskTabs(const std::vector<std::string>& oldTabs, const std::string& oldSelected,
                         const std::vector<std::string>& connections);
