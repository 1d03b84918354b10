// qvconfig.exe's resource numbers, read by qvconfig.rc and by the views alike.
#ifndef QVCONFIG_RESOURCE_IDS_H
#define QVCONFIG_RESOURCE_IDS_H

// Plain numbers, since the resource compiler reads this header too.
#define QV_APPLICATION_ICON 1

#endif
