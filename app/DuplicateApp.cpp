#include "app/DuplicateApp.h"

#include "app/FileSearchDialog.h"

#include <commctrl.h>

#include <memory>

BOOL CDuplicateApp::InitInstance() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES |
                                                          ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    auto dialog = std::make_unique<CFileSearchDialog>();
    // Ending by Finish (IDOK) and by closing the window (IDCANCEL) are alike.
    dialog->DoModal();
    return FALSE;
}
