// Menu loading from the application's resources.
#include "framework/menu.h"

#include "framework/module.h"

BOOL CMenu::LoadMenu(UINT nIDResource) {
    return Replace(::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource)));
}
