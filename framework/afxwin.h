// The class library in one include.
#pragma once

#include "framework/cstring.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/types.h"
#include "framework/winapp.h"
#include "framework/wnd.h"
