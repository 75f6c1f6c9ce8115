#pragma once

// Whether windows can be translucent on this desktop: a compositing manager
// runs (X11: the _NET_WM_CM_Sn selection has an owner; Wayland always; the
// offscreen and minimal platforms never).
bool CompositingActive();
