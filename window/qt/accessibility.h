#pragma once

class QWidget;

namespace window {

// The window's own accessible interfaces, where Qt's say too little or too
// much: the window a frame named by its title and busy while a job runs; the
// label named by its text, with a Text interface; Dir1 and File1 with rows
// that claim the focus only while their list has the keyboard, Dir1's rows
// telling their level and whether the folder is open. Once, before any
// window is made.
void installAccessibility();

// Tells assistive technology that `window` is busy with a job, or no more.
void announceBusy(QWidget& window, bool busy);

}  // namespace window
