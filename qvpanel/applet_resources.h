// The applet's resource numbers, read by qvpanel.rc and by the applet's answers alike.
#ifndef QVPANEL_APPLET_RESOURCES_H
#define QVPANEL_APPLET_RESOURCES_H

// Plain numbers, since the resource compiler reads this header too.
#define QV_APPLET_ICON 101
#define QV_APPLET_NAME 1
#define QV_APPLET_DESCRIPTION 2

#endif
