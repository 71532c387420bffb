#pragma once
#include <QIcon>

// The small pictures of the pickers and selection trees, drawn once in code.
namespace PickerIcons {

QIcon root();        // an item of a list, a root or top-level node
QIcon report();      // a deeper node of a selection tree
QIcon unCheck();     // a leaf that is not ticked
QIcon singleCheck(); // a leaf ticked in single choice
QIcon multiCheck();  // a leaf ticked in multiple choice

} // namespace PickerIcons
