#pragma once

// Closes every child window of the main window, the last opened first, and the windows opened without
// owner beside it (report windows); the main window stays. A window that refuses to close is passed over.
void CloseAllChildForms();
