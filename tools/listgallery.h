// Resource ids of the list gallery.
#pragma once

#define IDD_LISTGALLERY 100
#define IDC_GALLERY_LIST 1000
#define IDC_GALLERY_EMPTY 1001
